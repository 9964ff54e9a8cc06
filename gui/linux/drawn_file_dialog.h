#pragma once
// The file dialog of last resort, drawn in the editor as a modal overlay
// for desktops with neither a portal nor zenity/kdialog: the folder's
// matching files and sub-folders in a list, the name in a text field, OK
// and Cancel. A click picks an entry, a double-click opens it; Enter
// accepts the typed name (a folder is opened instead), Escape cancels.

#include <string>
#include <vector>

#include "gui/default_event_listener.h"
#include "gui/linux/file_chooser_backend.h"
#include "gui/text_edit.h"
#include "gui/widget.h"

namespace pengui {

class DrawnFileDialog : public Widget, public FileChooserBackend, private DefaultEventListener {
public:
  explicit DrawnFileDialog(Window& window);
  ~DrawnFileDialog() override;
  DrawnFileDialog(const DrawnFileDialog&) = delete;
  DrawnFileDialog& operator=(const DrawnFileDialog&) = delete;

  // Without a font it cannot be drawn and does not start.
  void set_font(const FontSet* font);

  bool start(const FileDialogRequest& request, Finished finished) override;
  // Hands over the user's answer, given since the last poll.
  void poll() override;
  bool is_running() const override { return shown_ || answered_; }
  void cancel() override;

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  bool mouse_wheel(const MouseEvent& e, int steps) override;
  bool key_down(const KeyEvent& e) override;

  // What is on screen, for tests. Folders in the list end with '/'.
  const std::string& folder() const { return folder_; }
  const std::vector<std::string>& entries() const { return entries_; }
  const std::string& typed_name() const { return name_field_.text(); }
  Rect row_rect(int entry) const;  // empty when scrolled out of view
  Rect ok_rect() const;
  Rect cancel_rect() const;

private:
  void layout();
  void read_folder(const std::string& folder);
  void accept(const std::string& typed);
  void answer(Outcome outcome, const std::string& path);
  void pick(int entry, bool open);
  int entry_at(Point p) const;
  int visible_rows() const;
  Rect list_rect() const;
  void text_entered(const char* text) override;

  Window& window_ref_;
  const FontSet* font_ = nullptr;
  TextEdit name_field_;
  FileDialogRequest request_;
  Finished finished_;
  bool shown_ = false;
  bool answered_ = false;
  Outcome outcome_ = Outcome::cancelled;
  std::string answer_path_;
  std::string folder_;
  std::vector<std::string> entries_;
  int selected_ = -1;
  int scroll_ = 0;
  int pressed_button_ = 0;  // 1 OK, 2 Cancel
  Rect box_;
};

}  // namespace pengui
