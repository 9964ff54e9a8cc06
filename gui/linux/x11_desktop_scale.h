#pragma once
// The editor's scale on an X desktop: 2 from 144 dpi up (Xft.dpi in the
// server's resource string), else 1. ZINDLE_GUI_SCALE=1 or 2 forces it.

#include <X11/Xlib.h>

namespace pengui {

// Scale for a resource string as XResourceManagerString returns it; 1 when
// it is missing or says nothing about Xft.dpi.
int scale_from_x_resources(const char* resources);
// The forced scale, else the one from the display's resources.
int x11_desktop_scale(Display* display);

}  // namespace pengui
