#include "gui/text_edit.h"

#include "gui/window.h"

namespace pengui {

namespace {
constexpr uint32_t kSelectionColour = 0xA8C8F0;
constexpr unsigned kShortcutModifiers = kModControl | kModAlt | kModSuper;
}  // namespace

void TextEdit::set_text(std::string_view text) {
  TextBox::set_text(text);
  if (editing_) saved_text_ = text_;
  // New text from outside: the old caret position means nothing in it.
  caret_ = anchor_ = text_.size();
  scroll_to_caret();
}

void TextEdit::begin_edit() {
  if (editing_) return;
  editing_ = true;
  saved_text_ = text_;
  anchor_ = 0;
  caret_ = text_.size();
  scroll_to_caret();
  invalidate();
}

void TextEdit::end_edit() {
  editing_ = false;
  dragging_ = false;
  scroll_ = 0;
  caret_ = anchor_ = 0;
  invalidate();
  // Dropping the focus calls focus_changed(false), which then finds nothing to undo.
  if (window() && window()->focus() == this) window()->set_focus(nullptr);
}

void TextEdit::commit() {
  const std::string entered = text_;
  end_edit();
  // Last: a listener may rewrite this box (a value read back formatted).
  send_text(entered.c_str());
}

void TextEdit::cancel() {
  text_ = saved_text_;
  end_edit();
}

void TextEdit::focus_changed(bool has_focus) {
  if (has_focus) {
    begin_edit();
  } else if (editing_) {
    cancel();
  }
}

bool TextEdit::can_type(uint32_t code_point) const {
  // The font has 8-bit codes: printable ASCII and Latin-1.
  const bool printable = (code_point >= 0x20 && code_point < 0x7F) || (code_point >= 0xA0 && code_point <= 0xFF);
  if (!printable) return false;
  return !filter_ || filter_(static_cast<unsigned char>(code_point));
}

void TextEdit::erase_selection() {
  const std::size_t from = selection_start();
  text_.erase(from, selection_end() - from);
  caret_ = anchor_ = from;
}

void TextEdit::insert(unsigned char code) {
  const std::size_t kept = text_.size() - (selection_end() - selection_start());
  if (max_length_ > 0 && kept >= max_length_) return;
  erase_selection();
  text_.insert(caret_, 1, static_cast<char>(code));
  caret_ = anchor_ = caret_ + 1;
}

void TextEdit::move_caret(std::size_t to, bool extend) {
  caret_ = std::min(to, text_.size());
  if (!extend) anchor_ = caret_;
}

bool TextEdit::key_down(const KeyEvent& e) {
  if (!editing_) return false;
  // Shortcuts belong to the host.
  if (e.modifiers & kShortcutModifiers) return false;
  const bool extend = (e.modifiers & kModShift) != 0;
  const bool has_selection = caret_ != anchor_;
  switch (e.key) {
    case Key::character:
      if (!can_type(e.character)) return true;
      insert(static_cast<unsigned char>(e.character));
      break;
    case Key::backspace:
      if (!has_selection && caret_ > 0) anchor_ = caret_ - 1;
      erase_selection();
      break;
    case Key::del:
      if (!has_selection && caret_ < text_.size()) anchor_ = caret_ + 1;
      erase_selection();
      break;
    case Key::left:
      if (has_selection && !extend) {
        move_caret(selection_start(), false);
      } else {
        move_caret(caret_ > 0 ? caret_ - 1 : 0, extend);
      }
      break;
    case Key::right:
      if (has_selection && !extend) {
        move_caret(selection_end(), false);
      } else {
        move_caret(caret_ + 1, extend);
      }
      break;
    case Key::home:
      move_caret(0, extend);
      break;
    case Key::end:
      move_caret(text_.size(), extend);
      break;
    case Key::enter:
      commit();
      return true;
    case Key::escape:
      cancel();
      return true;
    default:
      return false;
  }
  scroll_to_caret();
  invalidate();
  return true;
}

bool TextEdit::mouse_down(const MouseEvent& e) {
  if (!is_enabled() || e.button != MouseButton::left) return false;
  begin_edit();
  if (window() && window()->focus() != this) window()->set_focus(this);
  if (e.clicks >= 2) {
    anchor_ = 0;
    caret_ = text_.size();
  } else {
    move_caret(index_at(e.pos.x), (e.modifiers & kModShift) != 0);
    dragging_ = true;
  }
  scroll_to_caret();
  invalidate();
  return true;
}

void TextEdit::mouse_move(const MouseEvent& e) {
  if (!dragging_ || !editing_) return;
  const std::size_t at = index_at(e.pos.x);
  if (at == caret_) return;
  move_caret(at, true);
  scroll_to_caret();
  invalidate();
}

void TextEdit::mouse_up(const MouseEvent& /*e*/) { dragging_ = false; }

int TextEdit::text_origin() const {
  const Rect area = text_area();
  if (editing_ && measure(font_, text_) > area.w) return area.x - scroll_;
  return text_left(text_);
}

int TextEdit::caret_x(std::size_t index) const {
  return text_origin() + measure(font_, std::string_view(text_).substr(0, index));
}

std::size_t TextEdit::index_at(int x) const {
  // The boundary nearest to x: past a glyph's middle puts the caret after it.
  int left = text_origin();
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const int w = measure(font_, std::string_view(text_).substr(i, 1));
    if (x < left + w / 2 + (w % 2)) return i;
    left += w;
  }
  return text_.size();
}

void TextEdit::scroll_to_caret() {
  const Rect area = text_area();
  const int full = measure(font_, text_);
  if (!editing_ || full <= area.w) {
    scroll_ = 0;
    return;
  }
  const int at = measure(font_, std::string_view(text_).substr(0, caret_));
  if (at - scroll_ > area.w - 1) scroll_ = at - area.w + 1;
  if (at < scroll_) scroll_ = at;
  scroll_ = std::clamp(scroll_, 0, std::max(0, full - area.w + 1));
}

void TextEdit::draw(Canvas& canvas) {
  if (!editing_) {
    TextBox::draw(canvas);
    return;
  }
  canvas.fill_rect(bounds(), edit_background_);
  if (frame_ != kNoColour) canvas.frame_rect(bounds(), frame_);
  const Rect area = text_area();
  Canvas::ClipGuard guard(canvas, area);
  const int line = std::max(line_height(font_), 1);
  const int top = area.y + (area.h - line) / 2;
  if (caret_ != anchor_) {
    const int from = caret_x(selection_start());
    canvas.fill_rect({from, top, caret_x(selection_end()) - from, line}, kSelectionColour);
  }
  if (font_ && font_->x1) canvas.draw_text(*font_, text_origin(), top, text_, text_colour_);
  canvas.fill_rect({caret_x(caret_), top, 1, line}, text_colour_);
}

}  // namespace pengui
