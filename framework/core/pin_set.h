#pragma once
#include <string>
#include <vector>

namespace mppi {

// A group of one or two audio channels, as announced to the host.
struct PinSet {
  int nbr_channels = 2;
  std::string group_name;
  std::vector<std::string> channel_names;  // empty when unnamed
};

}  // namespace mppi
