#pragma once
// A background task made of other tasks: what the background thread runs.

#include <vector>

#include "framework/core/bkg_interface.h"

namespace mppi {

// Runs its tasks in the order they were added. The task list is set up
// before the thread starts and not changed while it runs.
class BkgContainer : public BkgInterface {
public:
  void process() override;
  void* get_context() override { return context_; }
  void set_context(void* context) override { context_ = context; }

  void add(BkgInterface* task) { tasks_.push_back(task); }
  void remove_last() {
    if (!tasks_.empty()) tasks_.pop_back();
  }
  int size() const { return static_cast<int>(tasks_.size()); }

private:
  void* context_ = nullptr;
  std::vector<BkgInterface*> tasks_;
};

}  // namespace mppi
