// The file dialog drawn in the editor, driven as the window layer drives
// the toolkit, over a scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/linux/drawn_file_dialog.h"
#include "gui/window.h"
#include "support/stderr_capture.h"
#include "support/temp_folder.h"
#include "tests/gui/x11/solid_font.h"

namespace pengui {
namespace {

// Two banks (one in capitals), a text file, a hidden bank and a subfolder.
class ScratchFolder {
public:
  ScratchFolder() {
    std::filesystem::create_directory(folder_.path() / "sub");
    for (const char* f : {"b.PBK", "a.pbk", "notes.txt", ".hidden.pbk", "sub/inner.pbk"})
      std::ofstream(folder_.file(f)) << "x";
  }
  std::string path() const { return folder_.path().string(); }

private:
  zindle_test::TempFolder folder_;
};

class DrawnFileDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    window.set_clock([this] { return time; });
    dialog.set_font(&font);
  }
  FileDialogRequest request(bool save) {
    FileDialogRequest r;
    r.save = save;
    r.title = save ? "Save preset bank" : "Load preset bank";
    r.filter_name = "Zindle preset banks (*.pbk)";
    r.pattern = "*.pbk";
    r.folder = scratch.path();
    r.file_name = save ? "new.pbk" : "";
    return r;
  }
  bool start(bool save) {
    return dialog.start(request(save), [this](FileChooserBackend::Outcome o, const std::string& p) {
      ++calls;
      outcome = o;
      path = p;
    });
  }
  void click(Point p, bool twice = false) {
    MouseEvent e;
    e.pos = p;
    e.button = MouseButton::left;
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
      window.native_mouse_down(e);
      window.native_mouse_up(e);
    }
    time += 1.0;  // the next click is a new one
  }
  void key(Key k, uint32_t c = 0) {
    KeyEvent e;
    e.key = k;
    e.character = c;
    window.native_key(e, true);
    window.native_key(e, false);
  }
  void type(const std::string& text) {
    for (char c : text) key(Key::character, static_cast<unsigned char>(c));
  }
  static Point centre(const Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

  ScratchFolder scratch;
  Window window{900, 446};
  double time = 10.0;
  FontSet font = testing::make_solid_font();
  DrawnFileDialog dialog{window};
  int calls = 0;
  FileChooserBackend::Outcome outcome = FileChooserBackend::Outcome::unavailable;
  std::string path;
};

TEST_F(DrawnFileDialogTest, ListsFoldersThenMatchingFilesAndAnswersThroughPoll) {
  ASSERT_TRUE(start(false));
  EXPECT_EQ(window.top_overlay(), &dialog);
  EXPECT_EQ(dialog.entries(), (std::vector<std::string>{"../", "sub/", "a.pbk", "b.PBK"}));
  click(centre(dialog.row_rect(3)));
  EXPECT_EQ(dialog.typed_name(), "b.PBK");
  click(centre(dialog.row_rect(1)), true);  // a double click opens a folder
  EXPECT_EQ(dialog.folder(), scratch.path() + "/sub");
  EXPECT_EQ(dialog.entries(), (std::vector<std::string>{"../", "inner.pbk"}));
  click(centre(dialog.row_rect(0)), true);
  EXPECT_EQ(dialog.folder(), scratch.path());
  click(centre(dialog.row_rect(3)));
  click(centre(dialog.ok_rect()));
  EXPECT_EQ(window.top_overlay(), nullptr);
  EXPECT_EQ(calls, 0);  // the answer waits for the editor's next poll
  dialog.poll();
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(outcome, FileChooserBackend::Outcome::chosen);
  EXPECT_EQ(path, scratch.path() + "/b.PBK");
  dialog.poll();
  EXPECT_EQ(calls, 1);
  ASSERT_TRUE(start(false));
  click(centre(dialog.row_rect(2)), true);  // and a file
  dialog.poll();
  EXPECT_EQ(path, scratch.path() + "/a.pbk");
}

TEST_F(DrawnFileDialogTest, TypedNamesKeysAndCancel) {
  struct Case {
    const char* name;
    bool save;
    std::string typed;  // appended to what the field holds
    Key finish;
    const char* path;  // relative to the scratch folder; nullptr: no answer yet
  };
  const Case cases[] = {
      {"save with the proposed name", true, "", Key::enter, "/new.pbk"},
      {"open a missing file stays open", false, "nothing.pbk", Key::enter, nullptr},
      {"open by name", false, "a.pbk", Key::enter, "/a.pbk"},
      {"escape cancels", true, "x", Key::escape, ""},
  };
  // A folder typed as the name opens it, keeping the proposed name; OK saves there.
  ASSERT_TRUE(start(true));
  for (int i = 0; i < 7; ++i) key(Key::backspace);
  type("sub");
  key(Key::enter);
  EXPECT_EQ(dialog.folder(), scratch.path() + "/sub");
  EXPECT_EQ(dialog.typed_name(), "new.pbk");
  click(centre(dialog.ok_rect()));
  dialog.poll();
  EXPECT_EQ(path, scratch.path() + "/sub/new.pbk");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    calls = 0;
    ASSERT_TRUE(start(c.save));
    type(c.typed);
    key(c.finish);
    dialog.poll();
    EXPECT_EQ(calls, c.path ? 1 : 0);
    EXPECT_EQ(dialog.is_running(), !c.path);
    if (c.path) {
      EXPECT_EQ(outcome, *c.path ? FileChooserBackend::Outcome::chosen : FileChooserBackend::Outcome::cancelled);
      EXPECT_EQ(path, *c.path ? scratch.path() + c.path : "");
    }
    dialog.cancel();
  }
}

TEST_F(DrawnFileDialogTest, DrawnOverADimmedEditorAndModal) {
  struct White : Widget {
    int presses = 0;
    void draw(Canvas& c) override { c.fill_rect(bounds(), 0xFFFFFF); }
    bool mouse_down(const MouseEvent&) override { return ++presses, true; }
  } backdrop;
  backdrop.set_bounds({0, 0, 900, 446});
  window.add(&backdrop);
  ASSERT_TRUE(start(false));
  window.render_dirty();
  const uint32_t dimmed = window.buffer().pixel(5, 5);
  EXPECT_LT(dimmed & 0xFF, 0xFFu);
  EXPECT_GT(dimmed & 0xFF, 0x80u);
  click({5, 5});
  EXPECT_EQ(backdrop.presses, 0);
  EXPECT_TRUE(dialog.is_running());
}

TEST_F(DrawnFileDialogTest, TheEditorsDialogFallsBackToItWhenNothingElseRuns) {
  test_support::ScopedEnv no_programs("PATH", scratch.path().c_str());  // no zenity, no kdialog
  test_support::ScopedEnv no_portal("ZINDLE_GUI_NO_PORTAL", "1");
  auto editor_dialog = make_file_dialog(window);
  std::string answered;
  auto done = [&](bool ok, const std::string& p) { answered = ok ? p : "not ok"; };
  EXPECT_FALSE(editor_dialog->start(request(false), done));  // no font: nothing to offer
  editor_dialog->set_font(&font);
  ASSERT_TRUE(editor_dialog->start(request(false), done));
  type("a.pbk");
  key(Key::enter);
  editor_dialog->poll();
  EXPECT_EQ(answered, scratch.path() + "/a.pbk");
}

}  // namespace
}  // namespace pengui
