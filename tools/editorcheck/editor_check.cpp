// zindle-editorcheck (Windows, run under wine by scripts/windows-checks.sh):
// the plug-in's editor in a host window as a Windows host shows it. Opens
// it at 1x, idles, reads the window back and compares the picture with the
// reference hash the Linux suite checks (tests/data/editor/panel_1x.sha256),
// drags one knob with mouse messages and checks that the host sees
// begin-edit, automation and end-edit, then closes and opens it again.
//
//   zindle-editorcheck PLUGIN.dll REFERENCE.sha256 [ACTUAL.ppm]

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "synth/params/param_table.h"
#include "tools/artgen/panel_layout_table.h"
#include "tools/artgen/sha256.h"
#include "tools/selfcheck/check_report.h"
#include "tools/selfcheck/window_pixels.h"
#include "tools/vsthost/vst_host.h"

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 446;

using selfcheck::check;

LRESULT CALLBACK host_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A borderless top-level window at the screen's corner, as big as the panel.
HWND make_host_window() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = host_window_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = "ZindleEditorCheckHost";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "Editor check", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth,
                         kHeight, nullptr, nullptr, wc.hInstance, nullptr);
}

// Delivers messages and the host's idle calls (about 50 Hz) for `ms`.
void run_host(vsthost::Plugin& plugin, int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    plugin.dispatch(effEditIdle);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::vector<unsigned char> rgb_bytes(const std::vector<uint32_t>& pixels) {
  std::vector<unsigned char> bytes;
  bytes.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) {
    bytes.push_back(static_cast<unsigned char>(p >> 16));
    bytes.push_back(static_cast<unsigned char>(p >> 8));
    bytes.push_back(static_cast<unsigned char>(p));
  }
  return bytes;
}

void write_ppm(const std::string& path, const std::vector<unsigned char>& rgb) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << kWidth << ' ' << kHeight << "\n255\n";
  out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
}

// The first knob of the panel that shows a parameter, and that parameter.
const art::PanelItem* first_parameter_knob(int& param) {
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& it = art::kPanelItems[i];
    if (it.kind != art::PanelItemKind::knob) continue;
    param = synth::find_param_index(it.name);
    if (param >= 0) return &it;
  }
  return nullptr;
}

LPARAM client_point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void check_drag(vsthost::Plugin& plugin, HWND editor) {
  int param = -1;
  const art::PanelItem* knob = first_parameter_knob(param);
  check(knob != nullptr, "the panel has a parameter knob");
  if (!knob) return;
  const int x = knob->x + knob->w / 2;
  const int y = knob->y + knob->h / 2;
  const float before = plugin.get_parameter(param);
  const int step = before > 0.5f ? 4 : -4;
  plugin.clear_record();
  PostMessageA(editor, WM_MOUSEMOVE, 0, client_point(x, y));
  PostMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, client_point(x, y));
  run_host(plugin, 40);
  // Each move is measured from where the press held the cursor.
  for (int i = 1; i <= 20; ++i) {
    PostMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, client_point(x, y + step));
    run_host(plugin, 20);
  }
  PostMessageA(editor, WM_LBUTTONUP, 0, client_point(x, y + step));
  // The gesture ends half a second after the last change.
  for (int waited = 0; waited < 2000 && plugin.record().end_edits.empty(); waited += 100) run_host(plugin, 100);
  const vsthost::HostRecord r = plugin.record();
  const float after = plugin.get_parameter(param);
  check(std::fabs(after - before) > 0.05f,
        "the drag moves parameter " + std::to_string(param) + " (" + std::to_string(before) + " to " +
            std::to_string(after) + ")");
  check(r.begin_edits == std::vector<int>{param}, "one begin-edit for the dragged parameter");
  bool only_param = !r.automations.empty();
  for (const vsthost::Automation& a : r.automations) only_param = only_param && a.index == param;
  check(only_param, "automation of the dragged parameter only (" + std::to_string(r.automations.size()) + ")");
  check(r.end_edits == std::vector<int>{param}, "one end-edit after the drag");
}

// The host's scale call: the editor opens at 1800 x 892.
void check_double_size(vsthost::Plugin& plugin, HWND host) {
  _putenv("ZINDLE_GUI_SCALE=");
  check(plugin.dispatch(effVendorSpecific, kContentScaleVendor, kContentScaleCall, nullptr, 2.0f) == 1, "the host's scale call");
  ERect* rect = nullptr;
  check(plugin.dispatch(effEditGetRect, 0, 0, &rect) == 1 && rect && rect->right == 2 * kWidth &&
            rect->bottom == 2 * kHeight,
        "editor size 1800 x 892 after the scale call");
  SetWindowPos(host, nullptr, 0, 0, 2 * kWidth, 2 * kHeight, SWP_NOZORDER | SWP_NOMOVE);
  check(plugin.dispatch(effEditOpen, 0, 0, host) == 1, "the editor opens at 2x");
  RECT client{};
  HWND editor = GetWindow(host, GW_CHILD);
  check(editor && GetClientRect(editor, &client) && client.right == 2 * kWidth && client.bottom == 2 * kHeight,
        "the editor's window is 1800 x 892");
  run_host(plugin, 100);
  plugin.dispatch(effEditClose);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zindle-editorcheck PLUGIN.dll REFERENCE.sha256 [ACTUAL.ppm]\n");
    return 2;
  }
  // The picture is compared at 1x, whatever the desktop says (the C
  // runtime's copy of the environment is the one the plug-in reads).
  _putenv("ZINDLE_GUI_SCALE=1");
  SetCursorPos(kWidth + 300, kHeight + 300);  // no hover read-out in the picture
  std::string error;
  auto plugin = vsthost::Plugin::load(argv[1], &error);
  check(plugin != nullptr, "load: " + error);
  if (!plugin) {
    return selfcheck::finish();
  }
  plugin->start(44100.0, 512);
  ERect* rect = nullptr;
  check(plugin->dispatch(effEditGetRect, 0, 0, &rect) == 1 && rect && rect->right == kWidth &&
            rect->bottom == kHeight,
        "editor size 900 x 446");

  HWND host = make_host_window();
  check(host != nullptr, "host window");
  check(plugin->dispatch(effEditOpen, 0, 0, host) == 1, "editor opens in the host window");
  HWND editor = GetWindow(host, GW_CHILD);
  check(editor != nullptr, "the editor's child window");
  run_host(*plugin, 300);
  if (editor) {
    const std::vector<unsigned char> rgb = rgb_bytes(selfcheck::read_window_pixels(editor, kWidth, kHeight));
    std::ifstream reference(argv[2]);
    std::string expected;
    reference >> expected;
    const std::string seen = artgen::sha256_hex(rgb);
    check(!expected.empty() && seen == expected, "the panel as on Linux (" + seen + ")");
    if (argc > 3) write_ppm(argv[3], rgb);
    check_drag(*plugin, editor);
  }
  plugin->dispatch(effEditClose);
  check(GetWindow(host, GW_CHILD) == nullptr, "close removes the editor's window");
  check(plugin->dispatch(effEditOpen, 0, 0, host) == 1, "the editor opens again");
  run_host(*plugin, 100);
  plugin->dispatch(effEditClose);
  check_double_size(*plugin, host);
  DestroyWindow(host);
  plugin->stop();
  return selfcheck::finish();
}
