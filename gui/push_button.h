#pragma once
// A momentary button. Its listeners hear the press at once as value 0
// (the setup button opens its menu there) and a completed click, released
// over the button, as value 1; a release elsewhere sends nothing. Both go
// out at click priority. Pictures per state are optional: without them
// the button is drawn as a plain bevelled box with its label.

#include <cstdint>
#include <string>
#include <string_view>

#include "gui/image.h"
#include "gui/listened_control.h"
#include "gui/widget.h"

namespace pengui {

class PushButton : public Widget, public ControlInterface {
public:
  static constexpr int kPrio = 200;  // a click overrides automation
  static constexpr double kPressValue = 0.0;
  static constexpr double kClickValue = 1.0;

  PushButton() = default;
  // Not owned; `disabled` may be null (the up picture is then dimmed).
  void set_images(const Image* up, const Image* down, const Image* disabled = nullptr);
  // Text drawn on the plain look.
  void set_label(std::string_view label, const FontSet* font);

  bool is_pressed() const { return pressed_ && over_; }

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  void capture_lost() override;

private:
  void set_look(bool pressed, bool over);

  const Image* up_ = nullptr;
  const Image* down_ = nullptr;
  const Image* disabled_ = nullptr;
  std::string label_;
  const FontSet* font_ = nullptr;
  bool pressed_ = false;
  bool over_ = false;
};

}  // namespace pengui
