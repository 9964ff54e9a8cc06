#pragma once
// Anything of the configuration tree that can write itself as text.

#include <string>

namespace basic {

class ConfKeyStreamInterface {
public:
  virtual ~ConfKeyStreamInterface() = default;
  // Appends the text to `out` at indentation depth `level`. A key writes
  // its own indentation; a value continues the line its caller started.
  virtual void write_to_string(std::string& out, int level) const = 0;
};

}  // namespace basic
