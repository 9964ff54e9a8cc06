#pragma once
// The object behind one pop-up menu entry. Both calls come on the editor
// thread.

namespace pengui {

class MenuEntry;

class MenuListenerInterface {
public:
  virtual ~MenuListenerInterface() = default;
  // Just before the menu level holding `entry` opens: set its label, tick
  // and enabled state from their sources, or refill its submenu.
  virtual void menu_refresh(MenuEntry& /*entry*/) {}
  // The user chose `entry`. The menu is already closed, so the listener
  // may open another menu or a message box.
  virtual void menu_chosen(MenuEntry& entry) = 0;
};

}  // namespace pengui
