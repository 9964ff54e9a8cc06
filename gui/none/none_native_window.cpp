// A build without a display library (the 32-bit test build has no 32-bit
// X11): no window ever opens, so the editor reports failure to the host and
// the host shows its own parameter view.

#include "gui/native_window.h"

namespace pengui {

namespace {

class NoneNativeWindow : public NativeWindow {
public:
  bool open(void* /*parent*/, const RenderBuffer* /*buffer*/) override { return false; }
  void close() override {}
  bool is_open() const override { return false; }
  void* handle() const override { return nullptr; }
  void pump() override {}
  void present(const Rect& /*r*/) override {}
  void capture(CaptureMode /*mode*/) override {}
  void release_capture() override {}
  void set_cursor_visible(bool /*visible*/) override {}
  bool get_cursor_pos(Point& /*p*/) const override { return false; }
  void set_cursor_pos(Point /*p*/) override {}
  int desktop_scale() const override { return 1; }
};

}  // namespace

std::unique_ptr<NativeWindow> make_native_window(NativeEventSink& /*sink*/) {
  return std::make_unique<NoneNativeWindow>();
}

}  // namespace pengui
