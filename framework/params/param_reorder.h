#pragma once
// The host-visible order of the parameters: a permutation between host
// indices and internal indices, saved with the settings as
// "parameter_reorder_map".
//
// Threads: read from every thread that talks to the host; changed only by a
// settings load on the editor thread. The two tables are atomics so a
// reader never sees a torn entry; during a load a reader may briefly see a
// mix of the old and new orders.

#include <atomic>
#include <memory>

#include "basic/setting_client_interface.h"

namespace mppi {

class ParamAccessInterface;

class ParamReorder : public basic::SettingClientInterface {
public:
  static constexpr const char* kKeyName = "parameter_reorder_map";

  ParamReorder() = default;

  // Identity order over the access's parameters.
  void init(ParamAccessInterface& access);
  int get_nbr_param() const { return nbr_param_; }

  // Indices outside 0..nbr_param-1 pass through unchanged.
  int to_internal(int host_index) const;
  int to_host(int internal_index) const;

  int write_settings(basic::ConfKeyMulti& section) const override;
  int read_settings(const basic::ConfKeyMulti& section) override;

private:
  ParamAccessInterface* access_ = nullptr;
  int nbr_param_ = 0;
  std::unique_ptr<std::atomic<int>[]> host_index_;      // internal -> host
  std::unique_ptr<std::atomic<int>[]> internal_index_;  // host -> internal
};

}  // namespace mppi
