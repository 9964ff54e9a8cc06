#pragma once
// <windows.h> as the window layer uses it: without the min/max macros and
// the rarely used parts. Only gui/win32 sources include it.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
