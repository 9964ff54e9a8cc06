#include "tests/gui/win32/editor_fixture.h"

#include <algorithm>

#include "gui/win32/win32_window_class.h"

namespace wincheck {

void Backdrop::draw(pengui::Canvas& canvas) {
  const pengui::Rect b = bounds();
  for (int y = b.y; y < b.bottom(); y += 2)
    canvas.fill_rect({b.x, y, b.w, 1}, (static_cast<uint32_t>(y * 0x010203) ^ 0x3F7F1Fu) & 0xFFFFFFu);
  canvas.fill_rect({100, 100, 50, 20}, 0xFF8000u);
}

bool Probe::mouse_down(const pengui::MouseEvent& e) {
  log.push_back("down " + std::to_string(e.pos.x) + "," + std::to_string(e.pos.y));
  if (window())
    window()->capture_mouse(this, capture_relative ? pengui::CaptureMode::relative : pengui::CaptureMode::plain);
  return true;
}

void Probe::mouse_up(const pengui::MouseEvent& e) {
  log.push_back("up " + std::to_string(e.pos.x) + "," + std::to_string(e.pos.y));
  if (window() && window()->captured() == this) window()->release_mouse();
}

void Probe::mouse_move(const pengui::MouseEvent& e) {
  if (e.dx || e.dy)
    log.push_back("move " + std::to_string(e.dx) + "," + std::to_string(e.dy));
  else
    log.push_back("at " + std::to_string(e.pos.x) + "," + std::to_string(e.pos.y));
}

bool Probe::mouse_wheel(const pengui::MouseEvent&, int steps) {
  log.push_back("wheel " + std::to_string(steps));
  return true;
}

bool Probe::key_down(const pengui::KeyEvent& e) {
  switch (e.key) {
    case pengui::Key::left: log.push_back("key left"); return true;
    case pengui::Key::enter: log.push_back("key enter"); return true;
    case pengui::Key::character: log.push_back("char " + std::to_string(e.character)); return true;
    default: return false;  // escape and the rest go to the host
  }
}

bool Probe::saw(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }

Editor::Editor() {
  backdrop.set_bounds({0, 0, 900, 446});
  probe.set_bounds({400, 200, 100, 60});
  button.set_bounds({200, 300, 80, 30});
  button.attach(&button_listener);
  window.add(&backdrop);
  window.add(&probe);
  window.add(&button);
}

Editor::~Editor() { window.close(); }

LPARAM Editor::client_lparam(int x, int y) const {
  const POINT p = device(x, y);
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
}

bool Editor::shows_buffer_soon() const {
  const pengui::RenderBuffer& b = window.buffer();
  const std::vector<uint32_t> want(b.data(), b.data() + static_cast<std::size_t>(b.width()) * b.height());
  return pump_until([&] { return hwnd() && read_back(hwnd(), b.width(), b.height()) == want; });
}

void Editor::post_click(int x, int y) const {
  PostMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(x, y));
  PostMessageW(hwnd(), WM_LBUTTONUP, 0, client_lparam(x, y));
}

bool editor_class_registered() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExW(pengui::own_module(), pengui::editor_class_name(), &wc) != FALSE;
}

}  // namespace wincheck
