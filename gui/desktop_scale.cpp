#include "gui/desktop_scale.h"

#include <cstdlib>
#include <cstring>

#include "gui/native_window.h"

namespace pengui {

namespace {

// A window that is never opened reports nothing.
class SilentSink : public NativeEventSink {
public:
  void native_mouse_down(const MouseEvent&) override {}
  void native_mouse_up(const MouseEvent&) override {}
  void native_mouse_move(const MouseEvent&) override {}
  void native_mouse_wheel(const MouseEvent&, int) override {}
  void native_mouse_leave() override {}
  bool native_key(const KeyEvent&, bool) override { return false; }
  void native_focus(bool) override {}
  void native_tick() override {}
  void native_destroyed() override {}
};

}  // namespace

int forced_gui_scale() {
  const char* v = std::getenv("ZINDLE_GUI_SCALE");
  if (!v) return 0;
  if (std::strcmp(v, "1") == 0) return 1;
  if (std::strcmp(v, "2") == 0) return 2;
  return 0;
}

int query_desktop_scale() {
  SilentSink sink;
  std::unique_ptr<NativeWindow> window = make_native_window(sink);
  return window && window->desktop_scale() >= 2 ? 2 : 1;
}

}  // namespace pengui
