// Without a window there is nothing to show a dialog over: none starts,
// and the caller hears so from start() at once.

#include "gui/file_dialog.h"

namespace pengui {

namespace {

class NoneFileDialog : public FileDialog {
public:
  bool start(const FileDialogRequest& /*request*/, Done /*done*/) override { return false; }
  void poll() override {}
  bool is_running() const override { return false; }
  void cancel() override {}
};

}  // namespace

std::unique_ptr<FileDialog> make_file_dialog(Window& /*owner*/) { return std::make_unique<NoneFileDialog>(); }

}  // namespace pengui
