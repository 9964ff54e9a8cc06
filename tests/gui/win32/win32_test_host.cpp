#include "tests/gui/win32/win32_test_host.h"

namespace wincheck {

namespace {
const wchar_t* const kHostClass = L"ZindleTestHost";
}  // namespace

TestHostWindow::TestHostWindow(int client_width, int client_height, int x, int y) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return;
  RECT r{0, 0, client_width, client_height};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  hwnd_ = CreateWindowExW(0, kHostClass, L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                          r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  pump_messages(30);
}

TestHostWindow::~TestHostWindow() { destroy(); }

void TestHostWindow::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void pump_messages(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (static_cast<LONG>(end - GetTickCount()) <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (true);
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  while (!done()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return done();
    pump_messages(10);
  }
  return true;
}

int cursor_display_count() {
  ShowCursor(FALSE);
  return ShowCursor(TRUE);
}

}  // namespace wincheck
