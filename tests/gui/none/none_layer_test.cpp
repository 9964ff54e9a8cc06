// The window layer of a build without a display library: no window opens,
// the toolkit's window is left as it was, and no file dialog starts.

#include <gtest/gtest.h>

#include "gui/file_dialog.h"
#include "gui/window.h"

namespace pengui {
namespace {

TEST(NoneWindowLayer, NothingOpensAndTheWindowStaysAsItWas) {
  int host_window = 0;
  Window window(900, 446);
  window.set_scale(2);
  for (void* parent : {static_cast<void*>(&host_window), static_cast<void*>(nullptr)}) {
    EXPECT_FALSE(window.open(parent));
    EXPECT_FALSE(window.is_open());
    EXPECT_EQ(window.native_handle(), nullptr);
    EXPECT_EQ(window.desktop_scale(), 1);
    window.idle();
    window.close();
  }
  EXPECT_EQ(window.buffer().width(), 1800);
  auto dialog = make_file_dialog(window);
  FileDialogRequest request;
  request.title = "Save preset bank";
  EXPECT_FALSE(dialog->start(request, [&](bool, const std::string&) { ADD_FAILURE(); }));
  EXPECT_FALSE(dialog->is_running());
  dialog->poll();
}

}  // namespace
}  // namespace pengui
