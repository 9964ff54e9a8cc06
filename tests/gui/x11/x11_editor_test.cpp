// The toolkit's window in a host window on a real display: real pointer and
// key events reach the controls, and what the user sees is the buffer.

#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/menu_listener_interface.h"
#include "gui/popup_menu.h"
#include "gui/popup_menu_view.h"
#include "gui/push_button.h"
#include "gui/text_edit.h"
#include "gui/window.h"
#include "support/editor_input.h"
#include "tests/gui/x11/solid_font.h"
#include "tests/gui/x11/x11_test_host.h"

namespace pengui::testing {
namespace {

using zindle_test::centre_of;

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

  std::unique_ptr<X11TestHost> host;
  Window window{900, 446};
  FontSet font = make_solid_font();
  Backdrop backdrop;
};

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

  click(centre_of(button.bounds()));
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
  click(centre_of(menu.view()->entry_rect(0, 1)));
  ASSERT_TRUE(idle_until([&] { return choice.chosen.size() == 1; }));
  EXPECT_EQ(choice.chosen[0], 20);
  EXPECT_FALSE(menu.is_shown());

  click(centre_of(field.bounds()));
  ASSERT_TRUE(idle_until([&] { return field.is_editing(); }));
  for (unsigned long k : {XK_End, XK_h, XK_i, XK_BackSpace, XK_o, XK_Return}) {
    host->key(k, true);
    host->key(k, false);
  }
  ASSERT_TRUE(idle_until([&] { return field_listener.texts.size() == 1; }));
  EXPECT_EQ(field_listener.texts[0], "ho");
  window.idle();
  EXPECT_TRUE(shows_buffer());
}

}  // namespace
}  // namespace pengui::testing
