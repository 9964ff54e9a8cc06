// The Linux file dialogs through fake zenity and kdialog programs put first
// on PATH, and the portal's pieces that need no desktop.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
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

namespace pengui {
namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// A folder with fake dialog programs, first on PATH while the test runs; no
// portal is asked.
class FakeDialogPrograms {
public:
  FakeDialogPrograms() {
    char templ[] = "/tmp/zindle-dialog-XXXXXX";
    dir_ = mkdtemp(templ);
    saved_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", dir_.c_str(), 1);  // only our fakes: a real zenity must not show up
    setenv("ZINDLE_GUI_NO_PORTAL", "1", 1);
  }
  ~FakeDialogPrograms() {
    setenv("PATH", saved_path_.c_str(), 1);
    unsetenv("ZINDLE_GUI_NO_PORTAL");
    for (const char* name : {"zenity", "kdialog", "args.txt"}) unlink((dir_ + "/" + name).c_str());
    rmdir(dir_.c_str());
  }
  // `body` runs in /bin/sh; "$@" are the dialog's arguments.
  void install(const std::string& name, const std::string& body) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << args_file() << "'\n" << body << "\n";
    chmod(path.c_str(), 0755);
  }
  std::vector<std::string> arguments() const {
    std::ifstream in(args_file());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

private:
  std::string args_file() const { return dir_ + "/args.txt"; }
  std::string dir_;
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
  EXPECT_LT(slowest, 20.0);
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

}  // namespace
}  // namespace pengui
