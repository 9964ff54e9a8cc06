// Displays unlike the usual 24-bit one: a 16-bit server, where pixels are
// converted channel by channel, and a host window with a 32-bit visual.

#include <gtest/gtest.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <cstdlib>
#include <string>
#include <thread>

#include "gui/linux/x11_native_window.h"
#include "support/stderr_capture.h"
#include "tests/gui/x11/recording_sink.h"
#include "tests/gui/x11/x11_test_host.h"

extern char** environ;

namespace pengui::testing {
namespace {

// An Xvfb of the test's own, with DISPLAY pointing at it while it runs.
class OwnServer {
public:
  explicit OwnServer(const char* depth) {
    int n = 150;
    auto socket = [&n] { return "/tmp/.X11-unix/X" + std::to_string(n); };
    auto lock = [&n] { return "/tmp/.X" + std::to_string(n) + "-lock"; };
    while (n < 200 && (access(socket().c_str(), F_OK) == 0 || access(lock().c_str(), F_OK) == 0)) ++n;
    const std::string name = ":" + std::to_string(n);
    const std::string screen = std::string("640x480x") + depth;
    const char* argv[] = {"Xvfb", name.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
                          nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; pid_ > 0 && i < 250 && !ok_; ++i) {
      ok_ = access(socket().c_str(), F_OK) == 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (ok_) display_.emplace("DISPLAY", name.c_str());
  }
  ~OwnServer() {
    display_.reset();
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool ok() const { return ok_; }

private:
  pid_t pid_ = -1;
  bool ok_ = false;
  std::optional<test_support::ScopedEnv> display_;
};

::Window window_of(const NativeWindow& w) { return static_cast<::Window>(reinterpret_cast<uintptr_t>(w.handle())); }

TEST(X11Visuals, SixteenBitServerShowsTheBufferWithinItsPrecision) {
  SKIP_WITHOUT_DISPLAY();  // no X at all here, so no Xvfb either
  OwnServer server("16");
  if (!server.ok()) GTEST_SKIP() << "cannot start Xvfb";
  for (const bool disable_shm : {false, true}) {
    SCOPED_TRACE(disable_shm ? "XPutImage" : "MIT-SHM");
    if (disable_shm) setenv("ZINDLE_GUI_NO_SHM", "1", 1);
    X11TestHost host(400, 300);
    ASSERT_TRUE(host.ok());
    ASSERT_EQ(DefaultDepth(host.display(), DefaultScreen(host.display())), 16);
    RenderBuffer buffer(256, 64);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 256; ++x)
        buffer.row(y)[x] = static_cast<uint32_t>(x << 16 | ((x * 7 + y) & 0xFF) << 8 | ((255 - x + y * 3) & 0xFF));
    RecordingSink sink;
    X11NativeWindow native(sink);
    ASSERT_TRUE(native.open(host.parent_handle(), &buffer));
    native.present(buffer.bounds());
    XImage* image = XGetImage(host.display(), window_of(native), 0, 0, 256, 64, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    int worst[3] = {0, 0, 0};
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 256; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y);
        const uint32_t rgb = buffer.pixel(x, y);
        // 5-6-5 bits back to 8 bits per channel.
        const int got[3] = {int(((pixel >> 11) & 31) * 255 / 31), int(((pixel >> 5) & 63) * 255 / 63),
                            int((pixel & 31) * 255 / 31)};
        for (int c = 0; c < 3; ++c) worst[c] = std::max(worst[c], std::abs(got[c] - int(rgb >> (16 - 8 * c) & 0xFF)));
      }
    XDestroyImage(image);
    EXPECT_LE(worst[0], 5);  // half a 5-bit step, plus truncation on the way back
    EXPECT_LE(worst[1], 3);
    EXPECT_LE(worst[2], 5);
    native.close();
    unsetenv("ZINDLE_GUI_NO_SHM");
  }
}

TEST(X11Visuals, HostWindowWithA32BitVisual) {
  SKIP_WITHOUT_DISPLAY();
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  XVisualInfo info;
  if (!XMatchVisualInfo(d, DefaultScreen(d), 32, TrueColor, &info)) {
    XCloseDisplay(d);
    GTEST_SKIP() << "no 32-bit visual";
  }
  XSetWindowAttributes a{};
  a.colormap = XCreateColormap(d, DefaultRootWindow(d), info.visual, AllocNone);
  a.border_pixel = 0;
  a.background_pixel = 0;
  const ::Window parent = XCreateWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 32, InputOutput, info.visual,
                                        CWColormap | CWBorderPixel | CWBackPixel, &a);
  XMapWindow(d, parent);
  XSync(d, False);
  RenderBuffer buffer(200, 100);
  buffer.fill(buffer.bounds(), 0x336699);
  RecordingSink sink;
  X11NativeWindow native(sink);
  ASSERT_TRUE(native.open(reinterpret_cast<void*>(static_cast<uintptr_t>(parent)), &buffer));
  native.present(buffer.bounds());
  XImage* image = XGetImage(d, window_of(native), 10, 10, 1, 1, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFF, 0x336699u);
  XDestroyImage(image);
  native.close();
  XDestroyWindow(d, parent);
  XFreeColormap(d, a.colormap);
  XCloseDisplay(d);
}

}  // namespace
}  // namespace pengui::testing
