#include "synth/gui/editor_rig.h"

namespace editor_test {
namespace {

// The window's buffer as 0x00RRGGBB.
std::vector<uint32_t> buffer_pixels(synth::ZindleGui& gui) {
  const pengui::RenderBuffer& b = gui.window().buffer();
  std::vector<uint32_t> out(b.data(), b.data() + static_cast<size_t>(b.width()) * b.height());
  for (uint32_t& p : out) p &= 0xFFFFFFu;
  return out;
}

}  // namespace

bool wait_until_shown(AEffect* effect, pengui::testing::X11TestHost& host) {
  synth::ZindleGui* gui = gui_of(effect);
  const ::Window w = editor_window(host);
  if (gui == nullptr || w == 0) return false;
  const int width = gui->window().buffer().width();
  const int height = gui->window().buffer().height();
  return pengui::testing::pump_until(
      [&] {
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        host.sync();
      },
      [&] { return host.read_back(w, width, height) == buffer_pixels(*gui); });
}

}  // namespace editor_test
