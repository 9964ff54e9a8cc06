#pragma once
// The real plug-in with its editor in a host window on the X display: the
// instance through the exported entry point, the host's top-level window,
// the editor's child window and what it shows.

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/vst2/audio_effect.h"
#include "framework/vst2/vst2_plugin.h"
#include "framework/vst2/vst2_test_host.h"
#include "gui/x11/x11_test_host.h"
#include "support/stderr_capture.h"
#include "synth/gui/zindle_gui.h"

namespace editor_test {

constexpr VstInt32 kScaleVendor = 0x50726553;  // 'PreS'
constexpr VstIntPtr kScaleCall = 0x41654373;   // 'AeCs'

inline mppi::Vst2Plugin* adapter_of(AEffect* effect) {
  return dynamic_cast<mppi::Vst2Plugin*>(static_cast<AudioEffect*>(effect->object));
}
inline mppi::Vst2Plugin* adapter_of(vst2_test::Instance& plugin) { return adapter_of(plugin.get()); }
inline synth::ZindleGui* gui_of(AEffect* effect) {
  mppi::Vst2Plugin* adapter = adapter_of(effect);
  return adapter ? dynamic_cast<synth::ZindleGui*>(adapter->get_gui()) : nullptr;
}
inline synth::ZindleGui* gui_of(vst2_test::Instance& plugin) { return gui_of(plugin.get()); }

inline ERect editor_rect(vst2_test::Instance& plugin) {
  ERect* rect = nullptr;
  if (plugin.dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr) return ERect{0, 0, 0, 0};
  return *rect;
}

// The editor's window: the one child of the host's window, or 0.
inline ::Window editor_window(pengui::testing::X11TestHost& host) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(host.display(), host.parent(), &root, &parent, &children, &n)) return 0;
  const ::Window w = n == 1 ? children[0] : 0;
  if (children) XFree(children);
  return w;
}

// Idles the editor until its window shows the toolkit's buffer, or about
// a second passed; true when they are equal.
bool wait_until_shown(AEffect* effect, pengui::testing::X11TestHost& host);
inline bool wait_until_shown(vst2_test::Instance& plugin, pengui::testing::X11TestHost& host) {
  return wait_until_shown(plugin.get(), host);
}

// Forces the scale for the test's lifetime (the desktop may say otherwise).
class ScopedGuiScale : public test_support::ScopedEnv {
public:
  // Null: not forced (the host's call or the desktop decides).
  explicit ScopedGuiScale(const char* scale) : ScopedEnv("ZINDLE_GUI_SCALE", scale) {}
};

}  // namespace editor_test
