#include "gui/linux/drawn_file_dialog.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "gui/canvas.h"
#include "gui/window.h"

namespace pengui {

namespace {

constexpr int kBoxWidth = 540;
constexpr int kBoxHeight = 330;
constexpr int kTitleHeight = 22;
constexpr int kLineHeight = 16;
constexpr int kPadding = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kFieldHeight = 20;
constexpr int kWheelRows = 3;
constexpr std::size_t kMaxEntries = 5000;  // a huge folder stays usable

constexpr uint32_t kDim = 0x000000;
constexpr int kDimAlpha = 96;
constexpr uint32_t kPanel = 0xE4E4E4;
constexpr uint32_t kTitleBar = 0x3C4656;
constexpr uint32_t kTitleText = 0xFFFFFF;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kListBackground = 0xFFFFFF;
constexpr uint32_t kSelected = 0xA8C8F0;
constexpr uint32_t kFrame = 0x808080;
constexpr uint32_t kButton = 0xD0D0D0;
constexpr uint32_t kButtonPressed = 0xA8A8A8;

bool is_directory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_regular_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string parent_of(const std::string& folder) {
  const std::size_t slash = folder.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : folder.substr(0, slash);
}

// "/a/b/" -> "/a/b"; the root stays "/".
std::string without_trailing_slash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool is_folder_entry(const std::string& entry) { return !entry.empty() && entry.back() == '/'; }

}  // namespace

DrawnFileDialog::DrawnFileDialog(Window& window) : window_ref_(window) {
  name_field_.set_background(kListBackground);
  name_field_.set_frame(kFrame);
  name_field_.set_padding(3);
  name_field_.set_max_length(1024);
  name_field_.attach(this);
}

DrawnFileDialog::~DrawnFileDialog() { cancel(); }

void DrawnFileDialog::set_font(const FontSet* font) {
  font_ = font;
  name_field_.set_font(font);
}

bool DrawnFileDialog::start(const FileDialogRequest& request, Finished finished) {
  if (!font_ || is_running()) return false;
  request_ = request;
  finished_ = std::move(finished);
  folder_.clear();
  const std::string first = without_trailing_slash(request.folder);
  if (!first.empty()) read_folder(first);
  const char* home = std::getenv("HOME");
  if (folder_.empty() && home && *home) read_folder(without_trailing_slash(home));
  if (folder_.empty()) read_folder("/");
  name_field_.set_text(request.save ? request.file_name : std::string());
  layout();
  window_ref_.push_overlay(this);
  shown_ = true;
  name_field_.focus_changed(true);  // typing goes to the name at once
  invalidate();
  return true;
}

void DrawnFileDialog::layout() {
  set_bounds({0, 0, window_ref_.width(), window_ref_.height()});
  const int w = std::min(kBoxWidth, window_ref_.width());
  const int h = std::min(kBoxHeight, window_ref_.height());
  box_ = {(window_ref_.width() - w) / 2, (window_ref_.height() - h) / 2, w, h};
  const Rect ok = ok_rect();
  name_field_.set_bounds({box_.x + kPadding, ok.y - kPadding - kFieldHeight, box_.w - 2 * kPadding, kFieldHeight});
}

Rect DrawnFileDialog::ok_rect() const {
  return {box_.right() - 2 * (kButtonWidth + kPadding), box_.bottom() - kPadding - kButtonHeight, kButtonWidth,
          kButtonHeight};
}

Rect DrawnFileDialog::cancel_rect() const { return ok_rect().offset(kButtonWidth + kPadding, 0); }

Rect DrawnFileDialog::list_rect() const {
  const int top = box_.y + kTitleHeight + kLineHeight + kPadding;
  const int bottom = name_field_.bounds().y - kPadding;
  return {box_.x + kPadding, top, box_.w - 2 * kPadding, std::max(0, bottom - top)};
}

int DrawnFileDialog::visible_rows() const { return std::max(1, list_rect().h / kLineHeight); }

Rect DrawnFileDialog::row_rect(int entry) const {
  const int row = entry - scroll_;
  if (entry < 0 || entry >= static_cast<int>(entries_.size()) || row < 0 || row >= visible_rows()) return {};
  const Rect list = list_rect();
  return {list.x, list.y + row * kLineHeight, list.w, kLineHeight};
}

int DrawnFileDialog::entry_at(Point p) const {
  const Rect list = list_rect();
  if (!list.contains(p)) return -1;
  const int entry = scroll_ + (p.y - list.y) / kLineHeight;
  return entry < static_cast<int>(entries_.size()) ? entry : -1;
}

void DrawnFileDialog::read_folder(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;  // unreadable: stay where we are
  std::vector<std::string> folders, files;
  const std::string pattern = request_.pattern.empty() ? "*" : request_.pattern;
  while (dirent* d = readdir(dir)) {
    const std::string name = d->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (folders.size() + files.size() >= kMaxEntries) break;
    const std::string path = join(folder, name);
    if (is_directory(path))
      folders.push_back(name + "/");
    else if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
      files.push_back(name);
  }
  closedir(dir);
  const auto by_name = [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; };
  std::sort(folders.begin(), folders.end(), by_name);
  std::sort(files.begin(), files.end(), by_name);
  entries_.clear();
  if (folder != "/") entries_.push_back("../");
  entries_.insert(entries_.end(), folders.begin(), folders.end());
  entries_.insert(entries_.end(), files.begin(), files.end());
  folder_ = folder;
  selected_ = -1;
  scroll_ = 0;
  invalidate();
}

void DrawnFileDialog::pick(int entry, bool open) {
  if (entry < 0 || entry >= static_cast<int>(entries_.size())) return;
  selected_ = entry;
  const std::string& name = entries_[static_cast<std::size_t>(entry)];
  if (is_folder_entry(name)) {
    if (open) {
      const std::string sub = name.substr(0, name.size() - 1);
      read_folder(sub == ".." ? parent_of(folder_) : join(folder_, sub));
    }
  } else {
    name_field_.set_text(name);
    if (open) accept(name);
  }
  invalidate();
}

void DrawnFileDialog::accept(const std::string& typed) {
  if (typed.empty()) return;
  const std::string path = without_trailing_slash(typed[0] == '/' ? typed : join(folder_, typed));
  if (is_directory(path)) {
    read_folder(path);
    name_field_.set_text(request_.save ? request_.file_name : std::string());
    return;
  }
  // Opening needs an existing file; saving needs an existing folder.
  if (!request_.save && !is_regular_file(path)) return;
  if (request_.save && !is_directory(parent_of(path))) return;
  answer(Outcome::chosen, path);
}

void DrawnFileDialog::answer(Outcome outcome, const std::string& path) {
  shown_ = false;
  window_ref_.pop_overlay(this);
  answered_ = true;
  outcome_ = outcome;
  answer_path_ = path;
}

void DrawnFileDialog::poll() {
  if (!answered_) return;
  answered_ = false;
  Finished f = std::move(finished_);
  finished_ = nullptr;
  if (f) f(outcome_, answer_path_);
}

void DrawnFileDialog::cancel() {
  if (shown_) window_ref_.pop_overlay(this);
  shown_ = answered_ = false;
  finished_ = nullptr;
}

void DrawnFileDialog::text_entered(const char* text) { accept(text ? text : ""); }

void DrawnFileDialog::draw(Canvas& canvas) {
  canvas.blend_rect(bounds(), kDim, kDimAlpha);
  canvas.fill_rect(box_, kPanel);
  canvas.frame_rect(box_, kFrame);
  if (!font_) return;
  const Rect title{box_.x, box_.y, box_.w, kTitleHeight};
  canvas.fill_rect(title, kTitleBar);
  canvas.draw_text_in(*font_, {title.x + kPadding, title.y, title.w - 2 * kPadding, title.h}, request_.title,
                      kTitleText);
  canvas.draw_text_in(*font_, {box_.x + kPadding, title.bottom(), box_.w - 2 * kPadding, kLineHeight}, folder_,
                      kText);

  const Rect list = list_rect();
  canvas.fill_rect(list, kListBackground);
  canvas.frame_rect(list, kFrame);
  for (int i = scroll_; i < static_cast<int>(entries_.size()) && i < scroll_ + visible_rows(); ++i) {
    const Rect row = row_rect(i);
    if (i == selected_) canvas.fill_rect(row, kSelected);
    canvas.draw_text_in(*font_, {row.x + 4, row.y, row.w - 8, row.h}, entries_[static_cast<std::size_t>(i)], kText);
  }
  {
    Canvas::ClipGuard clip(canvas, name_field_.bounds());
    name_field_.draw(canvas);
  }
  const struct {
    Rect rect;
    const char* label;
    int id;
  } buttons[] = {{ok_rect(), "OK", 1}, {cancel_rect(), "Cancel", 2}};
  for (const auto& b : buttons) {
    canvas.fill_rect(b.rect, pressed_button_ == b.id ? kButtonPressed : kButton);
    canvas.frame_rect(b.rect, kFrame);
    canvas.draw_text_in(*font_, b.rect, b.label, kText, Align::center);
  }
}

bool DrawnFileDialog::mouse_down(const MouseEvent& e) {
  if (e.button != MouseButton::left) return true;
  if (ok_rect().contains(e.pos)) {
    pressed_button_ = 1;
  } else if (cancel_rect().contains(e.pos)) {
    pressed_button_ = 2;
  } else if (name_field_.bounds().contains(e.pos)) {
    name_field_.mouse_down(e);
  } else {
    pick(entry_at(e.pos), e.clicks >= 2);
  }
  invalidate();
  return true;  // modal: every press is ours
}

void DrawnFileDialog::mouse_move(const MouseEvent& e) {
  name_field_.mouse_move(e);
  invalidate(name_field_.bounds());
}

void DrawnFileDialog::mouse_up(const MouseEvent& e) {
  name_field_.mouse_up(e);
  const int pressed = pressed_button_;
  pressed_button_ = 0;
  invalidate();
  if (pressed == 1 && ok_rect().contains(e.pos)) accept(name_field_.text());
  if (pressed == 2 && cancel_rect().contains(e.pos)) answer(Outcome::cancelled, {});
}

bool DrawnFileDialog::mouse_wheel(const MouseEvent& /*e*/, int steps) {
  const int last_top = std::max(0, static_cast<int>(entries_.size()) - visible_rows());
  scroll_ = std::clamp(scroll_ - steps * kWheelRows, 0, last_top);
  invalidate();
  return true;
}

bool DrawnFileDialog::key_down(const KeyEvent& e) {
  switch (e.key) {
    case Key::escape:
      answer(Outcome::cancelled, {});
      return true;
    case Key::enter:
      accept(name_field_.text());
      return true;
    case Key::up:
    case Key::down: {
      const int next = std::clamp(selected_ + (e.key == Key::down ? 1 : -1), 0,
                                  static_cast<int>(entries_.size()) - 1);
      pick(next, false);
      if (next < scroll_) scroll_ = next;
      if (next >= scroll_ + visible_rows()) scroll_ = next - visible_rows() + 1;
      return true;
    }
    default:
      name_field_.focus_changed(true);
      name_field_.key_down(e);
      invalidate(name_field_.bounds());
      return true;  // the host gets no keys while the dialog is up
  }
}

}  // namespace pengui
