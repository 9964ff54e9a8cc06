#include "gui/piano_keyboard.h"

#include "gui/window.h"

namespace pengui {

namespace {
constexpr uint32_t kWhite = 0xF4F2EC;
constexpr uint32_t kWhiteDown = 0x9CC0E6;
constexpr uint32_t kBlack = 0x1C1C1C;
constexpr uint32_t kBlackDown = 0x3E6EA8;
constexpr uint32_t kGap = 0x4A4A4A;
// Black keys: 60 % of a white key wide, 62 % of the keyboard high.
constexpr int kBlackWidthPercent = 60;
constexpr int kBlackHeightPercent = 62;

bool is_note(int note) { return note >= 0 && note < PianoKeyboard::kNbrNotes; }
}  // namespace

bool PianoKeyboard::is_black(int note) {
  switch (((note % 12) + 12) % 12) {
    case 1: case 3: case 6: case 8: case 10: return true;
    default: return false;
  }
}

bool PianoKeyboard::set_range(int first_note, int last_note) {
  if (!is_note(first_note) || !is_note(last_note) || first_note >= last_note || is_black(first_note) ||
      is_black(last_note)) {
    return false;
  }
  release();
  first_ = first_note;
  last_ = last_note;
  invalidate();
  return true;
}

void PianoKeyboard::set_velocity_mapper(const KeyVelocityMapperInterface* mapper) {
  mapper_ = mapper ? mapper : &default_mapper_;
}

int PianoKeyboard::white_count() const { return white_index(last_ + 1); }

int PianoKeyboard::white_index(int note) const {
  int n = 0;
  for (int k = first_; k < note; ++k) n += is_black(k) ? 0 : 1;
  return n;
}

Rect PianoKeyboard::white_rect(int index) const {
  // Integer edges spread the remainder so that the keys fill the width exactly.
  const Rect& b = bounds();
  const int n = white_count();
  const int left = b.x + index * b.w / n;
  const int right = b.x + (index + 1) * b.w / n;
  return {left, b.y, right - left, b.h};
}

Rect PianoKeyboard::key_rect(int note) const {
  if (note < first_ || note > last_) return {};
  const int index = white_index(note);
  if (!is_black(note)) return white_rect(index);
  // Centred on the edge between its white neighbours.
  const Rect& b = bounds();
  const int edge = white_rect(index).x;
  const int w = std::max(1, b.w / white_count() * kBlackWidthPercent / 100);
  return {edge - w / 2, b.y, w, b.h * kBlackHeightPercent / 100};
}

int PianoKeyboard::note_at(Point p) const {
  if (!bounds().contains(p)) return -1;
  for (int k = first_; k <= last_; ++k) {
    if (is_black(k) && key_rect(k).contains(p)) return k;
  }
  for (int k = first_; k <= last_; ++k) {
    if (!is_black(k) && key_rect(k).contains(p)) return k;
  }
  return -1;
}

bool PianoKeyboard::is_key_down(int note) const {
  return is_note(note) && (shown_[static_cast<std::size_t>(note)] || held_ == note);
}

template <typename Change>
void PianoKeyboard::change_look(int note, Change change) {
  const bool was = is_key_down(note);
  change();
  if (is_key_down(note) != was) invalidate(key_rect(note));
}

void PianoKeyboard::set_note_shown(int note, bool down) {
  if (!is_note(note)) return;
  change_look(note, [&] { shown_[static_cast<std::size_t>(note)] = down; });
}

void PianoKeyboard::all_off() {
  for (int k = 0; k < kNbrNotes; ++k) set_note_shown(k, false);
}

void PianoKeyboard::press(int note, int y) {
  const Rect key = key_rect(note);
  const double velocity = mapper_->velocity(y, key.y, key.bottom());
  change_look(note, [&] { held_ = note; });
  if (listener_) listener_->key_pressed(note, velocity);
}

void PianoKeyboard::release() {
  const int note = held_;
  if (note < 0) return;
  change_look(note, [&] { held_ = -1; });
  if (listener_) listener_->key_released(note);
}

bool PianoKeyboard::mouse_down(const MouseEvent& e) {
  if (!is_enabled() || e.button != MouseButton::left) return false;
  const int note = note_at(e.pos);
  if (note < 0) return false;
  release();
  dragging_ = true;
  // Held so that closing the window or another capture ends the note.
  if (window()) window()->capture_mouse(this, CaptureMode::plain);
  press(note, e.pos.y);
  return true;
}

void PianoKeyboard::mouse_move(const MouseEvent& e) {
  if (!dragging_) return;
  const int note = note_at(e.pos);
  if (note == held_) return;
  release();
  if (note >= 0) press(note, e.pos.y);
}

void PianoKeyboard::mouse_up(const MouseEvent& /*e*/) {
  dragging_ = false;
  if (window() && window()->captured() == this) window()->release_mouse();
  release();
}

void PianoKeyboard::capture_lost() {
  dragging_ = false;
  release();
}

void PianoKeyboard::draw(Canvas& canvas) {
  const Rect& clip = canvas.clip();
  for (int k = first_; k <= last_; ++k) {
    if (is_black(k)) continue;
    const Rect r = key_rect(k);
    if (r.intersect(clip).empty()) continue;
    canvas.fill_rect({r.x, r.y, r.w - 1, r.h}, is_key_down(k) ? kWhiteDown : kWhite);
    canvas.fill_rect({r.right() - 1, r.y, 1, r.h}, kGap);
  }
  for (int k = first_; k <= last_; ++k) {
    if (!is_black(k)) continue;
    const Rect r = key_rect(k);
    if (!r.intersect(clip).empty()) canvas.fill_rect(r, is_key_down(k) ? kBlackDown : kBlack);
  }
}

}  // namespace pengui
