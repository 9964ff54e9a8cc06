#pragma once
// The editor's artwork as the plug-in carries it: the pictures and the font
// generated from resources/art, stored as "APIC" resources named "NAME" (1x)
// and "NAME@2X" (2x). Win32 builds hold them as module resources; other
// builds call register_art_resources() once before the editor loads them.

namespace art {

void register_art_resources();

// The pictures the editor loads, "bkg_28" first, and its font.
extern const char* const kPictureNames[];
extern const int kPictureCount;
extern const char* const kFontName;

}  // namespace art
