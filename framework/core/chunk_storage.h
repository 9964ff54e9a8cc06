#pragma once
// The state chunk the host stores in its project: the bank body, one
// program record, or the DSP object's own state. Host-format free; the
// adapter calls these from the host's GUI thread.

#include <cstdint>
#include <vector>

#include "basic/serializable_interface.h"
#include "framework/core/bank_manager.h"

namespace mppi {

class DspInterface;

// The current program takes the DSP object's display name and values.
void refresh_program_from_dsp(ProgramSlot& program, const DspInterface& dsp);

// Fills `buffer` with a bank chunk (`state` when given, else the bank) or
// with the program chunk of `cur_prog`; answers the size, 0 on failure.
int get_chunk(const BankManager& bank, int cur_prog, basic::SerializableInterface* state,
              bool is_preset, std::vector<uint8_t>& buffer);

// Reads a chunk of `size` bytes; answers 1, or 0 when refused with the
// current state untouched. After a bank chunk `cur_prog` is brought below
// the new program count. The caller then applies the current program
// (and, with `state`, refreshes it from the DSP object first).
int set_chunk(BankManager& bank, int& cur_prog, basic::SerializableInterface* state,
              const uint8_t* data, int size, bool is_preset);

}  // namespace mppi
