#pragma once
// The value held by a data key: a string or a list of values.

#include "basic/conf_key_stream_interface.h"

namespace basic {

class ConfKeyContentInterface : public ConfKeyStreamInterface {
public:
  ~ConfKeyContentInterface() override = default;
};

}  // namespace basic
