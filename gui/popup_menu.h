#pragma once
// A pop-up menu tree: entries with a label, tick mark, enabled state and
// one listener each, separators, submenus and an optional title line. The
// menu is data; popup() shows it as a modal overlay of the window (see
// PopupMenuView) and returns at once. Entries keep their address while the
// menu lives, so listeners may hold on to them.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/geometry.h"
#include "gui/image.h"

namespace pengui {

class MenuListenerInterface;
class PopupMenu;
class PopupMenuView;
class Window;

class MenuEntry {
public:
  const std::string& label() const { return label_; }
  void set_label(std::string_view label) { label_.assign(label); }
  bool is_enabled() const { return enabled_; }
  void set_enabled(bool enabled) { enabled_ = enabled; }
  bool is_ticked() const { return ticked_; }
  void set_ticked(bool ticked) { ticked_ = ticked; }
  bool is_separator() const { return separator_; }
  // Null for an entry without a submenu.
  PopupMenu* submenu() const { return submenu_.get(); }
  MenuListenerInterface* listener() const { return listener_; }
  // The caller's number for the entry; its place in the menu unless given.
  int tag() const { return tag_; }

  // Takes the pointer: enabled, and neither a separator nor a submenu title.
  bool is_choosable() const { return enabled_ && !separator_ && !submenu_; }
  // Takes the keyboard highlight: enabled and not a separator.
  bool is_selectable() const { return enabled_ && !separator_; }

private:
  friend class PopupMenu;
  std::string label_;
  bool enabled_ = true;
  bool ticked_ = false;
  bool separator_ = false;
  std::unique_ptr<PopupMenu> submenu_;
  MenuListenerInterface* listener_ = nullptr;
  int tag_ = 0;
};

class PopupMenu {
public:
  PopupMenu();
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // The font of the whole tree is the one of the menu that pops up.
  void set_font(const FontSet* font) { font_ = font; }
  const FontSet* font() const { return font_; }
  // A line above the entries that cannot be chosen; empty for none.
  void set_title(std::string_view title) { title_.assign(title); }
  const std::string& title() const { return title_; }

  // `tag` < 0 numbers the entry by its place.
  MenuEntry& add_entry(std::string_view label, MenuListenerInterface* listener = nullptr, int tag = -1);
  void add_separator();
  // The entry's listener is refreshed like any other; choosing goes to the submenu's entries.
  PopupMenu& add_submenu(std::string_view label, MenuListenerInterface* listener = nullptr);
  // Removes every entry; a shown menu is closed first.
  void clear();

  int size() const { return static_cast<int>(entries_.size()); }
  // Null outside 0 .. size() - 1.
  MenuEntry* entry(int index) const;

  // Refreshes the entries and shows the menu with its top-left corner at
  // `at` (logical), moved to fit inside the window. A shown menu is closed
  // first. False when there is nothing to show.
  bool popup(Window& window, Point at);
  // Closes the menu and its open submenus without choosing anything.
  void close();
  bool is_shown() const;
  // What is on screen, for tests and for callers that place things beside it.
  const PopupMenuView* view() const { return view_.get(); }

private:
  const FontSet* font_ = nullptr;
  std::string title_;
  std::vector<std::unique_ptr<MenuEntry>> entries_;
  std::unique_ptr<PopupMenuView> view_;  // made on the first popup, kept for later ones
};

}  // namespace pengui
