// The X11 window layer against a real server, with a host window of our own.

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <memory>
#include <thread>

#include "gui/linux/x11_native_window.h"
#include "tests/gui/x11/recording_sink.h"
#include "tests/gui/x11/x11_test_host.h"

namespace pengui::testing {
namespace {

// Neighbouring pixels differ in every channel, so an offset or a swapped
// channel shows.
void fill_pattern(RenderBuffer& b, uint32_t seed) {
  uint32_t s = seed;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      s = s * 1664525u + 1013904223u;
      b.row(y)[x] = (s >> 8) & 0xFFFFFFu;
    }
}

::Window window_of(const NativeWindow& w) {
  return static_cast<::Window>(reinterpret_cast<uintptr_t>(w.handle()));
}

class X11NativeWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    SKIP_WITHOUT_DISPLAY();
    host = std::make_unique<X11TestHost>();
    ASSERT_TRUE(host->ok());
    buffer.resize(320, 200);
    fill_pattern(buffer, 1);
    native = std::make_unique<X11NativeWindow>(sink);
  }
  void TearDown() override {
    native.reset();
    if (host) {
      EXPECT_EQ(X11TestHost::host_errors(), 0);
    }
  }
  bool open() { return native->open(host->parent_handle(), &buffer); }
  bool pump_until(const std::function<bool()>& done) {
    return testing::pump_until([this] { native->pump(); }, done);
  }
  bool shows_buffer() {
    return host->read_back(window_of(*native), buffer.width(), buffer.height()) ==
           std::vector<uint32_t>(buffer.data(), buffer.data() + buffer.width() * buffer.height());
  }

  std::unique_ptr<X11TestHost> host;
  RenderBuffer buffer;
  RecordingSink sink;
  std::unique_ptr<X11NativeWindow> native;
};

TEST_F(X11NativeWindowTest, OpensAsChildShowsTheBufferAndRepaintsWhatWasCovered) {
  ASSERT_TRUE(open());
  const ::Window w = window_of(*native);
  EXPECT_EQ(host->parent_of(w), host->parent());
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(host->display(), w, &a));
  EXPECT_EQ(a.width, 320);
  EXPECT_EQ(a.height, 200);
  native->present(buffer.bounds());
  EXPECT_TRUE(shows_buffer());

  // Another client paints over the editor and the server asks for a repaint.
  GC gc = XCreateGC(host->display(), w, 0, nullptr);
  XSetForeground(host->display(), gc, 0xFF00FF);
  XFillRectangle(host->display(), w, gc, 50, 50, 100, 60);
  XFreeGC(host->display(), gc);
  XClearArea(host->display(), w, 50, 50, 100, 60, True);
  host->sync();
  ASSERT_FALSE(shows_buffer());
  EXPECT_TRUE(pump_until([this] { return shows_buffer(); }));
}

TEST_F(X11NativeWindowTest, RelativeCaptureReportsRealMovementAndHoldsThePointer) {
  ASSERT_TRUE(open());
  host->move_pointer(host->parent(), {100, 100});
  host->button(Button1, true);
  ASSERT_TRUE(pump_until([this] { return sink.count(SinkRecord::down) == 1; }));
  native->capture(CaptureMode::relative);

  const int moves[][2] = {{0, -5}, {3, 0}, {-2, 11}, {25, -40}};
  int want_dx = 0, want_dy = 0;
  for (const auto& m : moves) {
    host->move_pointer_by(m[0], m[1]);
    want_dx += m[0];
    want_dy += m[1];
    // Each move is taken before the next, as a user's moves come in over time.
    native->pump();
  }
  auto sum = [this](bool x) {
    int s = 0;
    for (const auto& r : sink.records)
      if (r.kind == SinkRecord::move) s += x ? r.mouse.dx : r.mouse.dy;
    return s;
  };
  ASSERT_TRUE(pump_until([&] { return sum(true) == want_dx && sum(false) == want_dy; }))
      << sum(true) << ", " << sum(false);
  for (const auto& r : sink.records) {
    if (r.kind != SinkRecord::move) continue;
    EXPECT_EQ(r.mouse.pos.x, 100);
    EXPECT_EQ(r.mouse.pos.y, 100);
  }
  // Warped back to where the drag started.
  Point p;
  ASSERT_TRUE(pump_until([&] { return native->get_cursor_pos(p) && p.x == 100 && p.y == 100; }));

  native->release_capture();
  host->button(Button1, false);
}

