// Open and save dialogs on Windows: the system's common dialogs. They run
// a modal message loop of their own, so start() only records the request;
// the next poll() (from the editor's idle call or tick, never from inside
// the mouse handler that asked) shows the dialog and hands the answer over
// when it returns. While it is up the host's loop keeps running inside it,
// and the editor goes on ticking.

#include "gui/win32/win32_api.h"
#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/file_dialog.h"
#include "gui/win32/win32_dpi.h"
#include "gui/window.h"

namespace pengui {

namespace {

constexpr DWORD kPathCapacity = 4096;

// What a running dialog shares with its FileDialog, which may be cancelled
// or deleted while the dialog's own loop runs.
struct DialogSession {
  HWND owner = nullptr;
  std::string title;
  bool cancelled = false;
};

// "*.pbk" gives "pbk"; patterns without one plain extension give none.
std::string default_extension(const std::string& pattern) {
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return {};
  const std::string ext = pattern.substr(2);
  return ext.find_first_of("*?;.") == std::string::npos ? ext : std::string();
}

// The filter list: name, pattern, each ended by a zero, then one more zero.
std::vector<char> filter_list(const FileDialogRequest& r) {
  const std::string pattern = r.pattern.empty() ? "*.*" : r.pattern;
  const std::string name = r.filter_name.empty() ? pattern : r.filter_name;
  std::vector<char> list(name.begin(), name.end());
  list.push_back('\0');
  list.insert(list.end(), pattern.begin(), pattern.end());
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

// Finds our dialog among the thread's windows: a dialog box with our
// owner and our title.
BOOL CALLBACK close_our_dialog(HWND window, LPARAM session_pointer) {
  const auto* session = reinterpret_cast<const DialogSession*>(session_pointer);
  char class_name[16];
  std::vector<char> title(session->title.size() + 2, '\0');
  if (GetWindow(window, GW_OWNER) == session->owner && GetClassNameA(window, class_name, sizeof class_name) &&
      lstrcmpA(class_name, "#32770") == 0 &&
      (session->title.empty() ||
       (GetWindowTextA(window, title.data(), static_cast<int>(title.size())) && session->title == title.data())))
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// Shows the dialog and waits in its loop; ok false on cancel or failure.
bool run_common_dialog(const FileDialogRequest& request, HWND owner, std::string& path) {
  std::vector<char> file(kPathCapacity, '\0');
  if (request.save) file.assign(request.file_name.begin(), request.file_name.end());
  file.resize(kPathCapacity, '\0');
  file.back() = '\0';
  const std::vector<char> filter = filter_list(request);
  const std::string extension = default_extension(request.pattern);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kPathCapacity;
  ofn.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The host's working folder stays where it was.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
              (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

  DpiAwarenessScope dpi(owner);
  const BOOL ok = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  path.assign(file.data());
  return !path.empty();
}

class Win32FileDialog : public FileDialog {
public:
  explicit Win32FileDialog(Window& owner) : owner_(owner) {}
  ~Win32FileDialog() override { cancel(); }

  bool start(const FileDialogRequest& request, Done done) override {
    if (is_running() || !done) return false;
    request_ = request;
    done_ = std::move(done);
    state_ = State::pending;
    return true;
  }

  void poll() override {
    if (state_ != State::pending) return;
    state_ = State::showing;
    auto session = std::make_shared<DialogSession>();
    // A top-level owner: the dialog stays above the host and disables it.
    const HWND editor = static_cast<HWND>(owner_.native_handle());
    session->owner = editor ? GetAncestor(editor, GA_ROOT) : nullptr;
    session->title = request_.title;
    session_ = session;
    const FileDialogRequest request = request_;
    std::string path;
    const bool ok = run_common_dialog(request, session->owner, path);
    // Cancelled, or this object deleted, while the dialog was up.
    if (session->cancelled) return;
    session_.reset();
    state_ = State::idle;
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(ok, ok ? path : std::string());
  }

  bool is_running() const override { return state_ != State::idle; }

  void cancel() override {
    if (state_ == State::showing && session_) {
      session_->cancelled = true;
      // The dialog's loop ends when its window goes; poll() then returns.
      EnumThreadWindows(GetCurrentThreadId(), close_our_dialog, reinterpret_cast<LPARAM>(session_.get()));
      session_.reset();
    }
    state_ = State::idle;
    done_ = nullptr;
  }

private:
  enum class State { idle, pending, showing };

  Window& owner_;
  State state_ = State::idle;
  FileDialogRequest request_;
  Done done_;
  std::shared_ptr<DialogSession> session_;
};

}  // namespace

std::unique_ptr<FileDialog> make_file_dialog(Window& owner) { return std::make_unique<Win32FileDialog>(owner); }

}  // namespace pengui
