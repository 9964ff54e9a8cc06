#include <cstdio>
#include <cstdlib>

#include "sys/resources.h"

namespace sys {

bool find_embedded_resource(const char* name, const char* type, ResourceView& out);
void report_missing_resource(const char* name, const char* type);

bool get_resource(const char* name, const char* type, ResourceView& out) {
  if (find_embedded_resource(name, type, out)) return true;
  report_missing_resource(name, type);
  return false;
}

void debug_output(const char* text) {
  if (std::getenv("ZINDLE_DEBUG")) std::fputs(text, stderr);
}

}  // namespace sys
