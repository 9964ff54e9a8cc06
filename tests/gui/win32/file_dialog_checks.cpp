// The common dialogs: start() only records the request, poll() shows the
// dialog over the host's window and hands over the answer. A thread timer
// plays the user, pressing the dialog's buttons from inside its loop.

#include <cctype>
#include <functional>
#include <memory>
#include <string>

#include "gui/file_dialog.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

namespace {

// What the simulated user does once the dialog is up.
std::function<void(HWND dialog)> user_action;
std::string dialog_title;
HWND seen_dialog = nullptr;
HWND seen_owner = nullptr;

void CALLBACK play_user(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowA("#32770", dialog_title.c_str());
  if (!dialog || seen_dialog) return;
  seen_dialog = dialog;
  seen_owner = GetWindow(dialog, GW_OWNER);
  if (user_action) user_action(dialog);
}

struct Answer {
  int calls = 0;
  bool ok = false;
  std::string path;
};

// Runs poll() with the simulated user standing by.
void poll_with_user(pengui::FileDialog& dialog, const std::string& title, std::function<void(HWND)> action) {
  dialog_title = title;
  seen_dialog = seen_owner = nullptr;
  user_action = std::move(action);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, play_user);
  dialog.poll();
  KillTimer(nullptr, timer);
  user_action = nullptr;
}

bool same_path(std::string a, std::string b) {
  for (std::string* s : {&a, &b})
    for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return a == b;
}

}  // namespace

void file_dialog_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  editor.window.idle();
  std::unique_ptr<pengui::FileDialog> dialog = pengui::make_file_dialog(editor.window);

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder(temp);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();

  pengui::FileDialogRequest save;
  save.save = true;
  save.title = "Save preset bank";
  save.filter_name = "Zindle preset banks (*.pbk)";
  save.pattern = "*.pbk";
  save.folder = folder;
  save.file_name = "bank.pbk";
  Answer answer;
  auto record = [&answer](bool ok, const std::string& path) {
    ++answer.calls;
    answer.ok = ok;
    answer.path = path;
  };

  const bool started = dialog->start(save, record);
  check(started && dialog->is_running() && !FindWindowA("#32770", save.title.c_str()) && !dialog->start(save, record),
        "start() returns at once, before any dialog is shown; a second start is refused");
  poll_with_user(*dialog, save.title, [](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); });
  check(seen_dialog && seen_owner == host.hwnd(),
        "poll() shows the save dialog with the request's title, owned by the host's top-level window");
  check(answer.calls == 1 && answer.ok && same_path(answer.path, folder + "\\bank.pbk") && !dialog->is_running(),
        "OK answers once with the proposed name in the given folder (" + answer.path + ") and ends the dialog");

  pengui::FileDialogRequest open = save;
  open.save = false;
  open.title = "Load preset bank";
  answer = Answer{};
  dialog->start(open, record);
  poll_with_user(*dialog, open.title, [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
  check(seen_dialog && answer.calls == 1 && !answer.ok && answer.path.empty(),
        "cancelling the open dialog answers not ok with no path");

  answer = Answer{};
  dialog->start(open, record);
  pengui::FileDialog* running = dialog.get();
  poll_with_user(*dialog, open.title, [running](HWND) { running->cancel(); });
  check(seen_dialog && !IsWindow(seen_dialog) && answer.calls == 0 && !running->is_running(),
        "cancel() while the dialog is up closes it without an answer");

  answer = Answer{};
  dialog->start(save, record);
  dialog->cancel();
  dialog->poll();
  check(answer.calls == 0 && !dialog->is_running(), "cancel() before the dialog was shown drops the request");
}

}  // namespace wincheck
