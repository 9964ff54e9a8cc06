#pragma once
// What a Windows host does around an editor: a top-level window for the
// editor to live in and a message loop.

#include "gui/win32/win32_api.h"

#include <functional>

namespace wincheck {

class TestHostWindow {
public:
  TestHostWindow(int client_width, int client_height, int x = 0, int y = 0);
  ~TestHostWindow();
  TestHostWindow(const TestHostWindow&) = delete;
  TestHostWindow& operator=(const TestHostWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  void* parent() const { return hwnd_; }
  void destroy();

private:
  HWND hwnd_ = nullptr;
};

// Runs the thread's message loop (with TranslateMessage, as hosts do) for
// about `milliseconds`.
void pump_messages(int milliseconds);
// Runs it until `done` holds or `timeout_ms` passed; the last `done`.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 2000);

// The system's cursor display counter (shown while at least 0).
int cursor_display_count();

}  // namespace wincheck
