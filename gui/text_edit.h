#pragma once
// A single-line text field. A click (or set_focus) starts editing; Enter
// hands the text to the listeners' text_entered and ends editing, Escape
// or losing the focus puts the text back as it was. While not editing it
// looks like a TextBox and takes no keys, so they reach the host.
// Characters are the font's 8-bit codes (Latin-1 code points).

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "gui/listened_control.h"
#include "gui/text_box.h"

namespace pengui {

class TextEdit : public TextBox, public ControlInterface {
public:
  // True when the character code may be typed.
  using CharFilter = std::function<bool(unsigned char code)>;

  explicit TextEdit(const FontSet* font = nullptr) : TextBox(font) {}

  // Typed text stops growing at this many characters; set_text is not cut.
  void set_max_length(std::size_t characters) { max_length_ = characters; }
  void set_filter(CharFilter filter) { filter_ = std::move(filter); }
  // Background while editing (the idle look is the TextBox's).
  void set_edit_background(uint32_t rgb) { edit_background_ = rgb; }

  // A text from elsewhere; while editing it also becomes the text Escape restores.
  void set_text(std::string_view text) override;

  bool is_editing() const { return editing_; }
  std::size_t caret() const { return caret_; }
  std::size_t selection_start() const { return std::min(anchor_, caret_); }
  std::size_t selection_end() const { return std::max(anchor_, caret_); }

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  bool key_down(const KeyEvent& e) override;
  bool wants_focus() const override { return is_enabled() && is_visible(); }
  void focus_changed(bool has_focus) override;

private:
  void begin_edit();
  void commit();
  void cancel();
  void end_edit();
  void insert(unsigned char code);
  void erase_selection();
  void move_caret(std::size_t to, bool extend);
  bool can_type(uint32_t code_point) const;
  // Where the first character is drawn, in window coordinates.
  int text_origin() const;
  int caret_x(std::size_t index) const;
  std::size_t index_at(int x) const;
  void scroll_to_caret();

  bool editing_ = false;
  bool dragging_ = false;
  std::string saved_text_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
  std::size_t max_length_ = 255;
  int scroll_ = 0;  // pixels of text hidden at the left while editing
  CharFilter filter_;
  uint32_t edit_background_ = 0xFFFFFF;
};

}  // namespace pengui
