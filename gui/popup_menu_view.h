#pragma once
// A shown pop-up menu: one panel per open level (the root and the chain of
// open submenus), drawn as one modal overlay. It hovers, opens submenus to
// the side, walks with the arrow keys, and closes on a choice, on Escape
// at the root or on a press outside every panel. Long menus break into
// columns so that each panel fits the window's height.

#include <string>
#include <vector>

#include "gui/popup_menu.h"
#include "gui/widget.h"

namespace pengui {

class PopupMenuView : public Widget {
public:
  explicit PopupMenuView(PopupMenu& root) : root_(root) {}

  void show(Window& window, Point at);
  void hide();
  bool is_shown() const { return !panels_.empty(); }

  // Open levels: 0 is the root, each further one a submenu of the one before.
  int level_count() const { return static_cast<int>(panels_.size()); }
  Rect panel_rect(int level) const;
  // Where entry `index` of `level` is drawn; empty when not shown.
  Rect entry_rect(int level, int index) const;
  // The highlighted entry of a level, -1 for none.
  int highlighted(int level) const;

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  bool key_down(const KeyEvent& e) override;

private:
  struct Panel {
    PopupMenu* menu = nullptr;
    Rect rect;
    Rect title;                // empty without a title
    std::vector<Rect> rows;    // one per entry
    int hot = -1;
  };

  static void refresh(PopupMenu& menu);
  Panel layout(PopupMenu& menu) const;
  // Moves the panel to `at`, or beside `beside` for a submenu, inside the window.
  void place(Panel& panel, Point at) const;
  void place_beside(Panel& panel, const Rect& parent, const Rect& row) const;
  void open_submenu(int level, int index, bool highlight_first);
  void close_below(int level);  // keeps levels 0 .. level
  void set_hot(int level, int index);
  void step_hot(int direction);
  void choose(int level, int index);
  // Deepest level whose panel holds `p`, -1 outside all; `index` the entry there.
  int hit(Point p, int& index) const;
  void update_bounds();
  void draw_panel(Canvas& canvas, const Panel& panel) const;

  PopupMenu& root_;
  std::vector<Panel> panels_;
  bool pressed_inside_ = false;
};

}  // namespace pengui
