#include "framework/vst2/settings_path.h"

#include <algorithm>
#include <cctype>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace mppi {

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool ends_with_no_case(const std::string& text, const std::string& end) {
  if (text.size() <= end.size()) return false;
  return std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

std::string folder_of(std::string path) {
  const size_t cut = path.find_last_of("\\/");
  path.erase(cut == std::string::npos ? 0 : cut);
  return path;
}

}  // namespace

std::string make_settings_path(const std::string& host_dir, const std::string& module_file,
                               const std::string& sub_path) {
  std::string base = host_dir;
  if (ends_with_no_case(base, ".dll") || ends_with_no_case(base, ".so")) base = folder_of(base);
  if (base.empty()) base = folder_of(module_file);
  while (!base.empty() && is_separator(base.back())) base.pop_back();

  std::string sub = sub_path;
  std::replace_if(sub.begin(), sub.end(), is_separator, kSeparator);
  if (base.empty() || sub.empty()) return base;
  return base + kSeparator + sub;
}

std::string get_module_file_name() {
#if defined(_WIN32)
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&get_module_file_name), &module))
    return std::string();
  char name[MAX_PATH] = {};
  const DWORD len = GetModuleFileNameA(module, name, MAX_PATH);
  return len > 0 && len < MAX_PATH ? std::string(name, len) : std::string();
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&get_module_file_name), &info) == 0 || info.dli_fname == nullptr)
    return std::string();
  return info.dli_fname;
#endif
}

}  // namespace mppi
