#pragma once
// Envelope repeat source: the keyboard gate or the LFO.

#include "framework/params/param_two_state_mixin.h"

namespace mppi {

class ParamLfoRepeatMixin : public ParamTwoStateMixin {
public:
  ParamLfoRepeatMixin() : ParamTwoStateMixin("Kbd Gate", "LFO Rep") {}
};

}  // namespace mppi
