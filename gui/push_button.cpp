#include "gui/push_button.h"

#include "gui/window.h"

namespace pengui {

namespace {
constexpr uint32_t kFace = 0xC8C8C8;
constexpr uint32_t kFacePressed = 0x9A9A9A;
constexpr uint32_t kLight = 0xF0F0F0;
constexpr uint32_t kShadow = 0x505050;
constexpr uint32_t kText = 0x101010;
constexpr uint32_t kTextDisabled = 0x808080;
constexpr uint32_t kDimColour = 0x808080;
constexpr int kDimAlpha = 128;
}  // namespace

void PushButton::set_images(const Image* up, const Image* down, const Image* disabled) {
  up_ = up;
  down_ = down;
  disabled_ = disabled;
  invalidate();
}

void PushButton::set_label(std::string_view label, const FontSet* font) {
  label_.assign(label);
  font_ = font;
  invalidate();
}

void PushButton::set_look(bool pressed, bool over) {
  const bool was = is_pressed();
  pressed_ = pressed;
  over_ = over;
  if (is_pressed() != was) invalidate();
}

bool PushButton::mouse_down(const MouseEvent& e) {
  if (!is_enabled() || e.button != MouseButton::left) return false;
  set_look(true, true);
  set_and_send(kPressValue, kPrio);
  // The press may have opened a menu that now owns the mouse: no release comes.
  if (window() && window()->top_overlay()) set_look(false, false);
  return true;
}

void PushButton::mouse_move(const MouseEvent& e) {
  if (pressed_) set_look(true, bounds().contains(e.pos));
}

void PushButton::mouse_up(const MouseEvent& e) {
  if (!pressed_) return;
  const bool clicked = bounds().contains(e.pos) && is_enabled();
  set_look(false, false);
  if (clicked) set_and_send(kClickValue, kPrio);
}

void PushButton::capture_lost() { set_look(false, false); }

void PushButton::draw(Canvas& canvas) {
  const Rect& b = bounds();
  const bool down = is_pressed();
  const Image* picture = down ? down_ : up_;
  if (!is_enabled() && disabled_) picture = disabled_;
  if (picture && picture->x1) {
    canvas.draw_image(*picture, b.x, b.y);
    if (!is_enabled() && !disabled_) canvas.blend_rect(b, kDimColour, kDimAlpha);
    return;
  }
  canvas.fill_rect(b, down ? kFacePressed : kFace);
  // Light from the top left; swapped while pressed.
  canvas.fill_rect({b.x, b.y, b.w, 1}, down ? kShadow : kLight);
  canvas.fill_rect({b.x, b.y, 1, b.h}, down ? kShadow : kLight);
  canvas.fill_rect({b.x, b.bottom() - 1, b.w, 1}, down ? kLight : kShadow);
  canvas.fill_rect({b.right() - 1, b.y, 1, b.h}, down ? kLight : kShadow);
  if (font_ && font_->x1 && !label_.empty()) {
    const Rect text = down ? b.offset(1, 1) : b;
    canvas.draw_text_in(*font_, text, label_, is_enabled() ? kText : kTextDisabled, Align::center);
  }
}

}  // namespace pengui
