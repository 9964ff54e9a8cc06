#pragma once
// One way of asking the user for a file on Linux. The editor's dialog
// tries them in turn: a way that turns out to be unavailable (no portal
// answering, no zenity) hands over to the next without troubling the user.

#include <functional>
#include <string>

#include "gui/file_dialog.h"

namespace pengui {

class FileChooserBackend {
public:
  enum class Outcome { chosen, cancelled, unavailable };
  using Finished = std::function<void(Outcome outcome, const std::string& path)>;

  virtual ~FileChooserBackend() = default;
  // Returns at once; false when this way cannot even start.
  virtual bool start(const FileDialogRequest& request, Finished finished) = 0;
  // Never blocks; calls `finished` once the outcome is known.
  virtual void poll() = 0;
  virtual bool is_running() const = 0;
  // Ends a running dialog without calling `finished`.
  virtual void cancel() = 0;
};

}  // namespace pengui
