#pragma once
// The framework part of the DSP object: the registry of parameters (their
// position in the list is the internal index), the task list, and the copy of
// all registered values into a program.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/dsp_interface.h"

namespace mppi {

class NormalizedParamInterface;

// A task run by the DSP object; tasks also receive values through
// set_extra_param (indices 62 and up).
class PluginTaskInterface {
public:
  virtual ~PluginTaskInterface() = default;
  virtual void set_value(float value) = 0;
  virtual void update() = 0;
};

class PluginInternal : public virtual DspInterface {
public:
  using ParamHandle = std::shared_ptr<NormalizedParamInterface>;

  ~PluginInternal() override;

  // --- Registration: once, while the DSP object is initialised -------------
  virtual void register_param(ParamHandle holder);
  virtual void add_param(NormalizedParamInterface* param);
  virtual void add_task(PluginTaskInterface* task);
  virtual int get_nbr_registered_params() const;
  // No bounds check: callers keep index below get_nbr_registered_params().
  virtual NormalizedParamInterface* get_registered_param(int index) const;
  virtual void run_tasks();
  virtual std::string get_settings_folder_name() const;

  // Both registry steps for one newly created parameter, in order.
  void register_and_add(const ParamHandle& holder);

  int get_nbr_tasks() const { return static_cast<int>(tasks_.size()); }
  PluginTaskInterface* get_task(int index) const { return tasks_[static_cast<size_t>(index)]; }

  // Drops the parameter lists (stop undoes init).
  void release_params();

  void capture_registered_values(ProgramSlot& program) override;

private:
  std::vector<ParamHandle> holders_;
  int nbr_registrations_ = 0;
  std::vector<PluginTaskInterface*> tasks_;
  std::vector<NormalizedParamInterface*> params_;
};

}  // namespace mppi
