#pragma once
// A file dialog that answers on the next poll() with what the test chose,
// and keeps every request it was given.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/file_dialog.h"

namespace zindle_test {

struct DialogScript {
  bool ok = true;  // false: the user cancels
  std::string path;
  std::vector<pengui::FileDialogRequest> requests;
};

class ScriptedFileDialog : public pengui::FileDialog {
public:
  explicit ScriptedFileDialog(std::shared_ptr<DialogScript> script) : script_(std::move(script)) {}

  bool start(const pengui::FileDialogRequest& request, Done done) override {
    if (done_) return false;
    script_->requests.push_back(request);
    done_ = std::move(done);
    return true;
  }
  void poll() override {
    if (!done_) return;
    Done done = std::move(done_);
    done_ = nullptr;
    done(script_->ok, script_->ok ? script_->path : std::string());
  }
  bool is_running() const override { return static_cast<bool>(done_); }
  void cancel() override { done_ = nullptr; }

private:
  std::shared_ptr<DialogScript> script_;
  Done done_;
};

}  // namespace zindle_test
