#include "framework/core/plugin_internal.h"

#include <utility>

#include "framework/core/framework_vendor.h"
#include "framework/core/program_slot.h"
#include "framework/params/normalized_param_interface.h"

namespace mppi {

PluginInternal::~PluginInternal() = default;

void PluginInternal::register_param(ParamHandle holder) {
  holders_.push_back(std::move(holder));
  ++nbr_registrations_;
}

void PluginInternal::add_param(NormalizedParamInterface* param) { params_.push_back(param); }

void PluginInternal::add_task(PluginTaskInterface* task) { tasks_.push_back(task); }

int PluginInternal::get_nbr_registered_params() const { return static_cast<int>(params_.size()); }

NormalizedParamInterface* PluginInternal::get_registered_param(int index) const {
  return params_[static_cast<size_t>(index)];
}

void PluginInternal::run_tasks() {
  for (PluginTaskInterface* task : tasks_) task->update();
}

std::string PluginInternal::get_settings_folder_name() const {
  return std::string(kFrameworkVendor) + "/" + get_string_property("plugin_name");
}

void PluginInternal::register_and_add(const ParamHandle& holder) {
  NormalizedParamInterface* param = holder.get();
  register_param(holder);
  add_param(param);
}

void PluginInternal::release_params() {
  params_.clear();
  holders_.clear();
  nbr_registrations_ = 0;
}

void PluginInternal::capture_registered_values(ProgramSlot& program) {
  program.values.resize(static_cast<size_t>(nbr_registrations_), 0.0f);
  for (size_t i = 0; i < holders_.size(); ++i) program.values[i] = holders_[i]->nrm();
}

}  // namespace mppi
