#include "basic/conf_key_content_string.h"

#include "basic/conf_key_writer.h"

namespace basic {

void ConfKeyContentString::write_to_string(std::string& out, int /*level*/) const {
  write_conf_string(out, str_);
}

}  // namespace basic
