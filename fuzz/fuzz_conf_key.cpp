// Arbitrary text must never crash the reader; text it accepts must survive
// a write and a second read as the same tree, and write identically again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "basic/conf_key_compare.h"
#include "basic/conf_key_factory.h"
#include "basic/conf_key_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  basic::ConfKeyFactory factory;
  auto root = factory.create_from_string(text);
  if (!root) {
    if (factory.get_status() == basic::kConfKeyOk) std::abort();
    return 0;
  }
  if (factory.get_status() != basic::kConfKeyOk) std::abort();

  const std::string written = basic::write_conf_text(*root);
  auto again = factory.create_from_string(written);
  if (!again || !basic::is_same_conf_tree(*root, *again)) std::abort();
  if (basic::write_conf_text(*again) != written) std::abort();
  return 0;
}
