#pragma once
// Read-only data that ships inside the plug-in (built-in banks, pictures),
// found by name and type: Win32 resources of the plug-in's own module on
// Windows, tables compiled into the library elsewhere.

#include <cstddef>

namespace sys {

struct ResourceView {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

struct EmbeddedResource {
  const char* name;
  const char* type;
  const unsigned char* data;
  std::size_t size;
};

// Makes a table of embedded resources findable (where the platform has no
// resources of its own). The table must live as long as the process.
void register_embedded_resources(const EmbeddedResource* table, std::size_t count);

// False when no resource of that name and type exists; the debug output
// then says which one was missing.
bool get_resource(const char* name, const char* type, ResourceView& out);

// Writes a line to the platform's debug output.
void debug_output(const char* text);

}  // namespace sys
