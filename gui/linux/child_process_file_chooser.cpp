#include "gui/linux/child_process_file_chooser.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

extern char** environ;

namespace pengui {

namespace {

constexpr int kCancelledExitCode = 1;  // both programs exit 1 on Cancel

std::string start_path(const FileDialogRequest& r) {
  std::string path = r.folder;
  if (!path.empty() && path.back() != '/') path += '/';
  if (r.save) path += r.file_name;
  return path;
}

void sleep_ms(long ms) {
  timespec t{0, ms * 1000000L};
  nanosleep(&t, nullptr);
}

}  // namespace

ChildProcessFileChooser::~ChildProcessFileChooser() { cancel(); }

std::vector<std::string> ChildProcessFileChooser::command_line(const std::string& program,
                                                               const FileDialogRequest& r) {
  const std::string pattern = r.pattern.empty() ? "*" : r.pattern;
  const std::string where = start_path(r);
  if (program == "kdialog") {
    std::vector<std::string> args{program, "--title", r.title, r.save ? "--getsavefilename" : "--getopenfilename",
                                  where.empty() ? "." : where, pattern + "|" + r.filter_name};
    return args;
  }
  // zenity; overwriting is confirmed by the editor's own Yes/No box.
  std::vector<std::string> args{program, "--file-selection", "--title=" + r.title};
  if (r.save) args.push_back("--save");
  if (!where.empty()) args.push_back("--filename=" + where);
  args.push_back("--file-filter=" + r.filter_name + " | " + pattern);
  args.push_back("--file-filter=All files | *");
  return args;
}

std::string ChildProcessFileChooser::find_program() {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  for (const char* name : {"zenity", "kdialog"}) {
    std::string dirs = path;
    std::size_t begin = 0;
    while (begin <= dirs.size()) {
      std::size_t end = dirs.find(':', begin);
      if (end == std::string::npos) end = dirs.size();
      const std::string dir = end > begin ? dirs.substr(begin, end - begin) : ".";
      const std::string candidate = dir + "/" + name;
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
      begin = end + 1;
    }
  }
  return {};
}

bool ChildProcessFileChooser::start(const FileDialogRequest& request, Finished finished) {
  if (is_running()) return false;
  const std::string program = find_program();
  if (program.empty()) return false;
  const std::string name = program.substr(program.rfind('/') + 1);
  std::vector<std::string> args = command_line(name, request);
  args[0] = program;
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  // Toolkit warnings of the child stay out of the host's log.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return false;
  }
  fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
  pid_ = pid;
  pipe_fd_ = fds[0];
  output_.clear();
  finished_ = std::move(finished);
  return true;
}

void ChildProcessFileChooser::read_available() {
  if (pipe_fd_ < 0) return;
  char chunk[512];
  for (;;) {
    const ssize_t n = read(pipe_fd_, chunk, sizeof chunk);
    if (n > 0) {
      // A path, not a stream: a runaway child cannot fill our memory.
      if (output_.size() < 65536) output_.append(chunk, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) {
      close(pipe_fd_);
      pipe_fd_ = -1;
    }
    return;  // EAGAIN: nothing more for now
  }
}

void ChildProcessFileChooser::poll() {
  if (!is_running()) return;
  read_available();
  int status = 0;
  const pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == 0 || (r < 0 && errno == EINTR)) return;
  read_available();
  const bool reaped = r == pid_;
  pid_ = -1;
  if (pipe_fd_ >= 0) {
    close(pipe_fd_);
    pipe_fd_ = -1;
  }
  std::string path = output_.substr(0, output_.find('\n'));
  const bool has_path = !path.empty() && path[0] == '/';
  if (!reaped) {
    // The host ignores SIGCHLD, so the status is lost; the output tells.
    finish(has_path ? Outcome::chosen : Outcome::cancelled, has_path ? path : std::string());
    return;
  }
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code == 0 && has_path)
    finish(Outcome::chosen, path);
  else if (code == kCancelledExitCode || code == 0)
    finish(Outcome::cancelled, {});
  else
    finish(Outcome::unavailable, {});  // could not show itself (no display, bad arguments)
}

void ChildProcessFileChooser::finish(Outcome outcome, const std::string& path) {
  Finished f = std::move(finished_);
  finished_ = nullptr;
  if (f) f(outcome, path);
}

void ChildProcessFileChooser::cancel() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    reap();
  }
  if (pipe_fd_ >= 0) {
    close(pipe_fd_);
    pipe_fd_ = -1;
  }
  finished_ = nullptr;
}

void ChildProcessFileChooser::reap() {
  // A dialog ends at once on SIGTERM; a stuck one gets SIGKILL after 50 ms.
  for (int i = 0; i < 10; ++i) {
    const pid_t r = waitpid(pid_, nullptr, WNOHANG);
    if (r != 0) {
      pid_ = -1;
      return;
    }
    sleep_ms(5);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace pengui
