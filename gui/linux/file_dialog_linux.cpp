// Open and save dialogs on Linux: the desktop portal, else zenity or
// kdialog as a child process, else a dialog drawn in the editor. Each way
// that turns out to be missing hands over to the next; the editor thread
// is never held.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/linux/child_process_file_chooser.h"
#include "gui/linux/drawn_file_dialog.h"
#include "gui/linux/portal_file_chooser.h"
#include "gui/window.h"

namespace pengui {

namespace {

bool portal_disabled() {
  const char* v = std::getenv("ZINDLE_GUI_NO_PORTAL");
  return v && *v && *v != '0';
}

class LinuxFileDialog : public FileDialog {
public:
  explicit LinuxFileDialog(Window& owner) : owner_(owner) {
    if (!portal_disabled()) backends_.push_back(std::make_unique<PortalFileChooser>());
    backends_.push_back(std::make_unique<ChildProcessFileChooser>());
    auto drawn = std::make_unique<DrawnFileDialog>(owner);
    drawn_ = drawn.get();
    backends_.push_back(std::move(drawn));
  }
  ~LinuxFileDialog() override { cancel(); }

  bool start(const FileDialogRequest& request, Done done) override {
    if (is_running()) return false;
    request_ = request;
    done_ = std::move(done);
    if (start_from(0)) return true;
    done_ = nullptr;
    return false;
  }

  void poll() override {
    if (active_ >= 0) backends_[static_cast<std::size_t>(active_)]->poll();
  }

  bool is_running() const override { return active_ >= 0; }

  void cancel() override {
    if (active_ >= 0) backends_[static_cast<std::size_t>(active_)]->cancel();
    active_ = -1;
    done_ = nullptr;
  }

  void set_font(const FontSet* font) override { drawn_->set_font(font); }

private:
  bool start_from(std::size_t first) {
    for (std::size_t i = first; i < backends_.size(); ++i) {
      if (auto* portal = dynamic_cast<PortalFileChooser*>(backends_[i].get())) portal->set_parent_window(parent_id());
      active_ = static_cast<int>(i);
      const bool started = backends_[i]->start(
          request_, [this, i](FileChooserBackend::Outcome outcome, const std::string& path) {
            finished(i, outcome, path);
          });
      if (started) return true;
    }
    active_ = -1;
    return false;
  }

  void finished(std::size_t backend, FileChooserBackend::Outcome outcome, const std::string& path) {
    if (outcome == FileChooserBackend::Outcome::unavailable && start_from(backend + 1)) return;
    active_ = -1;
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(outcome == FileChooserBackend::Outcome::chosen, path);
  }

  // The portal places its dialog over the editor given as "x11:<hex id>".
  std::string parent_id() const {
    const void* handle = owner_.native_handle();
    if (!handle) return {};
    char text[32];
    std::snprintf(text, sizeof text, "x11:%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(handle)));
    return text;
  }

  Window& owner_;
  std::vector<std::unique_ptr<FileChooserBackend>> backends_;
  DrawnFileDialog* drawn_ = nullptr;
  int active_ = -1;
  FileDialogRequest request_;
  Done done_;
};

}  // namespace

std::unique_ptr<FileDialog> make_file_dialog(Window& owner) { return std::make_unique<LinuxFileDialog>(owner); }

}  // namespace pengui
