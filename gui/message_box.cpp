#include "gui/message_box.h"

#include <algorithm>

#include "gui/text_box.h"
#include "gui/window.h"

namespace pengui {

namespace {
constexpr int kPad = 10;
constexpr int kShadow = 4;
constexpr int kMinLineHeight = 10;
constexpr int kMinButtonWidth = 64;
constexpr int kButtonGap = 12;
constexpr int kMaxTextWidth = 480;
constexpr int kWindowMargin = 20;

constexpr uint32_t kShadowColour = 0x000000;
constexpr int kShadowAlpha = 90;
constexpr uint32_t kFace = 0xECECEC;
constexpr uint32_t kFrame = 0x303030;
constexpr uint32_t kTitleBar = 0x34547E;
constexpr uint32_t kTitleText = 0xFFFFFF;
constexpr uint32_t kText = 0x101010;
constexpr uint32_t kButtonFace = 0xD0D0D0;
constexpr uint32_t kButtonPressed = 0xA0A0A0;
constexpr uint32_t kButtonFrame = 0x505050;
constexpr uint32_t kHighlightFrame = 0x34547E;

bool is_break_after(char c) { return c == ' ' || c == '/' || c == '\\'; }
}  // namespace

MessageBox::~MessageBox() { close(); }

std::vector<std::string> MessageBox::wrap(const FontSet* font, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t newline = text.find('\n', start);
    std::string_view para = text.substr(start, newline == std::string_view::npos ? std::string_view::npos : newline - start);
    while (width > 0 && para.size() > 1 && TextBox::measure(font, para) > width) {
      // Longest head that fits, at least one character.
      std::size_t fit = 1;
      while (fit < para.size() && TextBox::measure(font, para.substr(0, fit + 1)) <= width) ++fit;
      std::size_t cut = fit;
      for (std::size_t i = fit; i > 0; --i) {
        if (is_break_after(para[i - 1])) {
          cut = i;
          break;
        }
      }
      std::string_view head = para.substr(0, cut);
      if (!head.empty() && head.back() == ' ') head.remove_suffix(1);
      lines.emplace_back(head);
      para.remove_prefix(cut);
    }
    lines.emplace_back(para);
    if (newline == std::string_view::npos) break;
    start = newline + 1;
  }
  return lines;
}

void MessageBox::layout(const Window& window, MessageButtons buttons) {
  const int text_h = TextBox::line_height(font_);
  line_height_ = std::max(text_h, kMinLineHeight) + 2;
  const int title_h = line_height_ + 6;
  const int button_h = line_height_ + 8;

  buttons_.clear();
  if (buttons == MessageButtons::ok) {
    buttons_.push_back({MessageAnswer::ok, "OK", {}});
  } else {
    buttons_.push_back({MessageAnswer::yes, "Yes", {}});
    buttons_.push_back({MessageAnswer::no, "No", {}});
  }
  int buttons_w = 0;
  for (Button& b : buttons_) {
    b.rect.w = std::max(kMinButtonWidth, TextBox::measure(font_, b.label) + 16);
    b.rect.h = button_h;
    buttons_w += b.rect.w;
  }
  buttons_w += kButtonGap * (static_cast<int>(buttons_.size()) - 1);

  const int max_text_w = std::min(kMaxTextWidth, window.width() - 2 * kWindowMargin - 2 * kPad);
  int inner_w = std::max(buttons_w, TextBox::measure(font_, title_) + 2 * kPad);
  for (const std::string& l : lines_) inner_w = std::max(inner_w, TextBox::measure(font_, l));
  inner_w = std::min(inner_w, std::max(max_text_w, buttons_w));

  const int w = inner_w + 2 * kPad;
  const int h = title_h + kPad + static_cast<int>(lines_.size()) * line_height_ + kPad + button_h + kPad;
  const int x = std::max(0, (window.width() - w) / 2);
  const int y = std::max(0, (window.height() - h) / 2);
  box_ = {x, y, w, h};
  title_bar_ = {x + 1, y + 1, w - 2, title_h};

  int bx = x + (w - buttons_w) / 2;
  for (Button& b : buttons_) {
    b.rect.x = bx;
    b.rect.y = box_.bottom() - kPad - button_h;
    bx += b.rect.w + kButtonGap;
  }
}

