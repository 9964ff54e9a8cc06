#include "framework/core/bkg_container.h"

namespace mppi {

void BkgContainer::process() {
  for (BkgInterface* task : tasks_) task->process();
}

}  // namespace mppi
