#pragma once
// The text of the menu entry that toggles settings autoload:
// "Autoload [<latest file>]", or "Autoload [Undefined]" when none is
// stored (null). Long names keep their end, where the file name is.

#include <string>

namespace mppi {

constexpr std::size_t kAutoloadLabelMaxName = 63;
constexpr std::size_t kAutoloadLabelTail = 61;

std::string make_autoload_menu_label(const std::string* latest_file);

}  // namespace mppi