TEST_F(X11NativeWindowTest, ParentDestroyedFirstIsReportedOnceAndCloseMakesNoCallOnIt) {
  struct Case {
    const char* name;
    bool pump_first;
    bool own_window;  // the host destroys the editor's window rather than its parent
  };
  for (const Case& c : {Case{"idle after the parent died", true, false}, Case{"closed straight away", false, false},
                        Case{"idle after the host destroyed the editor's window", true, true}}) {
    SCOPED_TRACE(c.name);
    sink.records.clear();
    auto h = std::make_unique<X11TestHost>();
    ASSERT_TRUE(native->open(h->parent_handle(), &buffer));
    native->present(buffer.bounds());
    if (c.own_window) {
      XDestroyWindow(h->display(), window_of(*native));
      h->sync();
    } else {
      h->destroy_parent();
    }
    if (c.pump_first) {
      ASSERT_TRUE(pump_until([this] { return sink.count(SinkRecord::destroyed) == 1; }));
      EXPECT_FALSE(native->is_open());
      EXPECT_EQ(native->handle(), nullptr);
      for (int i = 0; i < 5; ++i) native->pump();
      native->present(buffer.bounds());
      native->capture(CaptureMode::relative);
      EXPECT_EQ(sink.count(SinkRecord::destroyed), 1);
    }
    native->close();
    native->close();
    EXPECT_FALSE(native->is_open());
  }
}

TEST_F(X11NativeWindowTest, LostConnectionEndsOnlyThisEditor) {
  ASSERT_TRUE(open());
  RecordingSink other_sink;
  X11NativeWindow other(other_sink);
  ASSERT_TRUE(other.open(host->parent_handle(), &buffer));
  shutdown(ConnectionNumber(native->display()), SHUT_RDWR);
  ASSERT_TRUE(pump_until([this] { return sink.count(SinkRecord::destroyed) == 1; }));
  EXPECT_TRUE(native->connection_lost());
  EXPECT_EQ(X11TestHost::host_io_errors(), 0);
  native->present(buffer.bounds());
  native->close();
  // The other editor and the host go on.
  other.present(buffer.bounds());
  EXPECT_TRUE(other.is_open());
  EXPECT_EQ(host->read_back(window_of(other), 4, 1)[0], buffer.pixel(0, 0));
}

TEST_F(X11NativeWindowTest, CallsBeforeOpenAfterCloseAndTwiceAreHarmlessAndBadParentsOpenNothing) {
  native->pump();
  native->present(buffer.bounds());
  native->capture(CaptureMode::relative);
  Point p;
  EXPECT_FALSE(native->get_cursor_pos(p));
  native->close();
  ASSERT_TRUE(open());
  void* first = native->handle();
  ASSERT_TRUE(open());
  EXPECT_EQ(native->handle(), first);
  native->close();
  native->close();
  EXPECT_EQ(native->handle(), nullptr);
  // Nothing reaches the host's error handler either.
  EXPECT_FALSE(native->open(reinterpret_cast<void*>(uintptr_t{0x7FFFFF1}), &buffer));
  EXPECT_FALSE(native->open(nullptr, &buffer));
  EXPECT_FALSE(native->open(host->parent_handle(), nullptr));
  EXPECT_FALSE(native->is_open());
}

TEST_F(X11NativeWindowTest, AHostThreadOtherThanTheMainOneMayDriveTheEditor) {
  // Some hosts run their editor apart from main(); one thread at a time calls.
  bool shown = false;
  std::thread editor_thread([&] {
    if (!open()) return;
    native->present(buffer.bounds());
    native->pump();
    shown = shows_buffer();
    native->close();
  });
  editor_thread.join();
  EXPECT_TRUE(shown);
  ASSERT_TRUE(open());
  native->present(buffer.bounds());
  EXPECT_TRUE(shows_buffer());
}

}  // namespace
}  // namespace pengui::testing
