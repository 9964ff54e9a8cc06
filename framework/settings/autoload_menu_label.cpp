#include "framework/settings/autoload_menu_label.h"

namespace mppi {

std::string make_autoload_menu_label(const std::string* latest_file) {
  std::string name = "Undefined";
  if (latest_file != nullptr) {
    name = *latest_file;
    if (name.size() > kAutoloadLabelMaxName) {
      name = "..." + name.substr(name.size() - kAutoloadLabelTail);
    }
  }
  return "Autoload [" + name + "]";
}

}  // namespace mppi
