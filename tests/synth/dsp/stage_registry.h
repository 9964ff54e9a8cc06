#pragma once
// A parameter registry for testing one stage on its own: the plug-in
// operations that a stage never calls do nothing.

#include "support/fake_dsp.h"

namespace zindle_test {

using StageRegistry = FakeDsp;

}  // namespace zindle_test
