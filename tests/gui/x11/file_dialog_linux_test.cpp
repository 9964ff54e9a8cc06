// The Linux file dialog through a fake zenity put alone on PATH, and the
// portal's reading of the file URIs it answers with.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/linux/portal_file_chooser.h"
#include "gui/window.h"
#include "support/stderr_capture.h"
#include "support/temp_folder.h"

namespace pengui {
namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// A fake zenity alone on PATH while the test runs (a real one must not show
// up); no portal is asked. `body` runs in /bin/sh after it wrote its arguments.
class FakeZenity {
public:
  explicit FakeZenity(const std::string& body) {
    const std::string path = folder_.file("zenity");
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << args_file() << "'\n"
                        << body << "\n";
    chmod(path.c_str(), 0755);
  }
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
  test_support::ScopedEnv no_portal_{"ZINDLE_GUI_NO_PORTAL", "1"};
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

TEST(LinuxFileDialog, ZenityAnswersArriveThroughPoll) {
  struct Case {
    const char* name;
    const char* script;
    bool save;
    const char* path;  // empty: not ok
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"open chosen",
       "echo '/home/u/a b.pbk'",
       false,
       "/home/u/a b.pbk",
       {"--file-selection", "--title=Load preset bank", "--filename=/tmp/banks/",
        "--file-filter=Zindle preset banks (*.pbk) | *.pbk", "--file-filter=All files | *"}},
      {"save chosen",
       "echo /tmp/banks/new.pbk",
       true,
       "/tmp/banks/new.pbk",
       {"--file-selection", "--title=Save preset bank", "--save", "--filename=/tmp/banks/My bank.pbk",
        "--file-filter=Zindle preset banks (*.pbk) | *.pbk", "--file-filter=All files | *"}},
      {"cancelled", "exit 1", false, "", {}},
      {"relative answer refused", "echo banks/x.pbk", false, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeZenity zenity(c.script);
    Window owner(900, 446);
    auto dialog = make_file_dialog(owner);
    int calls = 0;
    bool ok = false;
    std::string path;
    ASSERT_TRUE(dialog->start(bank_request(c.save), [&](bool o, const std::string& p) {
      ++calls;
      ok = o;
      path = p;
    }));
    EXPECT_FALSE(dialog->start(bank_request(c.save), [](bool, const std::string&) {}));  // one at a time
    for (const auto start = Clock::now(); calls == 0 && ms_since(start) < 5000;) {
      dialog->poll();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    dialog->poll();
    ASSERT_EQ(calls, 1);
    EXPECT_FALSE(dialog->is_running());
    EXPECT_EQ(ok, *c.path != '\0');
    EXPECT_EQ(path, c.path);
    if (!c.args.empty()) {
      EXPECT_EQ(zenity.arguments(), c.args);
    }
  }
}

TEST(LinuxFileDialog, ASlowDialogNeverHoldsTheEditorAndCancelEndsIt) {
  FakeZenity zenity("/bin/sleep 2; echo /late.pbk");
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

TEST(PortalFileChooser, OnlyLocalFileUrisBecomePaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///home/u/My%20bank%C3%A9.pbk", "/home/u/My bank\xC3\xA9.pbk"},
      {"file://localhost/tmp/x", "/tmp/x"},
      {"file:///a%2", "/a%2"},
      {"file:///a%00b", ""},
      {"http://host/a.pbk", ""},
      {"file://host/a.pbk", ""},
  };
  for (const auto& [uri, path] : cases) EXPECT_EQ(PortalFileChooser::path_from_uri(uri), path) << uri;
}

}  // namespace
}  // namespace pengui
