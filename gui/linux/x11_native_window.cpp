#include "gui/linux/x11_native_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdint>

#include "gui/desktop_scale.h"
#include "gui/linux/x11_desktop_scale.h"
#include "gui/linux/x11_keys.h"

namespace pengui {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            KeyReleaseMask | FocusChangeMask | StructureNotifyMask | LeaveWindowMask;
constexpr unsigned kGrabMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
constexpr int kEventBatch = 64;
// A flood of events cannot hold the host's thread for longer than this.
constexpr int kMaxBatchesPerPump = 16;
constexpr long kXEmbedVersion = 0;
constexpr long kXEmbedMapped = 1;

// Serials grow and wrap; a is at or after b.
bool serial_reached(unsigned long a, unsigned long b) { return static_cast<long>(a - b) >= 0; }

MouseButton x11_button(unsigned button) {
  switch (button) {
    case Button1: return MouseButton::left;
    case Button2: return MouseButton::middle;
    case Button3: return MouseButton::right;
    default: return MouseButton::none;
  }
}

}  // namespace

std::unique_ptr<NativeWindow> make_native_window(NativeEventSink& sink) {
  return std::make_unique<X11NativeWindow>(sink);
}

X11NativeWindow::X11NativeWindow(NativeEventSink& sink) : sink_(sink) {}

X11NativeWindow::~X11NativeWindow() { close(); }

bool X11NativeWindow::open(void* parent, const RenderBuffer* buffer) {
  if (display_ && !dead_ && !gone_ && parent_ == reinterpret_cast<uintptr_t>(parent)) return true;
  close();
  if (!parent || !buffer || buffer->width() <= 0 || buffer->height() <= 0) return false;
  display_ = XOpenDisplay(nullptr);
  if (!display_) return false;
  x11_survive_connection_loss(display_, dead_);
  parent_ = static_cast<::Window>(reinterpret_cast<uintptr_t>(parent));
  buffer_ = buffer;
  bool ok;
  {
    X11ErrorTrap trap(display_, dead_);
    ok = create_window(trap);
  }
  if (!ok) close();
  return ok;
}

bool X11NativeWindow::create_window(X11ErrorTrap& trap) {
  XWindowAttributes parent_attributes;
  if (!XGetWindowAttributes(display_, parent_, &parent_attributes) || !trap.check()) return false;

  const int screen = DefaultScreen(display_);
  Visual* visual = DefaultVisual(display_, screen);
  const int depth = DefaultDepth(display_, screen);
  XSetWindowAttributes attributes{};
  // No background: the server leaves exposed parts alone until we draw, so
  // nothing flickers.
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.colormap = DefaultColormap(display_, screen);
  attributes.event_mask = kEventMask;
  window_ = XCreateWindow(display_, parent_, 0, 0, static_cast<unsigned>(buffer_->width()),
                          static_cast<unsigned>(buffer_->height()), 0, depth, InputOutput, visual,
                          CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
  // The parent's death also reaches us when the host destroys it first.
  XSelectInput(display_, parent_, StructureNotifyMask);

  const Atom xembed_info = XInternAtom(display_, "_XEMBED_INFO", False);
  const long info[2] = {kXEmbedVersion, kXEmbedMapped};
  XChangeProperty(display_, window_, xembed_info, xembed_info, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(info), 2);

  XGCValues gc_values{};
  gc_values.graphics_exposures = False;
  gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &gc_values);

  const char empty[1] = {0};
  const Pixmap blank = XCreateBitmapFromData(display_, window_, empty, 1, 1);
  XColor black{};
  invisible_cursor_ = XCreatePixmapCursor(display_, blank, blank, &black, &black, 0, 0);
  XFreePixmap(display_, blank);

  if (!trap.check()) return false;
  if (!uploader_.create(display_, visual, depth, buffer_->width(), buffer_->height(), trap)) return false;
  XMapWindow(display_, window_);
  return trap.check();
}

void X11NativeWindow::close() {
  if (!display_) return;
  {
    X11ErrorTrap trap(display_, dead_);
    if (!dead_) {
      // A DestroyNotify may be waiting: then the window is not ours to destroy.
      XEvent events[kEventBatch];
      for (int batch = 0; batch < kMaxBatchesPerPump; ++batch) {
        const int n = read_events(events, kEventBatch);
        for (int i = 0; i < n; ++i) {
          if (events[i].type == DestroyNotify &&
              (events[i].xdestroywindow.window == window_ || events[i].xdestroywindow.window == parent_))
            gone_ = true;
        }
        if (n < kEventBatch) break;
      }
    }
    free_resources();
    // Closing talks to the server once more; a connection that breaks just
    // then must still not reach the host's handlers.
    trap.closing();
    XCloseDisplay(display_);
  }
  display_ = nullptr;
  window_ = parent_ = 0;
  buffer_ = nullptr;
  dead_ = gone_ = gone_reported_ = false;
  grabbed_ = relative_ = warp_pending_ = false;
  exposed_ = Rect{};
}

