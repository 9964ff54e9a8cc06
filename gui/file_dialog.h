#pragma once
// Open and save dialogs that never block the editor thread: start() returns
// at once and the answer arrives through `done` from a later poll() (the
// editor polls from its idle calls). Linux tries the desktop portal, then
// zenity/kdialog as a child process, then a dialog drawn in the editor;
// Windows uses the common dialogs.

#include <functional>
#include <memory>
#include <string>

namespace pengui {

class Window;
struct FontSet;

struct FileDialogRequest {
  bool save = false;
  std::string title;          // "Save preset bank"
  std::string filter_name;    // "Zindle preset banks (*.pbk)"
  std::string pattern;        // "*.pbk"
  std::string folder;         // where the dialog starts; may be empty
  std::string file_name;      // proposed name for a save dialog; may be empty
};

class FileDialog {
public:
  // ok false: cancelled or failed; path is then empty.
  using Done = std::function<void(bool ok, const std::string& path)>;

  virtual ~FileDialog() = default;
  // False when a dialog is already running or none could be started.
  virtual bool start(const FileDialogRequest& request, Done done) = 0;
  // Calls done once the answer is there; cheap when nothing happened.
  virtual void poll() = 0;
  virtual bool is_running() const = 0;
  // Ends a running dialog without calling done (editor closing).
  virtual void cancel() = 0;
  // The font of a dialog drawn in the editor (Linux desktops without a
  // portal or zenity/kdialog); without one that fallback is not offered.
  virtual void set_font(const FontSet* /*font*/) {}
};

// The platform's dialogs, with `owner` for the drawn fallback.
std::unique_ptr<FileDialog> make_file_dialog(Window& owner);

}  // namespace pengui
