// The window layer of a build without a display library: no window opens,
// the toolkit's window is left as it was, and no file dialog starts.

#include <gtest/gtest.h>

#include <memory>

#include "gui/file_dialog.h"
#include "gui/window.h"

namespace pengui {
namespace {

TEST(NoneWindowLayer, OpenFailsAndLeavesTheWindowClosedAtItsScale) {
  int host_window = 0;
  struct Case {
    const char* what;
    void* parent;
    int scale;
  };
  const Case cases[] = {
      {"host window at scale 1", &host_window, 1},
      {"host window at scale 2", &host_window, 2},
      {"no parent", nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window window(900, 446);
    window.set_scale(c.scale);
    for (int attempt = 0; attempt < 2; ++attempt) {
      EXPECT_FALSE(window.open(c.parent));
      EXPECT_FALSE(window.is_open());
      EXPECT_EQ(window.native_handle(), nullptr);
      EXPECT_EQ(window.desktop_scale(), 1);
      window.idle();
      window.close();
    }
    EXPECT_EQ(window.scale(), c.scale);
    EXPECT_EQ(window.buffer().width(), 900 * c.scale);
    EXPECT_EQ(window.buffer().height(), 446 * c.scale);
  }
}

TEST(NoneWindowLayer, FileDialogRefusesToStartAndNeverAnswers) {
  Window window(900, 446);
  std::unique_ptr<FileDialog> dialog = make_file_dialog(window);
  int answers = 0;
  FileDialogRequest request;
  request.save = true;
  request.title = "Save preset bank";
  request.pattern = "*.pbk";
  EXPECT_FALSE(dialog->start(request, [&](bool, const std::string&) { ++answers; }));
  EXPECT_FALSE(dialog->is_running());
  dialog->poll();
  dialog->cancel();
  EXPECT_FALSE(dialog->start(request, [&](bool, const std::string&) { ++answers; }));
  EXPECT_EQ(answers, 0);
}

}  // namespace
}  // namespace pengui
