#include "gui/win32/win32_native_window.h"

#include <windowsx.h>

#include "gui/win32/win32_dpi.h"

namespace pengui {

namespace {

constexpr UINT_PTR kTickTimerId = 1;

unsigned button_bit(MouseButton b) { return 1u << static_cast<unsigned>(b); }

Point client_point(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

bool same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

}  // namespace

std::unique_ptr<NativeWindow> make_native_window(NativeEventSink& sink) {
  return std::make_unique<Win32NativeWindow>(sink);
}

Win32NativeWindow::Win32NativeWindow(NativeEventSink& sink) : sink_(sink) {}

Win32NativeWindow::~Win32NativeWindow() {
  close();
  *alive_ = false;
}

bool Win32NativeWindow::open(void* parent, const RenderBuffer* buffer) {
  HWND parent_window = static_cast<HWND>(parent);
  if (hwnd_ && parent_window == parent_ && buffer == buffer_) return true;
  close();
  if (!parent_window || !IsWindow(parent_window) || !buffer || buffer->width() <= 0 || buffer->height() <= 0)
    return false;
  if (!acquire_editor_class(window_proc)) return false;
  holds_class_ = true;
  parent_ = parent_window;
  buffer_ = buffer;
  {
    // The window takes the awareness of the thread that makes it: the host's.
    DpiAwarenessScope dpi(parent_window);
    CreateWindowExW(0, editor_class_name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                    buffer->width(), buffer->height(), parent_window, nullptr, own_module(), this);
  }
  if (!hwnd_) {
    close();
    return false;
  }
  SetTimer(hwnd_, kTickTimerId, kTickMilliseconds, nullptr);
  live_ = true;
  return true;
}

void Win32NativeWindow::close() {
  live_ = false;
  if (hwnd_) {
    const HWND hwnd = hwnd_;
    show_cursor(true);
    // From here on the window's messages no longer reach this object.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    if (GetCapture() == hwnd) ReleaseCapture();
    KillTimer(hwnd, kTickTimerId);
    // Only the thread that made the window may destroy it; from any other
    // the window is asked to close itself.
    if (!DestroyWindow(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  }
  if (holds_class_) {
    release_editor_class();
    holds_class_ = false;
  }
  parent_ = nullptr;
  buffer_ = nullptr;
  reset_input_state();
}

bool Win32NativeWindow::is_open() const { return hwnd_ != nullptr; }

void* Win32NativeWindow::handle() const { return hwnd_; }

void Win32NativeWindow::reset_input_state() {
  captured_ = relative_ = releasing_ = tracking_leave_ = has_last_pos_ = false;
  cursor_hidden_ = false;
  buttons_down_ = 0;
  wheel_remainder_ = 0;
  text_ = Utf16Joiner();
  forwarded_keys_.reset();
}

template <typename Call>
bool Win32NativeWindow::notify(Call&& call) {
  const std::shared_ptr<bool> alive = alive_;
  const HWND hwnd = hwnd_;
  call();
  return *alive && hwnd_ && hwnd_ == hwnd;
}

// ---- messages

LRESULT CALLBACK Win32NativeWindow::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  auto* self = reinterpret_cast<Win32NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->on_destroyed();
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return self->handle_message(message, wparam, lparam);
}

LRESULT Win32NativeWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = hwnd_;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the buffer covers every pixel
    case WM_PAINT:
      paint();
      return 0;
    case WM_TIMER:
      if (wparam != kTickTimerId) break;
      if (live_) notify([this] { sink_.native_tick(); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      on_button(MouseButton::left, message == WM_LBUTTONDOWN, lparam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      on_button(MouseButton::middle, message == WM_MBUTTONDOWN, lparam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      on_button(MouseButton::right, message == WM_RBUTTONDOWN, lparam);
      return 0;
    case WM_MOUSEMOVE:
      on_move(lparam);
      return 0;
    case WM_MOUSEWHEEL:
      on_wheel(wparam, lparam);
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      if (!captured_ && buttons_down_ == 0) notify([this] { sink_.native_mouse_leave(); });
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != hwnd && !releasing_) on_capture_taken();
      return 0;
    case WM_SETCURSOR:
      if (cursor_hidden_ && LOWORD(lparam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_GETDLGCODE:
      // Hosts that are dialogs would otherwise keep arrows, tab and enter.
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
      on_key_down(wparam, lparam);
      return 0;
    case WM_KEYUP:
      on_key_up(wparam, lparam);
      return 0;
    case WM_CHAR: {
      // Text not taken from the queue by on_key_down (input methods, posted text).
      const uint32_t code = text_.add(static_cast<unsigned>(wparam));
      if (!code) return 0;
      KeyEvent e;
      e.key = Key::character;
      e.character = code;
      e.modifiers = current_modifiers();
      bool used = false;
      if (notify([&] { used = sink_.native_key(e, true); }) && !used) forward_to_parent(message, wparam, lparam);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (live_) notify([this, message] { sink_.native_focus(message == WM_SETFOCUS); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32NativeWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (dc && buffer_) {
    const Rect r = Rect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                        ps.rcPaint.bottom - ps.rcPaint.top}
                       .intersect(buffer_->bounds());
    if (!r.empty()) {
      // The rows of `r` as a top-down DIB of their own; its source rectangle
      // spans all of its rows, so no bottom-up origin rule applies.
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = buffer_->width();
      info.bmiHeader.biHeight = -r.h;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc, r.x, r.y, static_cast<DWORD>(r.w), static_cast<DWORD>(r.h), r.x, 0, 0,
                        static_cast<UINT>(r.h), buffer_->row(r.y), &info, DIB_RGB_COLORS);
    }
  }
  EndPaint(hwnd_, &ps);
}

void Win32NativeWindow::present(const Rect& r) {
  if (!hwnd_) return;
  const RECT area{r.x, r.y, r.right(), r.bottom()};
  InvalidateRect(hwnd_, &area, FALSE);
}

// ---- mouse

bool Win32NativeWindow::on_button(MouseButton button, bool down, LPARAM lparam) {
  const Point p = client_point(lparam);
  MouseEvent e;
  e.button = button;
  e.modifiers = current_modifiers();
  e.pos = relative_ ? anchor_ : p;
  if (!relative_) {
    last_pos_ = p;
    has_last_pos_ = true;
  }
  if (down) {
    // Clicking into the editor gives it the keyboard, as the host cannot.
    if (GetFocus() != hwnd_ && !notify([this] { SetFocus(hwnd_); })) return false;
    buttons_down_ |= button_bit(button);
    update_system_capture();
    return notify([&] { sink_.native_mouse_down(e); });
  }
  buttons_down_ &= ~button_bit(button);
  if (!notify([&] { sink_.native_mouse_up(e); })) return false;
  update_system_capture();
  return true;
}

void Win32NativeWindow::on_move(LPARAM lparam) {
  const Point p = client_point(lparam);
  MouseEvent e;
  e.modifiers = current_modifiers();
  if (relative_) {
    e.pos = anchor_;
    e.dx = p.x - relative_from_.x;
    e.dy = p.y - relative_from_.y;
    // The move that our own warp makes is at the anchor and carries nothing.
    if (e.dx == 0 && e.dy == 0) return;
    // Back to the anchor, so that the hidden cursor never meets a screen edge.
    warp_to_anchor();
    notify([&] { sink_.native_mouse_move(e); });
    return;
  }
  // Windows repeats the last position after window changes; that is no move.
  if (has_last_pos_ && same(p, last_pos_)) return;
  last_pos_ = p;
  has_last_pos_ = true;
  if (!tracking_leave_) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd_, 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  e.pos = p;
  notify([&] { sink_.native_mouse_move(e); });
}

void Win32NativeWindow::warp_to_anchor() {
  POINT screen{anchor_.x, anchor_.y};
  ClientToScreen(hwnd_, &screen);
  SetCursorPos(screen.x, screen.y);
  // Movement counts from where the cursor really is: where the system
  // cannot hold it (remote sessions), the warp does nothing, and counting
  // from the anchor would add up every move again.
  POINT now;
  if (GetCursorPos(&now) && ScreenToClient(hwnd_, &now)) relative_from_ = {now.x, now.y};
}

void Win32NativeWindow::on_wheel(WPARAM wparam, LPARAM lparam) {
  POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ScreenToClient(hwnd_, &screen);
  // Fine-grained wheels send parts of a notch; they add up to whole steps.
  wheel_remainder_ += GET_WHEEL_DELTA_WPARAM(wparam);
  const int steps = wheel_remainder_ / WHEEL_DELTA;
  wheel_remainder_ -= steps * WHEEL_DELTA;
  if (steps == 0) return;
  MouseEvent e;
  e.modifiers = current_modifiers();
  e.pos = relative_ ? anchor_ : Point{screen.x, screen.y};
  notify([&] { sink_.native_mouse_wheel(e, steps); });
}

void Win32NativeWindow::update_system_capture() {
  if (!hwnd_) return;
  const bool wanted = captured_ || buttons_down_ != 0;
  const bool held = GetCapture() == hwnd_;
  if (wanted && !held) {
    SetCapture(hwnd_);
  } else if (!wanted && held) {
    releasing_ = true;
    ReleaseCapture();
    releasing_ = false;
  }
}

void Win32NativeWindow::on_capture_taken() {
  // Another window took the mouse (the host, a system dialog): a drag in
  // progress ends where it stands, as if the buttons had been let go.
  const unsigned held = buttons_down_;
  buttons_down_ = 0;
  captured_ = false;
  if (relative_) {
    relative_ = false;
    show_cursor(true);
  }
  for (MouseButton b : {MouseButton::left, MouseButton::middle, MouseButton::right}) {
    if (!(held & button_bit(b))) continue;
    MouseEvent e;
    e.button = b;
    e.pos = last_pos_;
    e.modifiers = current_modifiers();
    if (!notify([&] { sink_.native_mouse_up(e); })) return;
  }
}

void Win32NativeWindow::capture(CaptureMode mode) {
  if (!hwnd_) return;
  captured_ = true;
  const bool relative = mode == CaptureMode::relative;
  if (relative && !relative_) {
    Point here;
    anchor_ = has_last_pos_ ? last_pos_ : (get_cursor_pos(here) ? here : Point{});
    relative_ = true;
    show_cursor(false);
    relative_from_ = anchor_;
    warp_to_anchor();
  } else if (!relative && relative_) {
    relative_ = false;
    show_cursor(true);
  }
  update_system_capture();
}

void Win32NativeWindow::release_capture() {
  if (!captured_) return;
  captured_ = false;
  if (relative_) {
    relative_ = false;
    show_cursor(true);
  }
  update_system_capture();
}

void Win32NativeWindow::show_cursor(bool visible) {
  // One hide, one show: the system's display counter is shared with the host.
  if (visible != cursor_hidden_) return;
  cursor_hidden_ = !visible;
  ShowCursor(visible ? TRUE : FALSE);
}

void Win32NativeWindow::set_cursor_visible(bool visible) {
  if (hwnd_) show_cursor(visible);
}

bool Win32NativeWindow::get_cursor_pos(Point& p) const {
  if (!hwnd_) return false;
  DpiAwarenessScope dpi(hwnd_);
  POINT pt;
  if (!GetCursorPos(&pt) || !ScreenToClient(hwnd_, &pt)) return false;
  p = {pt.x, pt.y};
  return true;
}

void Win32NativeWindow::set_cursor_pos(Point p) {
  if (!hwnd_) return;
  DpiAwarenessScope dpi(hwnd_);
  POINT pt{p.x, p.y};
  ClientToScreen(hwnd_, &pt);
  if (relative_) anchor_ = relative_from_ = p;
  last_pos_ = p;
  has_last_pos_ = true;
  SetCursorPos(pt.x, pt.y);
}

// ---- keyboard

bool Win32NativeWindow::on_key_down(WPARAM wparam, LPARAM lparam) {
  const unsigned vk = static_cast<unsigned>(wparam) & 0xFFu;
  KeyEvent e;
  e.modifiers = current_modifiers();
  e.key = key_from_virtual_key(vk);
  bool used = false;
  if (e.key != Key::none) {
    if (!notify([&] { used = sink_.native_key(e, true); })) return false;
  } else {
    // A text key: the host's TranslateMessage has queued its characters.
    MSG m;
    while (PeekMessageW(&m, hwnd_, WM_CHAR, WM_CHAR, PM_REMOVE)) {
      const uint32_t code = text_.add(static_cast<unsigned>(m.wParam));
      if (!code) continue;
      e.key = Key::character;
      e.character = code;
      bool taken = false;
      if (!notify([&] { taken = sink_.native_key(e, true); })) return false;
      used = used || taken;
    }
  }
  if (!used) {
    forwarded_keys_.set(vk);
    forward_to_parent(WM_KEYDOWN, wparam, lparam);
  }
  return true;
}

bool Win32NativeWindow::on_key_up(WPARAM wparam, LPARAM lparam) {
  const unsigned vk = static_cast<unsigned>(wparam) & 0xFFu;
  KeyEvent e;
  e.modifiers = current_modifiers();
  e.key = key_from_virtual_key(vk);
  if (e.key != Key::none && !notify([&] { sink_.native_key(e, false); })) return false;
  if (forwarded_keys_.test(vk)) {
    forwarded_keys_.reset(vk);
    forward_to_parent(WM_KEYUP, wparam, lparam);
  }
  return true;
}

void Win32NativeWindow::forward_to_parent(UINT message, WPARAM wparam, LPARAM lparam) {
  // Posted, so that it passes the host's message loop and its shortcuts.
  if (parent_ && IsWindow(parent_)) PostMessageW(parent_, message, wparam, lparam);
}

// ---- end of the window

void Win32NativeWindow::on_destroyed() {
  // Destroyed under us: the host destroyed its window before closing the editor.
  show_cursor(true);
  hwnd_ = nullptr;
  reset_input_state();
  if (live_) {
    live_ = false;
    sink_.native_destroyed();
  }
}

int Win32NativeWindow::desktop_scale() const { return win32_desktop_scale(hwnd_ ? hwnd_ : parent_); }

}  // namespace pengui
