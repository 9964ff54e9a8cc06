#pragma once
// A DSP object's own whole-state layout, used for bank chunks in place of
// the bank when the DSP object offers one.

#include "basic/serializable_interface.h"

namespace mppi {

class StateSerializerInterface : public basic::SerializableInterface {
public:
  ~StateSerializerInterface() override = default;
};

}  // namespace mppi
