// The toolkit's window in a host window on a real display: what the user
// sees is the rendering buffer, and real pointer and key events reach the
// controls.

#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gui/knob.h"
#include "gui/linux/x11_native_window.h"
#include "gui/menu_listener_interface.h"
#include "gui/popup_menu.h"
#include "gui/popup_menu_view.h"
#include "gui/push_button.h"
#include "gui/text_edit.h"
#include "gui/window.h"
#include "tests/gui/x11/solid_font.h"
#include "tests/gui/x11/x11_test_host.h"

namespace pengui::testing {
namespace {

// Stripes and a gradient, so that any offset or channel swap shows.
class Backdrop : public Widget {
public:
  void draw(Canvas& canvas) override {
    for (int y = bounds().y; y < bounds().bottom(); y += 2)
      canvas.fill_rect({bounds().x, y, bounds().w, 1},
                       static_cast<uint32_t>((y * 0x010203) ^ 0x3F7F1F) & 0xFFFFFF);
    canvas.fill_rect({100, 100, 50, 20}, 0xFF8000);
  }
};

struct Listener : DefaultEventListener {
  std::vector<double> values;
  std::vector<std::string> texts;
  double set_value(double nrm, int) override {
    values.push_back(nrm);
    return nrm;
  }
  void text_entered(const char* text) override { texts.emplace_back(text); }
};

struct MenuChoice : MenuListenerInterface {
  std::vector<int> chosen;
  void menu_chosen(MenuEntry& entry) override { chosen.push_back(entry.tag()); }
};

Point centre(const Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

class X11EditorTest : public ::testing::Test {
protected:
  void SetUp() override {
    SKIP_WITHOUT_DISPLAY();
    host = std::make_unique<X11TestHost>(1900, 1000);
    ASSERT_TRUE(host->ok());
    backdrop.set_bounds({0, 0, 900, 446});
    window.add(&backdrop);
  }
  void TearDown() override {
    window.close();
    if (host) {
      EXPECT_EQ(X11TestHost::host_errors(), 0);
    }
  }
  ::Window editor() const { return static_cast<::Window>(reinterpret_cast<uintptr_t>(window.native_handle())); }
  bool idle_until(const std::function<bool()>& done) {
    return pump_until([this] { window.idle(); }, done);
  }
  bool shows_buffer() {
    const RenderBuffer& b = window.buffer();
    return host->read_back(editor(), b.width(), b.height()) ==
           std::vector<uint32_t>(b.data(), b.data() + b.width() * b.height());
  }
  // Logical point to the user's pointer.
  void click(Point logical, unsigned button = Button1) {
    host->move_pointer(editor(), {logical.x * window.scale(), logical.y * window.scale()});
    host->button(button, true);
    host->button(button, false);
  }
  void type(unsigned long keysym) {
    host->key(keysym, true);
    host->key(keysym, false);
  }

  std::unique_ptr<X11TestHost> host;
  ::Window dummy_root = 0, dummy_child = 0;
  int dummy = 0;
  unsigned dummy_mask = 0;
  Window window{900, 446};
  FontSet font = make_solid_font();
  Backdrop backdrop;
};

TEST_F(X11EditorTest, TheWindowShowsTheRenderingBufferAtBothScales) {
  for (const int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    window.set_scale(scale);
    ASSERT_TRUE(window.open(host->parent_handle()));
    window.idle();
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(host->display(), editor(), &a));
    EXPECT_EQ(a.width, 900 * scale);  // 1800 x 892 at 2x
    EXPECT_EQ(a.height, 446 * scale);
    EXPECT_EQ(window.buffer().pixel(110 * scale, 110 * scale), 0xFF8000u);
    EXPECT_TRUE(shows_buffer());
    window.close();
  }
}

TEST_F(X11EditorTest, PointerAndKeysReachAButtonAMenuAndATextField) {
  window.set_scale(2);
  PushButton button;
  button.set_bounds({300, 50, 80, 30});
  button.set_label("Go", &font);
  Listener button_listener;
  button.attach(&button_listener);
  window.add(&button);
  TextEdit field(&font);
  field.set_bounds({300, 200, 200, 16});
  Listener field_listener;
  field.attach(&field_listener);
  window.add(&field);
  ASSERT_TRUE(window.open(host->parent_handle()));
  window.idle();

  click(centre(button.bounds()));
  ASSERT_TRUE(idle_until([&] { return button_listener.values.size() == 2; }));
  EXPECT_EQ(button_listener.values[0], PushButton::kPressValue);
  EXPECT_EQ(button_listener.values[1], PushButton::kClickValue);

  PopupMenu menu;
  menu.set_font(&font);
  MenuChoice choice;
  menu.add_entry("First", &choice, 10);
  menu.add_entry("Second", &choice, 20);
  menu.add_entry("Third", &choice, 30);
  ASSERT_TRUE(menu.popup(window, {500, 100}));
  window.idle();
  EXPECT_TRUE(shows_buffer());  // the menu is drawn in the editor
  click(centre(menu.view()->entry_rect(0, 1)));
  ASSERT_TRUE(idle_until([&] { return choice.chosen.size() == 1; }));
  EXPECT_EQ(choice.chosen[0], 20);
  EXPECT_FALSE(menu.is_shown());

  click(centre(field.bounds()));
  ASSERT_TRUE(idle_until([&] { return field.is_editing(); }));
  for (unsigned long k : {XK_End, XK_h, XK_i, XK_BackSpace, XK_o, XK_Return}) type(k);
  ASSERT_TRUE(idle_until([&] { return field_listener.texts.size() == 1; }));
  EXPECT_EQ(field_listener.texts[0], "ho");
  window.idle();
  EXPECT_TRUE(shows_buffer());
}

// The real window layer, with what the toolkit hands it written down.
class PresentRecorder : public NativeWindow {
public:
  PresentRecorder(NativeEventSink& sink, std::vector<Rect>& presented) : inner_(sink), presented_(presented) {}
  bool open(void* parent, const RenderBuffer* buffer) override { return inner_.open(parent, buffer); }
  void close() override { inner_.close(); }
  bool is_open() const override { return inner_.is_open(); }
  void* handle() const override { return inner_.handle(); }
  void pump() override { inner_.pump(); }
  void present(const Rect& r) override {
    presented_.push_back(r);
    inner_.present(r);
  }
  void capture(CaptureMode mode) override { inner_.capture(mode); }
  void release_capture() override { inner_.release_capture(); }
  void set_cursor_visible(bool visible) override { inner_.set_cursor_visible(visible); }
  bool get_cursor_pos(Point& p) const override { return inner_.get_cursor_pos(p); }
  void set_cursor_pos(Point p) override { inner_.set_cursor_pos(p); }
  int desktop_scale() const override { return inner_.desktop_scale(); }

private:
  X11NativeWindow inner_;
  std::vector<Rect>& presented_;
};

TEST_F(X11EditorTest, AKnobDragWithTheRealPointerRepaintsOnlyTheKnob) {
  for (const int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    window.set_scale(scale);
    std::vector<Rect> presented;
    window.set_native_factory([&presented](NativeEventSink& sink) {
      return std::make_unique<PresentRecorder>(sink, presented);
    });
    Knob knob({100, 100, 48, 48});
    Listener listener;
    knob.attach(&listener);
    window.add(&knob);
    ASSERT_TRUE(window.open(host->parent_handle()));
    window.idle();
    presented.clear();

    const Point press{124, 108};  // upper part: a drag, not a run
    const Point device{press.x * scale, press.y * scale};
    host->move_pointer(editor(), device);
    host->button(Button1, true);
    ASSERT_TRUE(idle_until([&] { return window.captured() == &knob; }));
    // 128 device pixels up in steps, as a hand moves.
    for (int i = 0; i < 16; ++i) {
      host->move_pointer_by(0, -8);
      window.idle();
    }
    // The pointer is held where the drag started.
    Point p;
    ASSERT_TRUE(idle_until([&] {
      return XQueryPointer(host->display(), editor(), &dummy_root, &dummy_child, &dummy,
                           &dummy, &p.x, &p.y, &dummy_mask) &&
             p.x == device.x && p.y == device.y;
    }));
    // The smoothing settles on 128 / scale logical pixels of a 256 pixel drag.
    const double want = 128.0 / scale / 256.0;
    ASSERT_TRUE(idle_until([&] { return std::abs(knob.get_value() - want) < 0.01; })) << knob.get_value();
    host->button(Button1, false);
    ASSERT_TRUE(idle_until([&] { return window.captured() == nullptr; }));
    window.idle();
    EXPECT_TRUE(shows_buffer());
    ASSERT_FALSE(presented.empty());
    const Rect knob_device = knob.bounds().scaled(scale);
    for (const Rect& r : presented) EXPECT_EQ(r.intersect(knob_device), r) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    EXPECT_FALSE(listener.values.empty());
    window.close();
    window.remove(&knob);
    window.set_native_factory(nullptr);
  }
}

TEST_F(X11EditorTest, IdleBeforeOpenAfterCloseAndAcrossManyCyclesIsHarmless) {
  for (int i = 0; i < 3; ++i) window.idle();
  for (int cycle = 0; cycle < 50; ++cycle) {
    ASSERT_TRUE(window.open(host->parent_handle())) << cycle;
    ASSERT_TRUE(window.open(host->parent_handle())) << cycle;
    window.idle();
    window.close();
    window.close();
    window.idle();
  }
  ASSERT_TRUE(window.open(host->parent_handle()));
  window.idle();
  EXPECT_TRUE(shows_buffer());
}

TEST_F(X11EditorTest, HostDestroyingTheParentFirstLeavesAClosableWindow) {
  auto other = std::make_unique<X11TestHost>(900, 446);
  ASSERT_TRUE(window.open(other->parent_handle()));
  window.idle();
  other->destroy_parent();
  ASSERT_TRUE(idle_until([&] { return !window.is_open(); }));
  window.idle();
  window.close();
  // And it opens again elsewhere.
  ASSERT_TRUE(window.open(host->parent_handle()));
  window.idle();
  EXPECT_TRUE(shows_buffer());
}

}  // namespace
}  // namespace pengui::testing
