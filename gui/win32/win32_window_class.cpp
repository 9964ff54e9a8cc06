#include "gui/win32/win32_window_class.h"

#include <cwchar>
#include <mutex>
#include <string>

namespace pengui {

namespace {

// Editors of several plug-in instances may live on different host threads.
std::mutex& class_mutex() {
  static std::mutex m;
  return m;
}
int class_users = 0;

}  // namespace

HINSTANCE own_module() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&own_module), &module);
  return module;
}

const wchar_t* editor_class_name() {
  static const std::wstring name = [] {
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof text[0], L"ZindleBR-editor-%p", static_cast<void*>(own_module()));
    return std::wstring(text);
  }();
  return name.c_str();
}

bool acquire_editor_class(WNDPROC window_proc) {
  std::lock_guard<std::mutex> lock(class_mutex());
  if (class_users == 0) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // No CS_DBLCLKS: the toolkit pairs clicks itself. No background brush:
    // every pixel comes from the buffer, so nothing is erased first.
    wc.style = 0;
    wc.lpfnWndProc = window_proc;
    wc.hInstance = own_module();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;
    wc.lpszClassName = editor_class_name();
    if (!RegisterClassExW(&wc)) return false;
  }
  ++class_users;
  return true;
}

void release_editor_class() {
  std::lock_guard<std::mutex> lock(class_mutex());
  if (class_users == 0) return;
  if (--class_users == 0) UnregisterClassW(editor_class_name(), own_module());
}

}  // namespace pengui
