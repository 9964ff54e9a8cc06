#pragma once
// The framework maker's name: the vendor string hosts are given, and the
// first level of the per-user folders the framework keeps its values in.

namespace mppi {

inline constexpr char kFrameworkVendor[] = "Ferrowave";

}  // namespace mppi
