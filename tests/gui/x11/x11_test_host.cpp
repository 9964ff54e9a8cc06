#include "tests/gui/x11/x11_test_host.h"

#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace pengui::testing {

namespace {
int host_error_count = 0;
int count_host_error(Display*, XErrorEvent*) {
  ++host_error_count;
  return 0;
}
int host_io_error_count = 0;
// Toolkits end the process here; a test host counts instead.
int count_host_io_error(Display*) {
  ++host_io_error_count;
  return 0;
}
}  // namespace

int X11TestHost::host_errors() { return host_error_count; }
int X11TestHost::host_io_errors() { return host_io_error_count; }

X11TestHost::X11TestHost(int width, int height) {
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  // A host's handler: anything from our editor reaching it is a fault.
  saved_handler_ = XSetErrorHandler(count_host_error);
  saved_io_handler_ = XSetIOErrorHandler(count_host_io_error);
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes a{};
  a.background_pixel = 0x404040;
  a.event_mask = StructureNotifyMask;
  parent_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWBackPixel | CWEventMask, &a);
  XMapWindow(display_, parent_);
  XEvent e;
  do XNextEvent(display_, &e);
  while (e.type != MapNotify);
}

X11TestHost::~X11TestHost() {
  if (!display_) return;
  destroy_parent();
  XCloseDisplay(display_);
  XSetErrorHandler(saved_handler_);
  XSetIOErrorHandler(saved_io_handler_);
}

void X11TestHost::destroy_parent() {
  if (!parent_) return;
  XDestroyWindow(display_, parent_);
  XSync(display_, False);
  parent_ = 0;
}

std::vector<uint32_t> X11TestHost::read_back(::Window w, int width, int height) {
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display_, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (!image) return pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
  XDestroyImage(image);
  return pixels;
}

::Window X11TestHost::parent_of(::Window w) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(display_, w, &root, &parent, &children, &n)) return 0;
  if (children) XFree(children);
  return parent;
}

int X11TestHost::client_count() {
  int event_base, error_base;
  if (!XResQueryExtension(display_, &event_base, &error_base)) return -1;
  int n = 0;
  XResClient* clients = nullptr;
  if (!XResQueryClients(display_, &n, &clients)) return -1;
  if (clients) XFree(clients);
  return n;
}

void X11TestHost::move_pointer(::Window w, Point p) {
  int rx = 0, ry = 0;
  ::Window child;
  XTranslateCoordinates(display_, w, DefaultRootWindow(display_), p.x, p.y, &rx, &ry, &child);
  XTestFakeMotionEvent(display_, -1, rx, ry, CurrentTime);
  sync();
}

void X11TestHost::move_pointer_by(int dx, int dy) {
  XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
  sync();
}

void X11TestHost::button(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  sync();
}

void X11TestHost::key(unsigned long keysym, bool down) {
  const KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
  sync();
}

bool pump_until(const std::function<void()>& pump, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  for (;;) {
    pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace pengui::testing
