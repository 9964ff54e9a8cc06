// The Linux file dialogs through fake zenity and kdialog programs put first
// on PATH, and the portal's pieces that need no desktop.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/linux/child_process_file_chooser.h"
#include "gui/linux/portal_file_chooser.h"
#include "gui/window.h"
#include "support/temp_folder.h"
#include "tests/gui/x11/fake_portal.h"

namespace pengui {
namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// A folder with fake dialog programs, first on PATH while the test runs; no
// portal is asked.
class FakeDialogPrograms {
public:
  explicit FakeDialogPrograms(bool ask_portal = false) {
    saved_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", folder_.path().c_str(), 1);  // only our fakes: a real zenity must not show up
    if (!ask_portal) setenv("ZINDLE_GUI_NO_PORTAL", "1", 1);
  }
  ~FakeDialogPrograms() {
    setenv("PATH", saved_path_.c_str(), 1);
    unsetenv("ZINDLE_GUI_NO_PORTAL");
  }
  // `body` runs in /bin/sh; "$@" are the dialog's arguments.
  void install(const std::string& name, const std::string& body) {
    const std::string path = folder_.file(name);
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << args_file() << "'\n" << body << "\n";
    chmod(path.c_str(), 0755);
  }
  bool ran() const { return access(args_file().c_str(), F_OK) == 0; }
  std::vector<std::string> arguments() const {
    std::ifstream in(args_file());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

private:
  std::string args_file() const { return folder_.file("args.txt"); }
  zindle_test::TempFolder folder_;
  std::string saved_path_;
};

struct Answer {
  int calls = 0;
  bool ok = false;
  std::string path;
};

FileDialogRequest bank_request(bool save) {
  FileDialogRequest r;
  r.save = save;
  r.title = save ? "Save preset bank" : "Load preset bank";
  r.filter_name = "Zindle preset banks (*.pbk)";
  r.pattern = "*.pbk";
  r.folder = "/tmp/banks";
  r.file_name = save ? "My bank.pbk" : "";
  return r;
}

bool wait_for(FileDialog& d, const Answer& a) {
  const auto start = Clock::now();
  while (a.calls == 0 && ms_since(start) < 5000) {
    d.poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return a.calls == 1;
}

TEST(LinuxFileDialog, ZenityAnswersArriveThroughPoll) {
  struct Case {
    const char* name;
    const char* program;
    const char* script;
    bool save;
    bool ok;
    const char* path;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"open chosen", "zenity", "echo '/home/u/a b.pbk'", false, true, "/home/u/a b.pbk",
       {"--file-selection", "--title=Load preset bank", "--filename=/tmp/banks/",
        "--file-filter=Zindle preset banks (*.pbk) | *.pbk", "--file-filter=All files | *"}},
      {"save chosen, no overwrite question from the child", "zenity", "echo /tmp/banks/new.pbk", true, true,
       "/tmp/banks/new.pbk",
       {"--file-selection", "--title=Save preset bank", "--save", "--filename=/tmp/banks/My bank.pbk",
        "--file-filter=Zindle preset banks (*.pbk) | *.pbk", "--file-filter=All files | *"}},
      {"cancelled", "zenity", "exit 1", false, false, "", {}},
      {"relative answer refused", "zenity", "echo banks/x.pbk", false, false, "", {}},
      {"kdialog when zenity is missing", "kdialog", "echo /home/u/k.pbk", false, true, "/home/u/k.pbk",
       {"--title", "Load preset bank", "--getopenfilename", "/tmp/banks/", "*.pbk|Zindle preset banks (*.pbk)"}},
      {"kdialog save", "kdialog", "echo /home/u/s.pbk", true, true, "/home/u/s.pbk",
       {"--title", "Save preset bank", "--getsavefilename", "/tmp/banks/My bank.pbk",
        "*.pbk|Zindle preset banks (*.pbk)"}},
      {"a dialog that cannot show itself", "zenity", "exit 255", false, false, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDialogPrograms fakes;
    fakes.install(c.program, c.script);
    Window owner(900, 446);
    auto dialog = make_file_dialog(owner);
    Answer a;
    ASSERT_TRUE(dialog->start(bank_request(c.save), [&](bool ok, const std::string& path) {
      ++a.calls;
      a.ok = ok;
      a.path = path;
    }));
    EXPECT_TRUE(dialog->is_running());
    EXPECT_FALSE(dialog->start(bank_request(c.save), [](bool, const std::string&) {}));  // one at a time
    ASSERT_TRUE(wait_for(*dialog, a));
    EXPECT_FALSE(dialog->is_running());
    EXPECT_EQ(a.ok, c.ok);
    EXPECT_EQ(a.path, c.path);
    if (!c.args.empty()) {
      EXPECT_EQ(fakes.arguments(), c.args);
    }
    dialog->poll();
    EXPECT_EQ(a.calls, 1);
  }
}

TEST(LinuxFileDialog, ASlowDialogNeverHoldsTheEditorAndCancelEndsIt) {
  FakeDialogPrograms fakes;
  fakes.install("zenity", "/bin/sleep 2; echo /late.pbk");
  Window owner(900, 446);
  auto dialog = make_file_dialog(owner);
  int calls = 0;
  auto t = Clock::now();
  ASSERT_TRUE(dialog->start(bank_request(false), [&](bool, const std::string&) { ++calls; }));
  EXPECT_LT(ms_since(t), 500.0);
  double slowest = 0;
  for (int i = 0; i < 20; ++i) {
    t = Clock::now();
    dialog->poll();
    slowest = std::max(slowest, ms_since(t));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_LT(slowest, 100.0);  // microseconds in fact; the bound only allows for a loaded machine
  EXPECT_TRUE(dialog->is_running());
  t = Clock::now();
  dialog->cancel();
  EXPECT_LT(ms_since(t), 500.0);
  EXPECT_FALSE(dialog->is_running());
  dialog->poll();
  EXPECT_EQ(calls, 0);
}

TEST(LinuxFileDialog, NothingToRunRefusesToStart) {
  FakeDialogPrograms fakes;  // empty PATH folder
  Window owner(900, 446);
  auto dialog = make_file_dialog(owner);
  int calls = 0;
  EXPECT_FALSE(dialog->start(bank_request(true), [&](bool, const std::string&) { ++calls; }));
  EXPECT_FALSE(dialog->is_running());
  EXPECT_EQ(calls, 0);
}

TEST(PortalFileChooser, FileUrisBecomePaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///home/u/a.pbk", "/home/u/a.pbk"},
      {"file:///home/u/My%20bank%C3%A9.pbk", "/home/u/My bank\xC3\xA9.pbk"},
      {"file://localhost/tmp/x", "/tmp/x"},
      {"file:///a%2", "/a%2"},
      {"file:///a%00b", ""},
      {"http://host/a.pbk", ""},
      {"file://host/a.pbk", ""},
      {"", ""},
  };
  for (const auto& [uri, path] : cases) EXPECT_EQ(PortalFileChooser::path_from_uri(uri), path) << uri;
}

TEST(PortalFileChooser, NoSessionBusMeansUnavailableAtOnce) {
  const char* saved_bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string bus = saved_bus ? saved_bus : "";
  const char* saved_runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string runtime = saved_runtime ? saved_runtime : "";
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  setenv("XDG_RUNTIME_DIR", "/nonexistent", 1);
  EXPECT_EQ(PortalFileChooser::session_bus_address(), "");
  PortalFileChooser portal;
  const auto t = Clock::now();
  EXPECT_FALSE(portal.start(bank_request(false), [](FileChooserBackend::Outcome, const std::string&) {}));
  EXPECT_LT(ms_since(t), 100.0);
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/tmp/zindle-no-bus-here", 1);
  EXPECT_FALSE(portal.start(bank_request(false), [](FileChooserBackend::Outcome, const std::string&) {}));
  EXPECT_FALSE(portal.is_running());
  if (saved_bus) setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
  else unsetenv("DBUS_SESSION_BUS_ADDRESS");
  if (saved_runtime) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
}

TEST(PortalFileChooser, ABusThatNeverAnswersHoldsTheEditorOnlyBriefly) {
  const std::string socket_path = "/tmp/zindle-mute-bus-" + std::to_string(getpid());
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);  // connections wait in the backlog, unanswered
  const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string saved_bus = saved ? saved : "";
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + socket_path).c_str(), 1);
  PortalFileChooser portal;
  int calls = 0;
  FileChooserBackend::Outcome outcome = FileChooserBackend::Outcome::chosen;
  const auto t = Clock::now();
  ASSERT_TRUE(portal.start(bank_request(false), [&](FileChooserBackend::Outcome o, const std::string&) {
    ++calls;
    outcome = o;
  }));
  double slowest = ms_since(t);
  while (calls == 0 && ms_since(t) < 5000) {
    const auto p = Clock::now();
    portal.poll();
    slowest = std::max(slowest, ms_since(p));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(outcome, FileChooserBackend::Outcome::unavailable);
  EXPECT_LT(ms_since(t), 1500.0);
  EXPECT_LT(slowest, 100.0);
  EXPECT_FALSE(portal.is_running());
  if (saved) {
    setenv("DBUS_SESSION_BUS_ADDRESS", saved_bus.c_str(), 1);
  } else {
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  close(listener);
  unlink(socket_path.c_str());
}

// The portal on a private session bus, with a fake zenity behind it.
class PortalFileDialog : public ::testing::Test {
protected:
  void SetUp() override {
    if (!portal.ok()) GTEST_SKIP() << "no dbus-daemon";
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    had_bus_ = bus != nullptr;
    if (bus) saved_bus_ = bus;
    setenv("DBUS_SESSION_BUS_ADDRESS", portal.address().c_str(), 1);
    fakes.install("zenity", "echo /from/zenity.pbk");
  }
  void TearDown() override {
    if (had_bus_) setenv("DBUS_SESSION_BUS_ADDRESS", saved_bus_.c_str(), 1);
    else unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  bool run(const FileDialogRequest& r) {
    return dialog->start(r, [this](bool ok, const std::string& path) {
      ++answer.calls;
      answer.ok = ok;
      answer.path = path;
    });
  }

  testing::FakePortal portal;
  FakeDialogPrograms fakes{true};
  Window owner{900, 446};
  std::unique_ptr<FileDialog> dialog = make_file_dialog(owner);
  Answer answer;

private:
  bool had_bus_ = false;
  std::string saved_bus_;
};

TEST_F(PortalFileDialog, OpenAnswerComesFromThePortal) {
  portal.serve(testing::FakePortal::Behaviour::choose, "file:///home/u/My%20bank.pbk");
  ASSERT_TRUE(run(bank_request(false)));
  ASSERT_TRUE(wait_for(*dialog, answer));
  EXPECT_TRUE(answer.ok);
  EXPECT_EQ(answer.path, "/home/u/My bank.pbk");
  const testing::PortalCall call = portal.last_call();
  EXPECT_EQ(call.method, "OpenFile");
  EXPECT_EQ(call.title, "Load preset bank");
  EXPECT_EQ(call.current_folder, "/tmp/banks");
  EXPECT_EQ(call.first_filter_pattern, "*.pbk");
  EXPECT_FALSE(fakes.ran());
}

TEST_F(PortalFileDialog, SaveProposesTheName) {
  portal.serve(testing::FakePortal::Behaviour::choose, "file:///tmp/banks/x.pbk");
  ASSERT_TRUE(run(bank_request(true)));
  ASSERT_TRUE(wait_for(*dialog, answer));
  EXPECT_EQ(answer.path, "/tmp/banks/x.pbk");
  EXPECT_EQ(portal.last_call().method, "SaveFile");
  EXPECT_EQ(portal.last_call().current_name, "My bank.pbk");
}

TEST_F(PortalFileDialog, CancelInThePortalIsTheAnswer) {
  portal.serve(testing::FakePortal::Behaviour::cancel);
  ASSERT_TRUE(run(bank_request(false)));
  ASSERT_TRUE(wait_for(*dialog, answer));
  EXPECT_FALSE(answer.ok);
  EXPECT_EQ(answer.path, "");
  EXPECT_FALSE(fakes.ran());
}

TEST_F(PortalFileDialog, ABusWithoutPortalFallsBackToZenity) {
  ASSERT_TRUE(run(bank_request(false)));
  ASSERT_TRUE(wait_for(*dialog, answer));
  EXPECT_TRUE(answer.ok);
  EXPECT_EQ(answer.path, "/from/zenity.pbk");
}

TEST_F(PortalFileDialog, ASilentPortalIsGivenUpWithoutHoldingTheEditor) {
  portal.serve(testing::FakePortal::Behaviour::never_answer);
  const auto start = Clock::now();
  ASSERT_TRUE(run(bank_request(false)));
  double slowest = 0;
  while (answer.calls == 0 && ms_since(start) < 5000) {
    const auto t = Clock::now();
    dialog->poll();
    slowest = std::max(slowest, ms_since(t));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(portal.calls(), 1);
  EXPECT_EQ(answer.path, "/from/zenity.pbk");
  EXPECT_LT(slowest, 100.0);  // microseconds in fact; the bound only allows for a loaded machine
  EXPECT_GT(ms_since(start), 900.0);  // the portal had its second
}

TEST_F(PortalFileDialog, CancellingTheEditorsDialogClosesThePortals) {
  portal.serve(testing::FakePortal::Behaviour::hold);
  ASSERT_TRUE(run(bank_request(false)));
  const auto start = Clock::now();
  while (portal.calls() == 0 && ms_since(start) < 2000) {
    dialog->poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // Let the call's answer arrive: only a request the portal made can be closed.
  for (int i = 0; i < 20; ++i) {
    dialog->poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(dialog->is_running());
  dialog->cancel();
  EXPECT_FALSE(dialog->is_running());
  const auto t = Clock::now();
  while (portal.closes() == 0 && ms_since(t) < 2000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(portal.closes(), 1);
  EXPECT_EQ(answer.calls, 0);
}

}  // namespace
}  // namespace pengui
