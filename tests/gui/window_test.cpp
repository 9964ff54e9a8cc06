#include "gui/window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/support/fake_native_window.h"
#include "gui/widget.h"

namespace pengui {
namespace {

using Log = std::vector<std::string>;

std::string xy(const MouseEvent& e) { return std::to_string(e.pos.x) + "," + std::to_string(e.pos.y); }

// Records what the window tells it, in order.
class Probe : public Widget {
public:
  explicit Probe(Rect r) { set_bounds(r); }
  void draw(Canvas& c) override { c.fill_rect(bounds(), 0x102030u); }
  bool mouse_down(const MouseEvent& e) override { return log.push_back("down " + xy(e)), true; }
  void mouse_up(const MouseEvent& e) override { log.push_back("up " + xy(e)); }
  void mouse_move(const MouseEvent& e) override { log.push_back("move " + xy(e)); }
  void mouse_enter() override { log.push_back("enter"); }
  void mouse_leave() override { log.push_back("leave"); }
  bool mouse_wheel(const MouseEvent&, int steps) override { return log.push_back("wheel " + std::to_string(steps)), true; }
  bool key_down(const KeyEvent&) override { return log.push_back("key"), true; }
  bool wants_focus() const override { return true; }
  void capture_lost() override { log.push_back("lost"); }
  std::string last() const { return log.empty() ? "" : log.back(); }

  Log log;
};

struct CountingTimer : TimerListener {
  std::vector<double> fired_at;
  std::function<void(int)> action;
  double* clock = nullptr;
  void timer_fired(int id) override {
    fired_at.push_back(*clock);
    if (action) action(id);
  }
};

MouseEvent at(int x, int y) {
  MouseEvent e;
  e.pos = {x, y};
  e.button = MouseButton::left;
  return e;
}

class WindowTest : public ::testing::Test {
protected:
  WindowTest() : win(100, 50) { win.set_clock([this] { return t; }); }
  double t = 10.0;
  Window win;
  std::shared_ptr<testing::FakeNativeRecord> native = testing::install_fake_native(win);
};

TEST_F(WindowTest, CaptureDeliversEverythingAndIsLostToAnotherCaptureOrAnOverlay) {
  ASSERT_TRUE(win.open(nullptr));
  Probe a({0, 0, 10, 10}), b({20, 0, 10, 10}), menu({0, 0, 30, 30});
  win.add(&a);
  win.add(&b);
  win.capture_mouse(&a, CaptureMode::plain);
  win.native_mouse_move(at(25, 5));
  win.native_mouse_wheel(at(25, 5), -1);
  EXPECT_EQ(a.log, (Log{"move 25,5", "wheel -1"}));
  EXPECT_TRUE(b.log.empty());
  win.capture_mouse(&b, CaptureMode::relative);
  EXPECT_EQ(a.last(), "lost");
  EXPECT_FALSE(native->cursor_visible);
  win.push_overlay(&menu);
  EXPECT_EQ(b.last(), "lost");
  EXPECT_EQ(win.captured(), nullptr);
  EXPECT_TRUE(!native->captured && native->cursor_visible);
  win.pop_overlay(&menu);
  win.native_mouse_move(at(25, 5));  // hovering b
  win.capture_mouse(&a, CaptureMode::plain);
  win.close();
  EXPECT_EQ(a.last(), "lost");
  EXPECT_EQ(b.last(), "leave");
}

TEST_F(WindowTest, TimersFireAtTheirPeriodsAndStopForGood) {
  CountingTimer a, b;
  a.clock = b.clock = &t;
  const int ia = win.start_timer(0.03, &a), ib = win.start_timer(0.1, &b);
  EXPECT_EQ(win.start_timer(0.0, &a), -1);
  for (int i = 0; i < 8; ++i) {
    t += 1.0 / 64;
    win.idle();  // never opened: timers still run
  }
  // Up to t = 10.125: a due at 10.03, 10.06, 10.09, 10.12; b at 10.1.
  EXPECT_EQ(a.fired_at, (std::vector<double>{10.03125, 10.0625, 10.09375, 10.125}));
  EXPECT_EQ(b.fired_at, (std::vector<double>{10.109375}));
  t += 1.0;  // late idle calls give one call, not a burst
  win.native_tick();
  EXPECT_TRUE(a.fired_at.size() == 5u && b.fired_at.size() == 2u);
  win.stop_timer(ia);
  win.stop_timer(ib);

  // The first of two timers due together stops the second from its callback.
  CountingTimer stopper, victim;
  stopper.clock = victim.clock = &t;
  const int is = win.start_timer(0.05, &stopper), iv = win.start_timer(0.05, &victim);
  stopper.action = [&](int) { win.stop_timer(iv); };
  for (int i = 0; i < 2; ++i) t += 0.06, win.idle();
  EXPECT_EQ(stopper.fired_at.size(), 2u);
  EXPECT_TRUE(victim.fired_at.empty());
  win.stop_timer(is);

  // A widget that leaves the window takes its timers along.
  struct TimedProbe : Probe, CountingTimer {
    using Probe::Probe;
  } leaving({0, 0, 5, 5});
  leaving.clock = &t;
  win.add(&leaving);
  win.start_timer(0.01, &leaving);
  win.remove(&leaving);
  t += 0.05;
  win.idle();
  EXPECT_TRUE(leaving.fired_at.empty());
}

TEST_F(WindowTest, LifecycleSurvivesTheHostsOrderOfThings) {
  win.close();  // close without open
  ASSERT_TRUE(win.open(nullptr));
  ASSERT_TRUE(win.open(nullptr));  // twice: one native window
  EXPECT_EQ(native->opens, 1);
  win.close();
  win.close();
  EXPECT_EQ(native->closes, 1);
  // Widgets destroyed while pressed, captured or focused leave no pointer.
  ASSERT_TRUE(win.open(nullptr));
  auto gone = std::make_unique<Probe>(Rect{0, 0, 10, 10});
  win.add(gone.get());
  win.native_mouse_down(at(5, 5));
  win.capture_mouse(gone.get(), CaptureMode::relative);
  win.set_focus(gone.get());
  gone.reset();
  EXPECT_TRUE(win.captured() == nullptr && win.focus() == nullptr && !native->captured);
  win.native_mouse_up(at(6, 6));
  EXPECT_FALSE(win.native_key({Key::enter, 0, 0}, true));
  // The parent dies during a pump: the window forgets its native window
  // and makes no call into it any more.
  Probe p({0, 0, 10, 10});
  win.add(&p);
  win.capture_mouse(&p, CaptureMode::relative);
  native->on_pump = [this](NativeEventSink& sink) { native->die(sink); };
  win.idle();
  native->on_pump = nullptr;
  EXPECT_FALSE(win.is_open());
  EXPECT_EQ(p.last(), "lost");
  win.invalidate_all();
  win.idle();
  win.close();
  EXPECT_EQ(native->calls_after_gone, 0);
}

}  // namespace
}  // namespace pengui
