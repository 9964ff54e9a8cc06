#pragma once
// Opens an address in the user's web browser without waiting for it:
// xdg-open as a detached process on Linux, the shell on Windows. A failure
// is written to the debug output.

#include <string>

namespace sys {

// False when no browser could be started.
bool open_url(const std::string& url);

}  // namespace sys
