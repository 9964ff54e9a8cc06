#include <atomic>
#include <cctype>
#include <cstring>
#include <string>

#include "sys/resources.h"

namespace sys {
namespace {

// One table per process; registration happens before any lookup, from the
// plug-in's start-up, so a plain atomic pointer pair is enough.
std::atomic<const EmbeddedResource*> g_table{nullptr};
std::atomic<std::size_t> g_count{0};

// Resource names and types match without regard to letter case, as they
// do on Windows.
bool same_no_case(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  }
  return *a == *b;
}

}  // namespace

void register_embedded_resources(const EmbeddedResource* table, std::size_t count) {
  g_count.store(count);
  g_table.store(table);
}

bool find_embedded_resource(const char* name, const char* type, ResourceView& out) {
  const EmbeddedResource* table = g_table.load();
  const std::size_t count = g_count.load();
  if (!table || !name || !type) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (same_no_case(table[i].name, name) && same_no_case(table[i].type, type)) {
      out.data = table[i].data;
      out.size = table[i].size;
      return true;
    }
  }
  return false;
}

void report_missing_resource(const char* name, const char* type) {
  const std::string text = std::string("sys::get_resource: Error: couldn't load ressource. Name : ") +
                           (name ? name : "") + ", Type : " + (type ? type : "") + "\n";
  debug_output(text.c_str());
}

}  // namespace sys