void X11NativeWindow::free_resources() {
  const bool alive = !dead_;
  uploader_.destroy(display_, alive);
  if (!alive) {
    // Only the client's copy of the GC is left to free: with the connection
    // marked broken, its request goes nowhere.
    if (gc_) XFreeGC(display_, gc_);
    gc_ = nullptr;
    invisible_cursor_ = 0;
    return;
  }
  if (grabbed_) XUngrabPointer(display_, CurrentTime);
  if (window_ && !gone_) XDestroyWindow(display_, window_);
  if (gc_) XFreeGC(display_, gc_);
  if (invisible_cursor_) XFreeCursor(display_, invisible_cursor_);
  gc_ = nullptr;
  invisible_cursor_ = 0;
  XSync(display_, False);
}

bool X11NativeWindow::is_open() const { return usable(); }

void* X11NativeWindow::handle() const {
  return usable() ? reinterpret_cast<void*>(static_cast<uintptr_t>(window_)) : nullptr;
}

int X11NativeWindow::read_events(XEvent* events, int capacity) {
  int n = 0;
  while (n < capacity && !dead_ && XPending(display_) > 0) XNextEvent(display_, &events[n++]);
  return n;
}

void X11NativeWindow::pump() {
  if (!display_ || gone_reported_) return;
  XEvent events[kEventBatch];
  for (int batch = 0; batch < kMaxBatchesPerPump; ++batch) {
    int n;
    {
      X11ErrorTrap trap(display_, dead_);
      n = read_events(events, kEventBatch);
    }
    // Events go to the sink outside the trap: its handlers may call back
    // into us, or close the window.
    for (int i = 0; i < n && display_ && !gone_reported_; ++i) dispatch(events[i]);
    if (!display_ || gone_reported_) return;
    if (dead_ || gone_) {
      on_window_gone();
      return;
    }
    if (n < kEventBatch) break;
  }
  if (!exposed_.empty()) {
    const Rect r = exposed_;
    exposed_ = Rect{};
    present(r);
  }
}

void X11NativeWindow::dispatch(XEvent& e) {
  switch (e.type) {
    case Expose:
      exposed_ = exposed_.unite({e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height});
      break;
    case ButtonPress:
      on_button(e.xbutton, true);
      break;
    case ButtonRelease:
      on_button(e.xbutton, false);
      break;
    case MotionNotify:
      on_motion(e.xmotion);
      break;
    case KeyPress:
      on_key(e.xkey, true);
      break;
    case KeyRelease:
      on_key(e.xkey, false);
      break;
    case FocusIn:
    case FocusOut:
      if (e.xfocus.detail != NotifyPointer) sink_.native_focus(e.type == FocusIn);
      break;
    case LeaveNotify:
      if (e.xcrossing.mode == NotifyNormal && !grabbed_) sink_.native_mouse_leave();
      break;
    case DestroyNotify:
      if (e.xdestroywindow.window == window_ || e.xdestroywindow.window == parent_) gone_ = true;
      break;
    default:
      break;
  }
}

