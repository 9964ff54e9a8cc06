#include <atomic>
#include <cstring>
#include <mutex>
#include <string>

#include "sys/resources.h"

namespace sys {
namespace {

// A few tables per process (the banks, the artwork), each registered at
// start-up. Lookups only read: a slot's count is stored before its pointer,
// so a reader that sees the pointer sees the count.
constexpr std::size_t kMaxTables = 8;

struct TableSlot {
  std::atomic<const EmbeddedResource*> entries{nullptr};
  std::atomic<std::size_t> count{0};
};

TableSlot g_tables[kMaxTables];
std::mutex g_register_mutex;

// ASCII only: the host's C locale (a Turkish one folds 'I' elsewhere) must
// not decide whether a picture is found.
char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Resource names and types match without regard to letter case, as they
// do on Windows.
bool same_no_case(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (ascii_lower(*a) != ascii_lower(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

void register_embedded_resources(const EmbeddedResource* table, std::size_t count) {
  if (!table) return;
  const std::lock_guard<std::mutex> lock(g_register_mutex);
  for (TableSlot& slot : g_tables) {
    const EmbeddedResource* held = slot.entries.load();
    if (held == table) {
      slot.count.store(count);
      return;
    }
    if (!held) {
      slot.count.store(count);
      slot.entries.store(table);
      return;
    }
  }
  debug_output("sys::register_embedded_resources: Error: too many resource tables\n");
}

// The table registered last is searched first, so that a later table can
// stand in for names of an earlier one.
bool find_embedded_resource(const char* name, const char* type, ResourceView& out) {
  if (!name || !type) return false;
  for (std::size_t s = kMaxTables; s-- > 0;) {
    const EmbeddedResource* table = g_tables[s].entries.load();
    if (!table) continue;
    const std::size_t count = g_tables[s].count.load();
    for (std::size_t i = 0; i < count; ++i) {
      if (same_no_case(table[i].name, name) && same_no_case(table[i].type, type)) {
        out.data = table[i].data;
        out.size = table[i].size;
        return true;
      }
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
