#pragma once
// A message drawn inside the editor as a modal overlay: a title bar, text
// broken into lines that fit (long paths break at separators), and OK or
// Yes/No buttons. show() returns at once; the answer comes through the
// callback after the box has closed, so the callback may show another box.
// Enter answers the button with the keyboard highlight (OK or Yes at
// first), Escape answers OK or No, Y and N answer Yes and No.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/image.h"
#include "gui/widget.h"

namespace pengui {

enum class MessageButtons { ok, yes_no };
enum class MessageAnswer { ok, yes, no };

class MessageBox : public Widget {
public:
  using Done = std::function<void(MessageAnswer answer)>;

  explicit MessageBox(const FontSet* font = nullptr) : font_(font) {}
  ~MessageBox() override;
  void set_font(const FontSet* font) { font_ = font; }

  // False, with nothing changed, while this box still waits for an answer.
  bool show(Window& window, std::string_view title, std::string_view text, MessageButtons buttons, Done done);
  // Takes the box away without an answer (editor closing).
  void close();
  bool is_shown() const { return shown_; }

  const std::string& title() const { return title_; }
  const std::vector<std::string>& lines() const { return lines_; }
  int button_count() const { return static_cast<int>(buttons_.size()); }
  Rect button_rect(int index) const;

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  bool key_down(const KeyEvent& e) override;

  // `text` in lines at most `width` pixels wide: a break at each '\n', then
  // after the last space, '/' or '\' that fits, else between characters.
  static std::vector<std::string> wrap(const FontSet* font, std::string_view text, int width);

private:
  struct Button {
    MessageAnswer answer;
    const char* label;
    Rect rect;
  };
  void layout(const Window& window, MessageButtons buttons);
  void answer(MessageAnswer a);
  int button_at(Point p) const;
  void draw_button(Canvas& canvas, const Button& b, bool pressed, bool highlighted) const;

  const FontSet* font_;
  bool shown_ = false;
  std::string title_;
  std::vector<std::string> lines_;
  std::vector<Button> buttons_;
  Done done_;
  Rect box_;
  Rect title_bar_;
  int line_height_ = 0;
  int highlighted_ = 0;  // keyboard choice
  int pressed_ = -1;     // button held by the mouse
  bool pressed_over_ = false;
};

}  // namespace pengui
