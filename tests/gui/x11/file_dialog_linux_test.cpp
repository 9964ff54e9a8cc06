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
#include "support/stderr_capture.h"
#include "support/temp_folder.h"
#include "tests/gui/x11/fake_portal.h"

namespace pengui {
namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// A folder with fake dialog programs, alone on PATH while the test runs (a
// real zenity must not show up); no portal is asked unless told.
class FakeDialogPrograms {
public:
  explicit FakeDialogPrograms(bool ask_portal = false)
      : no_portal_("ZINDLE_GUI_NO_PORTAL", ask_portal ? nullptr : "1") {}
  // `body` runs in /bin/sh; "$@" are the dialog's arguments.
  void install(const std::string& name, const std::string& body) {
    const std::string path = folder_.file(name);
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << args_file() << "'\n"
                        << body << "\n";
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
  test_support::ScopedEnv path_{"PATH", folder_.path().c_str()};
  test_support::ScopedEnv no_portal_;
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
  auto t = Clock::now();
  ASSERT_TRUE(dialog->start(bank_request(false), [](bool, const std::string&) { ADD_FAILURE(); }));
  for (int i = 0; i < 20; ++i) {
    dialog->poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_LT(ms_since(t), 800.0);  // start and polls take microseconds; the bound allows for a loaded machine
  EXPECT_TRUE(dialog->is_running());
  t = Clock::now();
  dialog->cancel();
  EXPECT_LT(ms_since(t), 500.0);
  EXPECT_FALSE(dialog->is_running());
  dialog->poll();
}

TEST(LinuxFileDialog, NothingToRunRefusesToStart) {
  FakeDialogPrograms fakes;  // empty PATH folder
  Window owner(900, 446);
  auto dialog = make_file_dialog(owner);
  EXPECT_FALSE(dialog->start(bank_request(true), [](bool, const std::string&) { ADD_FAILURE(); }));
  EXPECT_FALSE(dialog->is_running());
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
  test_support::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
  test_support::ScopedEnv runtime("XDG_RUNTIME_DIR", "/nonexistent");
  EXPECT_EQ(PortalFileChooser::session_bus_address(), "");
  PortalFileChooser portal;
  EXPECT_FALSE(portal.start(bank_request(false), [](FileChooserBackend::Outcome, const std::string&) {}));
  EXPECT_FALSE(portal.is_running());
}

TEST(PortalFileChooser, ABusThatNeverAnswersHoldsTheEditorOnlyBriefly) {
  const std::string socket_path = "/tmp/zindle-mute-bus-" + std::to_string(getpid());
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);  // connections wait in the backlog, unanswered
  test_support::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + socket_path).c_str());
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
  close(listener);
  unlink(socket_path.c_str());
}

// The portal on a private session bus, with a fake zenity behind it.
TEST(PortalFileDialog, AnswersComeFromThePortalOrFromZenityWhenItHasNone) {
  using B = testing::FakePortal::Behaviour;
  struct Case {
    const char* name;
    bool serve;  // false: a bus without the portal
    B behaviour;
    bool save;
    const char* want_path;
    testing::PortalCall want_call;
  };
  const Case cases[] = {
      {"open", true, B::choose, false, "/home/u/My bank.pbk",
       {"OpenFile", "Load preset bank", "", "/tmp/banks", "*.pbk"}},
      {"save proposes the name", true, B::choose, true, "/home/u/My bank.pbk",
       {"SaveFile", "Save preset bank", "My bank.pbk", "/tmp/banks", "*.pbk"}},
      {"cancel in the portal is the answer", true, B::cancel, false, "",
       {"OpenFile", "Load preset bank", "", "/tmp/banks", "*.pbk"}},
      {"no portal on the bus", false, B::choose, false, "/from/zenity.pbk", {}},
      {"a silent portal is given up after its second", true, B::never_answer, false, "/from/zenity.pbk", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePortal portal;
    if (!portal.ok()) GTEST_SKIP() << "no dbus-daemon";
    test_support::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", portal.address().c_str());
    FakeDialogPrograms fakes(true);
    fakes.install("zenity", "echo /from/zenity.pbk");
    if (c.serve) portal.serve(c.behaviour, "file:///home/u/My%20bank.pbk");
    Window owner(900, 446);
    auto dialog = make_file_dialog(owner);
    Answer a;
    const auto start = Clock::now();
    ASSERT_TRUE(dialog->start(bank_request(c.save), [&](bool ok, const std::string& path) {
      ++a.calls;
      a.ok = ok;
      a.path = path;
    }));
    double slowest = 0;
    while (a.calls == 0 && ms_since(start) < 5000) {
      const auto t = Clock::now();
      dialog->poll();
      slowest = std::max(slowest, ms_since(t));
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(a.calls, 1);
    EXPECT_EQ(a.path, c.want_path);
    EXPECT_EQ(a.ok, *c.want_path != '\0');
    EXPECT_LT(slowest, 100.0);  // microseconds in fact; the bound only allows for a loaded machine
    EXPECT_EQ(fakes.ran(), c.want_call.method.empty());
    if (c.behaviour == B::never_answer) {
      EXPECT_EQ(portal.calls(), 1);
      EXPECT_GT(ms_since(start), 900.0);
    }
    if (c.want_call.method.empty()) continue;
    const testing::PortalCall call = portal.last_call();
    EXPECT_EQ(call.method, c.want_call.method);
    EXPECT_EQ(call.title, c.want_call.title);
    EXPECT_EQ(call.current_name, c.want_call.current_name);
    EXPECT_EQ(call.current_folder, c.want_call.current_folder);
    EXPECT_EQ(call.first_filter_pattern, c.want_call.first_filter_pattern);
  }
}

TEST(PortalFileDialog, CancellingTheEditorsDialogClosesThePortals) {
  testing::FakePortal portal;
  if (!portal.ok()) GTEST_SKIP() << "no dbus-daemon";
  test_support::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", portal.address().c_str());
  FakeDialogPrograms fakes(true);
  portal.serve(testing::FakePortal::Behaviour::hold);
  Window owner(900, 446);
  auto dialog = make_file_dialog(owner);
  ASSERT_TRUE(dialog->start(bank_request(false), [](bool, const std::string&) { ADD_FAILURE(); }));
  // Let the call's answer arrive: only a request the portal made can be closed.
  const auto start = Clock::now();
  while (ms_since(start) < 2000 && (portal.calls() == 0 || ms_since(start) < 200)) {
    dialog->poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(dialog->is_running());
  dialog->cancel();
  EXPECT_FALSE(dialog->is_running());
  const auto t = Clock::now();
  while (portal.closes() == 0 && ms_since(t) < 2000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(portal.closes(), 1);
  dialog->poll();
}

}  // namespace
}  // namespace pengui
