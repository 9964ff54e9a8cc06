#pragma once
// The desktop's own dialog run as a child process: zenity, else kdialog.
// Its answer is read from a pipe that never blocks the editor thread.

#include <sys/types.h>

#include <string>
#include <vector>

#include "gui/linux/file_chooser_backend.h"

namespace pengui {

class ChildProcessFileChooser : public FileChooserBackend {
public:
  ChildProcessFileChooser() = default;
  ~ChildProcessFileChooser() override;
  ChildProcessFileChooser(const ChildProcessFileChooser&) = delete;
  ChildProcessFileChooser& operator=(const ChildProcessFileChooser&) = delete;

  bool start(const FileDialogRequest& request, Finished finished) override;
  void poll() override;
  bool is_running() const override { return pid_ > 0; }
  void cancel() override;

  // The command line for `program` ("zenity" or "kdialog"); exposed for tests.
  static std::vector<std::string> command_line(const std::string& program, const FileDialogRequest& request);
  // The first program of the two found on PATH, or "".
  static std::string find_program();

private:
  void read_available();
  void finish(Outcome outcome, const std::string& path);
  void reap();

  pid_t pid_ = -1;
  int pipe_fd_ = -1;
  std::string output_;
  Finished finished_;
};

}  // namespace pengui
