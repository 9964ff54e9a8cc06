#include "sys/open_url.h"

#include <windows.h>
#include <shellapi.h>

#include "sys/resources.h"

namespace sys {

bool open_url(const std::string& url) {
  const bool plausible = !url.empty() && url.find_first_of("\r\n") == std::string::npos &&
                         url.find('\0') == std::string::npos;
  // ShellExecute answers above 32 on success.
  if (plausible &&
      reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return true;
  debug_output("sys::open_url: Error: couldn't open html browser.\n");
  return false;
}

}  // namespace sys
