#pragma once
// The editor's window class, registered for the module that holds this code
// (the plug-in DLL, not the host's executable) under a name no other module
// shares, and unregistered when its last window is gone: a host may unload
// the DLL afterwards, and a class left behind would point into freed code.

#include "gui/win32/win32_api.h"

namespace pengui {

// The module this code is linked into.
HINSTANCE own_module();

// "ZindleBR-editor-" and the module's address, so that two copies of the
// plug-in loaded side by side keep apart.
const wchar_t* editor_class_name();

// One reference per window: the first registers the class, the last
// release unregisters it. False when the class could not be registered.
bool acquire_editor_class(WNDPROC window_proc);
void release_editor_class();

}  // namespace pengui
