// The window layer of a build without a display library: no window opens,
// the toolkit's window is left as it was, and no file dialog starts.

#include <gtest/gtest.h>

#include "gui/file_dialog.h"
#include "gui/window.h"

namespace pengui {
namespace {

TEST(NoneWindowLayer, OpenFailsAndLeavesTheWindowClosedAtItsScale) {
  int host_window = 0;
  for (const int scale : {1, 2}) {
    Window window(900, 446);
    window.set_scale(scale);
    for (void* parent : {static_cast<void*>(&host_window), static_cast<void*>(nullptr)}) {
      EXPECT_FALSE(window.open(parent));
      EXPECT_FALSE(window.is_open());
      EXPECT_EQ(window.native_handle(), nullptr);
      EXPECT_EQ(window.desktop_scale(), 1);
      window.idle();
      window.close();
    }
    EXPECT_EQ(window.buffer().width(), 900 * scale);
    EXPECT_EQ(window.buffer().height(), 446 * scale);
  }
}

TEST(NoneWindowLayer, FileDialogRefusesToStartAndNeverAnswers) {
  Window window(900, 446);
  auto dialog = make_file_dialog(window);
  FileDialogRequest request;
  request.save = true;
  request.title = "Save preset bank";
  EXPECT_FALSE(dialog->start(request, [&](bool, const std::string&) { ADD_FAILURE(); }));
  EXPECT_FALSE(dialog->is_running());
  dialog->poll();
  dialog->cancel();
}

}  // namespace
}  // namespace pengui
