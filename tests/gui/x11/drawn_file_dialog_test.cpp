// The file dialog drawn in the editor, the one left when no program can
// show a dialog, driven as the window layer drives the toolkit.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/linux/drawn_file_dialog.h"
#include "gui/window.h"
#include "support/editor_input.h"
#include "support/stderr_capture.h"
#include "support/temp_folder.h"
#include "tests/gui/x11/solid_font.h"

namespace pengui {
namespace {

TEST(DrawnFileDialog, ModalListsFoldersThenBanksAndAnswersTypedOrClickedNamesThroughPoll) {
  zindle_test::TempFolder scratch;
  std::filesystem::create_directory(scratch.path() / "sub");
  for (const char* f : {"b.PBK", "a.pbk", "notes.txt", ".hidden.pbk", "sub/inner.pbk"})
    std::ofstream(scratch.file(f)) << "x";
  const std::string folder = scratch.path().string();
  test_support::ScopedEnv no_programs("PATH", folder.c_str());  // no zenity, no kdialog
  test_support::ScopedEnv no_portal("ZINDLE_GUI_NO_PORTAL", "1");

  Window window(900, 446);
  double time = 10.0;
  window.set_clock([&time] { return time; });
  struct Backdrop : Widget {
    int presses = 0;
    void draw(Canvas&) override {}
    bool mouse_down(const MouseEvent&) override { return ++presses, true; }
  } backdrop;
  backdrop.set_bounds({0, 0, 900, 446});
  window.add(&backdrop);
  auto click = [&](Point p, int times = 1) {
    MouseEvent e;
    e.pos = p;
    e.button = MouseButton::left;
    for (int i = 0; i < times; ++i) window.native_mouse_down(e), window.native_mouse_up(e);
    time += 1.0;  // the next click is a new one
  };
  auto key = [&](Key k, uint32_t c = 0) {
    KeyEvent e;
    e.key = k;
    e.character = c;
    window.native_key(e, true);
    window.native_key(e, false);
  };

  FileDialogRequest request;
  request.title = "Load preset bank";
  request.filter_name = "Zindle preset banks (*.pbk)";
  request.pattern = "*.pbk";
  request.folder = folder;
  std::vector<std::string> answers;
  auto done = [&](bool ok, const std::string& p) { answers.push_back(ok ? p : "not ok"); };
  auto dialog = make_file_dialog(window);
  EXPECT_FALSE(dialog->start(request, done));  // no font: nothing to offer
  FontSet font = testing::make_solid_font();
  dialog->set_font(&font);
  ASSERT_TRUE(dialog->start(request, done));
  auto* drawn = dynamic_cast<DrawnFileDialog*>(window.top_overlay());
  ASSERT_NE(drawn, nullptr);

  click({5, 5});
  EXPECT_EQ(backdrop.presses, 0);
  EXPECT_EQ(drawn->entries(), (std::vector<std::string>{"../", "sub/", "a.pbk", "b.PBK"}));
  click(zindle_test::centre_of(drawn->row_rect(1)), 2);  // a double click opens a folder
  EXPECT_EQ(drawn->entries(), (std::vector<std::string>{"../", "inner.pbk"}));
  click(zindle_test::centre_of(drawn->row_rect(0)), 2);
  for (char c : std::string("nothing.pbk")) key(Key::character, static_cast<unsigned char>(c));
  key(Key::enter);  // a missing file keeps the dialog open
  dialog->poll();
  EXPECT_TRUE(answers.empty());
  click(zindle_test::centre_of(drawn->row_rect(3)));
  EXPECT_EQ(drawn->typed_name(), "b.PBK");
  click(zindle_test::centre_of(drawn->ok_rect()));
  EXPECT_EQ(window.top_overlay(), nullptr);
  EXPECT_TRUE(answers.empty());  // the answer waits for the editor's next poll
  dialog->poll();
  dialog->poll();
  EXPECT_EQ(answers, (std::vector<std::string>{folder + "/b.PBK"}));

  ASSERT_TRUE(dialog->start(request, done));
  key(Key::escape);
  dialog->poll();
  EXPECT_EQ(answers.back(), "not ok");
  EXPECT_FALSE(dialog->is_running());
}

}  // namespace
}  // namespace pengui
