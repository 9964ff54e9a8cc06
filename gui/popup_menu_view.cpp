#include "gui/popup_menu_view.h"

#include <algorithm>

#include "gui/menu_listener_interface.h"
#include "gui/text_box.h"
#include "gui/window.h"

namespace pengui {

namespace {
constexpr int kBorder = 2;        // frame and inner margin
constexpr int kMinRowHeight = 12;
constexpr int kSeparatorHeight = 5;
constexpr int kTickGutter = 14;   // tick mark left of the label
constexpr int kArrowGutter = 14;  // submenu arrow right of the label
constexpr int kTitlePad = 12;

constexpr uint32_t kBackground = 0xF2F2F2;
constexpr uint32_t kFrame = 0x404040;
constexpr uint32_t kTitleBackground = 0xD4D4D4;
constexpr uint32_t kHotBackground = 0x3566A8;
constexpr uint32_t kText = 0x101010;
constexpr uint32_t kHotText = 0xFFFFFF;
constexpr uint32_t kDisabledText = 0x909090;
constexpr uint32_t kSeparator = 0xA8A8A8;
}  // namespace

void PopupMenuView::refresh(PopupMenu& menu) {
  for (int i = 0; i < menu.size(); ++i) {
    MenuEntry& e = *menu.entry(i);
    if (e.listener()) e.listener()->menu_refresh(e);
  }
}

PopupMenuView::Panel PopupMenuView::layout(PopupMenu& menu) const {
  const FontSet* font = root_.font();
  const int row_h = std::max(TextBox::line_height(font) + 4, kMinRowHeight);
  const int title_h = menu.title().empty() ? 0 : row_h + 2;
  const int limit = std::max(window() ? window()->height() : 0, title_h + row_h + 2 * kBorder);
  const int column_bottom = limit - 2 * kBorder;

  int label_w = 0;
  for (int i = 0; i < menu.size(); ++i) label_w = std::max(label_w, TextBox::measure(font, menu.entry(i)->label()));
  const int col_w = kTickGutter + label_w + kArrowGutter;

  Panel panel;
  panel.menu = &menu;
  int column = 0;
  int y = title_h;
  int tallest = y;
  for (int i = 0; i < menu.size(); ++i) {
    const int h = menu.entry(i)->is_separator() ? kSeparatorHeight : row_h;
    if (y + h > column_bottom && y > title_h) {
      ++column;
      y = title_h;
    }
    panel.rows.push_back({kBorder + column * col_w, kBorder + y, col_w, h});
    y += h;
    tallest = std::max(tallest, y);
  }
  const int inner_w = std::max((column + 1) * col_w, TextBox::measure(font, menu.title()) + kTitlePad);
  if (title_h > 0) panel.title = {kBorder, kBorder, inner_w, title_h};
  panel.rect = {0, 0, inner_w + 2 * kBorder, tallest + 2 * kBorder};
  return panel;
}

void PopupMenuView::place(Panel& panel, Point at) const {
  const int max_x = (window() ? window()->width() : 0) - panel.rect.w;
  const int max_y = (window() ? window()->height() : 0) - panel.rect.h;
  const int x = std::max(0, std::min(at.x, max_x));
  const int y = std::max(0, std::min(at.y, max_y));
  panel.rect = panel.rect.offset(x, y);
  if (!panel.title.empty()) panel.title = panel.title.offset(x, y);
  for (Rect& r : panel.rows) r = r.offset(x, y);
}

void PopupMenuView::place_beside(Panel& panel, const Rect& parent, const Rect& row) const {
  const int width = window() ? window()->width() : 0;
  // Right of the parent when it fits, else to its left.
  int x = parent.right() - kBorder;
  if (x + panel.rect.w > width) x = parent.x - panel.rect.w + kBorder;
  place(panel, {x, row.y - kBorder});
}

void PopupMenuView::show(Window& window, Point at) {
  hide();
  refresh(root_);
  if (root_.size() == 0) return;
  window.push_overlay(this);
  Panel panel = layout(root_);
  place(panel, at);
  panels_.push_back(std::move(panel));
  pressed_inside_ = false;
  update_bounds();
}

void PopupMenuView::hide() {
  if (panels_.empty()) return;
  panels_.clear();
  pressed_inside_ = false;
  if (window()) window()->pop_overlay(this);  // repaints what the panels covered
}

void PopupMenuView::update_bounds() {
  Rect all;
  for (const Panel& p : panels_) all = all.unite(p.rect);
  set_bounds(all);
}

Rect PopupMenuView::panel_rect(int level) const {
  if (level < 0 || level >= level_count()) return {};
  return panels_[static_cast<std::size_t>(level)].rect;
}

Rect PopupMenuView::entry_rect(int level, int index) const {
  if (level < 0 || level >= level_count()) return {};
  const Panel& p = panels_[static_cast<std::size_t>(level)];
  if (index < 0 || index >= static_cast<int>(p.rows.size())) return {};
  return p.rows[static_cast<std::size_t>(index)];
}

int PopupMenuView::highlighted(int level) const {
  if (level < 0 || level >= level_count()) return -1;
  return panels_[static_cast<std::size_t>(level)].hot;
}

void PopupMenuView::close_below(int level) {
  if (level_count() <= level + 1) return;
  for (std::size_t i = static_cast<std::size_t>(level) + 1; i < panels_.size(); ++i) invalidate(panels_[i].rect);
  panels_.resize(static_cast<std::size_t>(level) + 1);
  update_bounds();
}

void PopupMenuView::set_hot(int level, int index) {
  Panel& p = panels_[static_cast<std::size_t>(level)];
  if (p.hot == index) return;
  if (p.hot >= 0) invalidate(p.rows[static_cast<std::size_t>(p.hot)]);
  p.hot = index;
  if (index >= 0) invalidate(p.rows[static_cast<std::size_t>(index)]);
}

void PopupMenuView::open_submenu(int level, int index, bool highlight_first) {
  PopupMenu* sub = panels_[static_cast<std::size_t>(level)].menu->entry(index)->submenu();
  close_below(level);
  if (!sub) return;
  refresh(*sub);
  if (sub->size() == 0) return;
  Panel panel = layout(*sub);
  const Panel& parent = panels_[static_cast<std::size_t>(level)];
  place_beside(panel, parent.rect, parent.rows[static_cast<std::size_t>(index)]);
  panels_.push_back(std::move(panel));
  update_bounds();
  if (highlight_first) step_hot(+1);
}

void PopupMenuView::step_hot(int direction) {
  const int level = level_count() - 1;
  const Panel& p = panels_.back();
  const int n = p.menu->size();
  int i = p.hot;
  for (int tries = 0; tries < n; ++tries) {
    i = (i < 0) ? (direction > 0 ? 0 : n - 1) : (i + direction + n) % n;
    if (p.menu->entry(i)->is_selectable()) {
      set_hot(level, i);
      return;
    }
  }
}

void PopupMenuView::choose(int level, int index) {
  MenuEntry* entry = panels_[static_cast<std::size_t>(level)].menu->entry(index);
  if (!entry || !entry->is_choosable()) return;
  MenuListenerInterface* listener = entry->listener();
  hide();
  // Last: the listener may open another menu, even this one.
  if (listener) listener->menu_chosen(*entry);
}

int PopupMenuView::hit(Point p, int& index) const {
  index = -1;
  for (int level = level_count() - 1; level >= 0; --level) {
    const Panel& panel = panels_[static_cast<std::size_t>(level)];
    if (!panel.rect.contains(p)) continue;
    for (std::size_t i = 0; i < panel.rows.size(); ++i) {
      if (panel.rows[i].contains(p)) index = static_cast<int>(i);
    }
    return level;
  }
  return -1;
}

void PopupMenuView::mouse_move(const MouseEvent& e) {
  if (!is_shown()) return;
  int index = -1;
  const int level = hit(e.pos, index);
  if (level < 0) return;
  const MenuEntry* entry = panels_[static_cast<std::size_t>(level)].menu->entry(index);
  const bool selectable = entry && entry->is_selectable();
  if (!selectable) {
    // Over the title, a separator or a disabled entry: leave open submenus alone.
    if (level == level_count() - 1) set_hot(level, -1);
    return;
  }
  const bool already_open = panels_[static_cast<std::size_t>(level)].hot == index && level_count() > level + 1;
  set_hot(level, index);
  if (entry->submenu()) {
    if (!already_open) open_submenu(level, index, false);
  } else {
    close_below(level);
  }
}

bool PopupMenuView::mouse_down(const MouseEvent& e) {
  if (!is_shown()) return false;
  int index = -1;
  if (hit(e.pos, index) < 0) {
    hide();
    return true;
  }
  pressed_inside_ = true;
  mouse_move(e);
  return true;
}

void PopupMenuView::mouse_up(const MouseEvent& e) {
  // Only a press inside the menu chooses: the release of the press that
  // opened the menu does not.
  if (!is_shown() || !pressed_inside_) return;
  pressed_inside_ = false;
  int index = -1;
  const int level = hit(e.pos, index);
  if (level >= 0 && index >= 0) choose(level, index);
}

bool PopupMenuView::key_down(const KeyEvent& e) {
  if (!is_shown()) return false;
  const int level = level_count() - 1;
  const int hot = panels_.back().hot;
  const MenuEntry* entry = panels_.back().menu->entry(hot);
  switch (e.key) {
    case Key::down:
      step_hot(+1);
      break;
    case Key::up:
      step_hot(-1);
      break;
    case Key::right:
      if (entry && entry->submenu()) open_submenu(level, hot, true);
      break;
    case Key::left:
      if (level > 0) close_below(level - 1);
      break;
    case Key::escape:
      if (level > 0) {
        close_below(level - 1);
      } else {
        hide();
      }
      break;
    case Key::enter:
      if (entry && entry->submenu()) {
        open_submenu(level, hot, true);
      } else if (entry) {
        choose(level, hot);
      }
      break;
    default:
      break;
  }
  // Modal: no key reaches the host while the menu is open.
  return true;
}

void PopupMenuView::draw(Canvas& canvas) {
  for (const Panel& p : panels_) draw_panel(canvas, p);
}

void PopupMenuView::draw_panel(Canvas& canvas, const Panel& panel) const {
  const FontSet* font = root_.font();
  const bool has_font = font && font->x1;
  canvas.fill_rect(panel.rect, kBackground);
  canvas.frame_rect(panel.rect, kFrame);
  if (!panel.title.empty()) {
    const Rect& t = panel.title;
    canvas.fill_rect({t.x, t.y, t.w, t.h - 2}, kTitleBackground);
    canvas.fill_rect({t.x, t.bottom() - 2, t.w, 1}, kSeparator);
    if (has_font) canvas.draw_text_in(*font, {t.x, t.y, t.w, t.h - 2}, panel.menu->title(), kText, Align::center);
  }
  for (int i = 0; i < panel.menu->size(); ++i) {
    const MenuEntry& e = *panel.menu->entry(i);
    const Rect& r = panel.rows[static_cast<std::size_t>(i)];
    if (e.is_separator()) {
      canvas.fill_rect({r.x + 2, r.y + r.h / 2, r.w - 4, 1}, kSeparator);
      continue;
    }
    const bool hot = i == panel.hot;
    if (hot) canvas.fill_rect(r, kHotBackground);
    const uint32_t ink = !e.is_enabled() ? kDisabledText : (hot ? kHotText : kText);
    const float cy = r.y + r.h * 0.5f;
    if (e.is_ticked()) {
      const float x = static_cast<float>(r.x);
      canvas.draw_line(x + 3.5f, cy, x + 6.0f, cy + 3.0f, 1.5f, ink);
      canvas.draw_line(x + 6.0f, cy + 3.0f, x + 10.5f, cy - 3.5f, 1.5f, ink);
    }
    if (has_font) {
      canvas.draw_text_in(*font, {r.x + kTickGutter, r.y, r.w - kTickGutter - kArrowGutter, r.h}, e.label(), ink);
    }
    if (e.submenu()) {
      const float x = static_cast<float>(r.right() - kArrowGutter + 5);
      canvas.draw_line(x, cy - 3.5f, x + 3.5f, cy, 1.2f, ink);
      canvas.draw_line(x + 3.5f, cy, x, cy + 3.5f, 1.2f, ink);
    }
  }
}

}  // namespace pengui
