#include "framework/core/chunk_storage.h"

#include "framework/core/dsp_interface.h"

namespace mppi {

void refresh_program_from_dsp(ProgramSlot& program, const DspInterface& dsp) {
  program.set_name(dsp.get_display_name());
  const int n = dsp.get_nbr_param();
  std::vector<double> values(static_cast<std::size_t>(n > 0 ? n : 0));
  dsp.get_all_param_values(values.data());
  program.values.assign(values.begin(), values.end());
}

int get_chunk(const BankManager& bank, int cur_prog, basic::SerializableInterface* state,
              bool is_preset, std::vector<uint8_t>& buffer) {
  const basic::SerializableInterface* source = state;
  if (is_preset) {
    if (cur_prog < 0 || cur_prog >= bank.get_nbr_programs()) return 0;
    source = &bank.use_program(cur_prog);
  } else if (source == nullptr) {
    source = &bank;
  }
  const int size = source->get_size();
  buffer.assign(static_cast<std::size_t>(size > 0 ? size : 0), 0);
  if (size <= 0 || source->write(buffer.data()) != 0) {
    buffer.clear();
    return 0;
  }
  return size;
}

int set_chunk(BankManager& bank, int& cur_prog, basic::SerializableInterface* state,
              const uint8_t* data, int size, bool is_preset) {
  if (data == nullptr || size <= 0) return 0;
  if (is_preset) {
    if (cur_prog < 0 || cur_prog >= bank.get_nbr_programs()) return 0;
    return bank.use_program(cur_prog).read(data, size) == 0 ? 1 : 0;
  }
  basic::SerializableInterface& target = state != nullptr ? *state : bank;
  if (target.read(data, size) != 0) return 0;
  if (cur_prog >= bank.get_nbr_programs()) cur_prog = bank.get_nbr_programs() - 1;
  if (cur_prog < 0) cur_prog = 0;
  return 1;
}

}  // namespace mppi
