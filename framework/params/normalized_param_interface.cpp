#include "framework/params/normalized_param_interface.h"

namespace mppi {

void NormalizedParamInterface::set_val(double val, int src) {
  val_.store(val, std::memory_order_relaxed);
  const float n = conv_val_to_nrm(val);
  nrm_.store(n, std::memory_order_relaxed);
  src_.store(src, std::memory_order_relaxed);
  aux_.store(0.0f, std::memory_order_relaxed);
  nrm_set_.store(n, std::memory_order_relaxed);
}

void NormalizedParamInterface::set_nrm_and_notify(float nrm) {
  nrm_.store(nrm, std::memory_order_relaxed);
  val_.store(conv_nrm_to_val(nrm), std::memory_order_relaxed);
  on_change();
  if (notified) notified->notify(this);
}

}  // namespace mppi
