// The library's exported entry points. Current hosts look for
// VSTPluginMain, older ones for main; both build the same plug-in.

#include "synth/vst2/plugin_factory.h"

#if defined(_WIN32)
#define ZINDLE_EXPORT __declspec(dllexport)
#else
#define ZINDLE_EXPORT __attribute__((visibility("default")))
#endif

// A C++ function may not be called main; the assembler name gives the
// exported symbol that name all the same.
#define ZINDLE_STR2(x) #x
#define ZINDLE_STR(x) ZINDLE_STR2(x)
#define ZINDLE_C_NAME(name) ZINDLE_STR(__USER_LABEL_PREFIX__) #name

extern "C" {

ZINDLE_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audio_master) {
  return synth::create_vst2_plugin(audio_master);
}

// Only in the plug-in file itself (CMake defines <target>_EXPORTS there):
// a program linking this object would otherwise start here. The Windows
// DLL exports "main" through its module definition file instead, which
// also gets the 32-bit name decoration right.
#if defined(Zindle_BR_EXPORTS) && !defined(_WIN32)
ZINDLE_EXPORT AEffect* VSTCALLBACK vst_plugin_main_legacy(audioMasterCallback audio_master) __asm__(
    ZINDLE_C_NAME(main));
ZINDLE_EXPORT AEffect* VSTCALLBACK vst_plugin_main_legacy(audioMasterCallback audio_master) {
  return synth::create_vst2_plugin(audio_master);
}
#endif

}  // extern "C"