void X11NativeWindow::on_button(const XButtonEvent& b, bool down) {
  MouseEvent e;
  e.pos = relative_ ? anchor_ : Point{b.x, b.y};
  e.modifiers = translate_x11_modifiers(b.state);
  if (b.button == Button4 || b.button == Button5) {
    if (down) sink_.native_mouse_wheel(e, b.button == Button4 ? 1 : -1);
    return;
  }
  e.button = x11_button(b.button);
  if (e.button == MouseButton::none) return;
  if (down) {
    // Clicking into the editor gives it the keyboard, as the host cannot.
    X11ErrorTrap trap(display_, dead_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  }
  if (!relative_) last_pos_ = {b.x, b.y};
  if (down)
    sink_.native_mouse_down(e);
  else
    sink_.native_mouse_up(e);
}

void X11NativeWindow::on_motion(const XMotionEvent& m) {
  const Point p{m.x, m.y};
  MouseEvent e;
  e.modifiers = translate_x11_modifiers(m.state);
  if (!relative_) {
    e.pos = p;
    last_pos_ = p;
    sink_.native_mouse_move(e);
    return;
  }
  // Events the server made after our warp count from the anchor; the warp's
  // own event then gives no movement.
  if (warp_pending_ && serial_reached(m.serial, warp_serial_)) {
    last_pos_ = anchor_;
    warp_pending_ = false;
  }
  e.pos = anchor_;
  e.dx = p.x - last_pos_.x;
  e.dy = p.y - last_pos_.y;
  last_pos_ = p;
  if (!warp_pending_ && (p.x != anchor_.x || p.y != anchor_.y)) warp_to(anchor_);
  if (e.dx != 0 || e.dy != 0) sink_.native_mouse_move(e);
}

void X11NativeWindow::on_key(XKeyEvent& k, bool down) {
  char text[16];
  KeySym sym = NoSymbol;
  XLookupString(&k, text, sizeof text, &sym, nullptr);
  const KeyEvent e = translate_x11_key(sym, k.state);
  const bool used = e.key != Key::none && sink_.native_key(e, down);
  if (used || !usable()) return;
  // The click gave us the keyboard; keys we have no use for (transport
  // shortcuts) go on to the host's window as if it had them.
  X11ErrorTrap trap(display_, dead_);
  XEvent forward{};
  forward.xkey = k;
  forward.xkey.window = parent_;
  forward.xkey.subwindow = None;
  XSendEvent(display_, parent_, True, down ? KeyPressMask : KeyReleaseMask, &forward);
}

void X11NativeWindow::on_window_gone() {
  if (gone_reported_) return;
  gone_reported_ = true;
  gone_ = true;
  sink_.native_destroyed();
}

void X11NativeWindow::present(const Rect& r) {
  if (!usable() || !buffer_) return;
  X11ErrorTrap trap(display_, dead_);
  uploader_.upload(display_, window_, gc_, *buffer_, r);
  // The trap waits for the server: the shared image may be rewritten next.
}

void X11NativeWindow::capture(CaptureMode mode) {
  if (!usable()) return;
  X11ErrorTrap trap(display_, dead_);
  Point here;
  if (!get_cursor_pos(here)) here = last_pos_;
  relative_ = mode == CaptureMode::relative;
  anchor_ = last_pos_ = here;
  warp_pending_ = false;
  // While the button is held the server already grabs for us; the active
  // grab keeps the events coming and sets the cursor.
  const int status = XGrabPointer(display_, window_, False, kGrabMask, GrabModeAsync, GrabModeAsync, None,
                                  relative_ ? invisible_cursor_ : None, CurrentTime);
  grabbed_ = status == GrabSuccess;
  if (relative_ && !grabbed_) XDefineCursor(display_, window_, invisible_cursor_);
}

void X11NativeWindow::release_capture() {
  if (!usable()) return;
  X11ErrorTrap trap(display_, dead_);
  if (grabbed_) XUngrabPointer(display_, CurrentTime);
  else if (relative_) XUndefineCursor(display_, window_);
  grabbed_ = relative_ = warp_pending_ = false;
}

void X11NativeWindow::set_cursor_visible(bool visible) {
  if (!usable()) return;
  X11ErrorTrap trap(display_, dead_);
  if (visible)
    XUndefineCursor(display_, window_);
  else
    XDefineCursor(display_, window_, invisible_cursor_);
}

bool X11NativeWindow::get_cursor_pos(Point& p) const {
  if (!usable()) return false;
  X11ErrorTrap trap(display_, dead_);
  ::Window root, child;
  int root_x, root_y, x, y;
  unsigned mask;
  if (!XQueryPointer(display_, window_, &root, &child, &root_x, &root_y, &x, &y, &mask)) return false;
  p = {x, y};
  return true;
}

void X11NativeWindow::set_cursor_pos(Point p) {
  if (!usable()) return;
  if (relative_) anchor_ = p;
  warp_to(p);
}

void X11NativeWindow::warp_to(Point p) {
  X11ErrorTrap trap(display_, dead_);
  warp_serial_ = NextRequest(display_);
  warp_pending_ = true;
  XWarpPointer(display_, None, window_, 0, 0, 0, 0, p.x, p.y);
}

int X11NativeWindow::desktop_scale() const {
  if (usable()) return x11_desktop_scale(display_);
  if (const int forced = forced_gui_scale()) return forced;
  // Not open yet (the host asks for the editor's size first): a short look
  // at the desktop's resources, which arrive with the connection.
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  bool dead = false;
  x11_survive_connection_loss(display, dead);
  X11ErrorTrap trap(display, dead);
  const int scale = scale_from_x_resources(XResourceManagerString(display));
  trap.closing();
  XCloseDisplay(display);
  return scale;
}

}  // namespace pengui
