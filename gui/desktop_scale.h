#pragma once
// The desktop's scale before any editor window exists (the host asks for
// the editor's size before it opens it): 1 or 2. ZINDLE_GUI_SCALE=1 or 2
// forces it.

namespace pengui {

int query_desktop_scale();

// 1 or 2 when ZINDLE_GUI_SCALE says so (it overrides the host too), else 0.
int forced_gui_scale();

}  // namespace pengui
