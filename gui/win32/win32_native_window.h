#pragma once
// The editor's window on Windows: a child of the host's window whose class
// belongs to our own module. The system delivers its messages through the
// host's message loop; a timer drives the toolkit's timers and repaints,
// and WM_PAINT blits the rendering buffer as a DIB.

#include <bitset>
#include <memory>

#include "gui/native_window.h"
#include "gui/win32/win32_keys.h"
#include "gui/win32/win32_window_class.h"

namespace pengui {

class Win32NativeWindow final : public NativeWindow {
public:
  // Period of the tick that drives the toolkit's timers between host idle calls.
  static constexpr UINT kTickMilliseconds = 15;

  explicit Win32NativeWindow(NativeEventSink& sink);
  ~Win32NativeWindow() override;
  Win32NativeWindow(const Win32NativeWindow&) = delete;
  Win32NativeWindow& operator=(const Win32NativeWindow&) = delete;

  bool open(void* parent, const RenderBuffer* buffer) override;
  void close() override;
  bool is_open() const override;
  void* handle() const override;

  void pump() override {}
  void present(const Rect& r) override;

  void capture(CaptureMode mode) override;
  void release_capture() override;
  void set_cursor_visible(bool visible) override;
  bool get_cursor_pos(Point& p) const override;
  void set_cursor_pos(Point p) override;

  // Also before open(), from the screen as the calling thread sees it.
  int desktop_scale() const override;

private:
  static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  // Runs a call into the sink; false when it closed or deleted this
  // window, which must then not be touched.
  template <typename Call>
  bool notify(Call&& call);

  void paint();
  bool on_button(MouseButton button, bool down, LPARAM lparam);
  void on_move(LPARAM lparam);
  void on_wheel(WPARAM wparam, LPARAM lparam);
  bool on_key_down(WPARAM wparam, LPARAM lparam);
  bool on_key_up(WPARAM wparam, LPARAM lparam);
  void on_capture_taken();
  void on_destroyed();
  void update_system_capture();
  void warp_to_anchor();
  void show_cursor(bool visible);
  void forward_to_parent(UINT message, WPARAM wparam, LPARAM lparam);
  void reset_input_state();

  NativeEventSink& sink_;
  HWND hwnd_ = nullptr;
  HWND parent_ = nullptr;
  const RenderBuffer* buffer_ = nullptr;
  bool holds_class_ = false;
  // Open and not yet reported gone: only then is the sink told of a death.
  bool live_ = false;
  // Shared with running message handlers, which see it turn false when the
  // object is deleted under them.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  // The toolkit's capture; the system capture is also held while a button
  // is down, so that the release reaches us outside the window.
  bool captured_ = false;
  bool relative_ = false;
  bool releasing_ = false;
  bool cursor_hidden_ = false;
  bool tracking_leave_ = false;
  unsigned buttons_down_ = 0;
  bool has_last_pos_ = false;
  Point last_pos_;
  // Relative capture: where the cursor is held, and where the next
  // movement counts from.
  Point anchor_;
  Point relative_from_;
  int wheel_remainder_ = 0;
  Utf16Joiner text_;
  // Keys whose press went to the host, so that their release goes there too.
  std::bitset<256> forwarded_keys_;
};

}  // namespace pengui
