#include <windows.h>

#include "sys/resources.h"

namespace sys {

bool find_embedded_resource(const char* name, const char* type, ResourceView& out);
void report_missing_resource(const char* name, const char* type);

namespace {

HMODULE own_module() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&own_module), &module);
  return module;
}

}  // namespace

bool get_resource(const char* name, const char* type, ResourceView& out) {
  if (name && type) {
    const HMODULE module = own_module();
    if (HRSRC info = FindResourceA(module, name, type)) {
      if (HGLOBAL handle = LoadResource(module, info)) {
        out.data = static_cast<const unsigned char*>(LockResource(handle));
        out.size = SizeofResource(module, info);
        if (out.data) return true;
      }
    }
  }
  if (find_embedded_resource(name, type, out)) return true;
  report_missing_resource(name, type);
  return false;
}

void debug_output(const char* text) { OutputDebugStringA(text); }

}  // namespace sys
