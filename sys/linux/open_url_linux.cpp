#include "sys/open_url.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "sys/resources.h"

extern char** environ;

namespace sys {

namespace {

// A short-lived shell starts xdg-open in the background and exits at once,
// so the browser is no child of the host and nothing waits for it. The
// shell's status says whether xdg-open exists at all.
bool spawn_opener(const std::string& url) {
  static const char kScript[] =
      "command -v xdg-open >/dev/null 2>&1 || exit 127\n"
      "xdg-open \"$1\" >/dev/null 2>&1 &\n";
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // The host's files (audio devices, sockets) stay with the host.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // Its own session: a terminal's Ctrl-C to the host does not reach the browser.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

  const char* argv[] = {"sh", "-c", kScript, "sh", url.c_str(), nullptr};
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, "/bin/sh", &actions, &attr, const_cast<char* const*>(argv), environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;

  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  // A host that ignores SIGCHLD, or reaps every child itself, leaves no
  // status to read: the shell did start, so count it as opened.
  if (waited < 0) return errno == ECHILD;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool open_url(const std::string& url) {
  // An address that is not one line of text is no address.
  const bool plausible = !url.empty() && url.find_first_of("\r\n") == std::string::npos &&
                         url.find('\0') == std::string::npos && url[0] != '-';
  if (plausible && spawn_opener(url)) return true;
  debug_output("sys::open_url: Error: couldn't open html browser.\n");
  return false;
}

}  // namespace sys
