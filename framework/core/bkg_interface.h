#pragma once
// Background tasks: work that runs every 50 ms on a low-priority thread of
// the plug-in's own, away from the host's audio and GUI threads.

#include <vector>

namespace mppi {

class BkgInterface {
public:
  virtual ~BkgInterface() = default;
  virtual void process() = 0;  // one pass of work
  virtual void* get_context() = 0;
  virtual void set_context(void* context) = 0;
};

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
