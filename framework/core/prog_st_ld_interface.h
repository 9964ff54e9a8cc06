#pragma once
// Blends two programs, for preset fades. (It neither stores nor loads
// programs, whatever the name suggests.)

namespace mppi {

class ProgramSlot;

class ProgStLdInterface {
public:
  virtual ~ProgStLdInterface() = default;
  // GUI thread, once per fade step; t runs from 0 (from) to 1 (to).
  virtual void interpolate(ProgramSlot& out, const ProgramSlot& from, const ProgramSlot& to,
                           double t) = 0;
};

}  // namespace mppi
