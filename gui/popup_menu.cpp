#include "gui/popup_menu.h"

#include "gui/popup_menu_view.h"

namespace pengui {

PopupMenu::PopupMenu() = default;

PopupMenu::~PopupMenu() { close(); }

MenuEntry& PopupMenu::add_entry(std::string_view label, MenuListenerInterface* listener, int tag) {
  auto entry = std::make_unique<MenuEntry>();
  entry->label_.assign(label);
  entry->listener_ = listener;
  entry->tag_ = tag >= 0 ? tag : size();
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

void PopupMenu::add_separator() {
  MenuEntry& e = add_entry("");
  e.separator_ = true;
  e.enabled_ = false;
}

PopupMenu& PopupMenu::add_submenu(std::string_view label, MenuListenerInterface* listener) {
  MenuEntry& e = add_entry(label, listener);
  e.submenu_ = std::make_unique<PopupMenu>();
  return *e.submenu_;
}

void PopupMenu::clear() {
  close();
  entries_.clear();
}

MenuEntry* PopupMenu::entry(int index) const {
  if (index < 0 || index >= size()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].get();
}

bool PopupMenu::popup(Window& window, Point at) {
  close();
  if (!view_) view_ = std::make_unique<PopupMenuView>(*this);
  view_->show(window, at);
  return view_->is_shown();
}

void PopupMenu::close() {
  if (view_) view_->hide();
}

bool PopupMenu::is_shown() const { return view_ && view_->is_shown(); }

}  // namespace pengui