bool MessageBox::show(Window& window, std::string_view title, std::string_view text, MessageButtons buttons,
                      Done done) {
  if (shown_) return false;
  title_.assign(title);
  const int max_text_w = std::min(kMaxTextWidth, window.width() - 2 * kWindowMargin - 2 * kPad);
  lines_ = wrap(font_, text, max_text_w);
  done_ = std::move(done);
  highlighted_ = 0;
  pressed_ = -1;
  pressed_over_ = false;
  layout(window, buttons);
  shown_ = true;
  window.push_overlay(this);
  set_bounds({box_.x, box_.y, box_.w + kShadow, box_.h + kShadow});
  invalidate();
  return true;
}

void MessageBox::close() {
  if (!shown_) return;
  shown_ = false;
  done_ = nullptr;
  if (window()) window()->pop_overlay(this);
}

void MessageBox::answer(MessageAnswer a) {
  Done done = std::move(done_);
  close();
  if (done) done(a);
}

Rect MessageBox::button_rect(int index) const {
  if (index < 0 || index >= button_count()) return {};
  return buttons_[static_cast<std::size_t>(index)].rect;
}

int MessageBox::button_at(Point p) const {
  for (int i = 0; i < button_count(); ++i) {
    if (buttons_[static_cast<std::size_t>(i)].rect.contains(p)) return i;
  }
  return -1;
}

bool MessageBox::mouse_down(const MouseEvent& e) {
  // Modal: a press anywhere is taken, only a button does something.
  if (!shown_) return false;
  pressed_ = e.button == MouseButton::left ? button_at(e.pos) : -1;
  pressed_over_ = pressed_ >= 0;
  if (pressed_ >= 0) invalidate(button_rect(pressed_));
  return true;
}

void MessageBox::mouse_move(const MouseEvent& e) {
  if (pressed_ < 0) return;
  const bool over = button_rect(pressed_).contains(e.pos);
  if (over == pressed_over_) return;
  pressed_over_ = over;
  invalidate(button_rect(pressed_));
}

void MessageBox::mouse_up(const MouseEvent& e) {
  const int pressed = pressed_;
  pressed_ = -1;
  if (!shown_ || pressed < 0) return;
  invalidate(button_rect(pressed));
  if (button_at(e.pos) == pressed) answer(buttons_[static_cast<std::size_t>(pressed)].answer);
}

bool MessageBox::key_down(const KeyEvent& e) {
  if (!shown_) return false;
  const bool yes_no = button_count() == 2;
  switch (e.key) {
    case Key::enter:
      answer(buttons_[static_cast<std::size_t>(highlighted_)].answer);
      break;
    case Key::escape:
      answer(yes_no ? MessageAnswer::no : MessageAnswer::ok);
      break;
    case Key::left:
    case Key::right:
    case Key::tab:
      highlighted_ = (highlighted_ + 1) % button_count();
      invalidate();
      break;
    case Key::character:
      if (yes_no && (e.character == 'y' || e.character == 'Y')) answer(MessageAnswer::yes);
      if (yes_no && (e.character == 'n' || e.character == 'N')) answer(MessageAnswer::no);
      break;
    default:
      break;
  }
  return true;
}

void MessageBox::draw_button(Canvas& canvas, const Button& b, bool pressed, bool highlighted) const {
  canvas.fill_rect(b.rect, pressed ? kButtonPressed : kButtonFace);
  canvas.frame_rect(b.rect, highlighted ? kHighlightFrame : kButtonFrame, highlighted ? 2 : 1);
  if (font_ && font_->x1) canvas.draw_text_in(*font_, b.rect, b.label, kText, Align::center);
}

void MessageBox::draw(Canvas& canvas) {
  if (!shown_) return;
  canvas.blend_rect({box_.x + kShadow, box_.y + kShadow, box_.w, box_.h}, kShadowColour, kShadowAlpha);
  canvas.fill_rect(box_, kFace);
  canvas.frame_rect(box_, kFrame);
  canvas.fill_rect(title_bar_, kTitleBar);
  const bool has_font = font_ && font_->x1;
  if (has_font) canvas.draw_text_in(*font_, title_bar_, title_, kTitleText, Align::center);
  int y = title_bar_.bottom() + kPad;
  for (const std::string& line : lines_) {
    if (has_font) canvas.draw_text_in(*font_, {box_.x + kPad, y, box_.w - 2 * kPad, line_height_}, line, kText);
    y += line_height_;
  }
  for (int i = 0; i < button_count(); ++i) {
    draw_button(canvas, buttons_[static_cast<std::size_t>(i)], i == pressed_ && pressed_over_, i == highlighted_);
  }
}

}  // namespace pengui
