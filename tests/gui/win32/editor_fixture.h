#pragma once
// An editor as the plug-in builds one: a 900 x 446 toolkit window with a
// patterned backdrop and a probe widget that records what reaches it.

#include <string>
#include <vector>

#include "gui/push_button.h"
#include "gui/window.h"
#include "tests/gui/win32/win32_test_host.h"

namespace wincheck {

// Stripes and a gradient, so that an offset or a channel swap shows.
struct Backdrop : pengui::Widget {
  void draw(pengui::Canvas& canvas) override;
};

class Probe : public pengui::Widget, public pengui::TimerListener {
public:
  bool capture_relative = false;
  uint32_t colour = 0x2040C0;
  std::vector<std::string> log;  // "down 12,30", "move +3,-4", "wheel 2", "key left", "char 97"
  int ticks = 0;

  void draw(pengui::Canvas& canvas) override { canvas.fill_rect(bounds(), colour); }
  bool mouse_down(const pengui::MouseEvent& e) override;
  void mouse_up(const pengui::MouseEvent& e) override;
  void mouse_move(const pengui::MouseEvent& e) override;
  bool mouse_wheel(const pengui::MouseEvent& e, int steps) override;
  bool key_down(const pengui::KeyEvent& e) override;
  bool wants_focus() const override { return true; }
  void timer_fired(int) override { ++ticks; }
  bool saw(const std::string& entry) const;
};

struct ButtonListener : pengui::DefaultEventListener {
  std::vector<double> values;
  double set_value(double nrm, int) override {
    values.push_back(nrm);
    return nrm;
  }
};

class Editor {
public:
  Editor();
  ~Editor();
  pengui::Window window{900, 446};
  Backdrop backdrop;
  Probe probe;
  pengui::PushButton button;
  ButtonListener button_listener;

  HWND hwnd() const { return static_cast<HWND>(window.native_handle()); }
  // Device position of a logical point.
  POINT device(int x, int y) const { return {x * window.scale(), y * window.scale()}; }
  LPARAM client_lparam(int x, int y) const;
  bool shows_buffer_soon() const;
  // The press and release a user's click makes, posted as the system would.
  void post_click(int x, int y) const;
};

bool editor_class_registered();

}  // namespace wincheck
