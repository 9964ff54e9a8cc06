#include "framework/core/plugin_core.h"

#include <algorithm>
#include <cmath>

#include "framework/core/chunk_storage.h"
#include "framework/core/dsp_interface.h"
#include "framework/core/gui_interface.h"
#include "framework/core/host_callback_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "sys/tick.h"

namespace mppi {

PluginCore::PluginCore(DspInterface& dsp, BankManager& bank)
    : dsp_(dsp), bank_(bank), clock_(&sys::get_tick_seconds), priorities_(std::make_unique<ParamPriorityList>(0)) {}

PluginCore::~PluginCore() = default;

void PluginCore::init_params() {
  nbr_param_ = std::max(0, dsp_.get_nbr_param());
  priorities_ = std::make_unique<ParamPriorityList>(nbr_param_);
  gestures_.init(nbr_param_);
  reorder_.init(*this);
  live_values_.reset(new std::atomic<float>[static_cast<size_t>(nbr_param_)]);
  for (int i = 0; i < nbr_param_; ++i) {
    NormalizedParamInterface* p = dsp_.get_param(i);
    live_values_[i].store(p ? p->nrm() : 0.0f);
  }
}

NormalizedParamInterface* PluginCore::get_param(int index) {
  return valid(index) ? dsp_.get_param(index) : nullptr;
}

bool PluginCore::can_take_control(int param, int source) {
  return priorities_->can_take(param, now(), source);
}

bool PluginCore::take_control(int param, int source) { return priorities_->take(param, now(), source); }

void PluginCore::release_control(int param, int source) { priorities_->release(param, source); }

bool PluginCore::set_param(int param, float value, int source) {
  if (!valid(param) || std::isnan(value)) return false;
  value = std::clamp(value, 0.0f, 1.0f);
  if (!priorities_->take(param, now(), source)) return false;
  live_values_[param].store(value, std::memory_order_relaxed);
  NormalizedParamInterface* p = dsp_.get_param(param);
  if (!p) return false;
  p->set_nrm_and_notify(value);
  if (gui_) gui_->param_changed(param, p->nrm(), source);
  return true;
}

bool PluginCore::parameters_hidden() const { return std::fabs(dsp_.get_num_property("hide_parameters")) >= 1e-9; }

bool PluginCore::notify_host(int param, float value, int /*source*/) {
  if (parameters_hidden() || nbr_param_ == 0) return true;
  if (!valid(param)) return false;
  if (ParamFeedbackInterface* feedback = feedback_.load()) feedback->parameter_to_midi(param, value);
  const int host_index = reorder_.to_host(param);
  if (host_) {
    gestures_.open(param, [&](int) { host_->begin_edit(host_index); });
    host_->automate(host_index, value);
    // Without an editor, the host's own view shows the value; this may run
    // on the audio thread (MIDI), so the refresh is sent later.
    if (!gui_) display_update_pending_.store(true, std::memory_order_release);
  }
  return true;
}

bool PluginCore::set_param_and_notify(int param, float value, int source) {
  const bool accepted = set_param(param, value, source);
  if (accepted) notify_host(param, live_values_[param].load(std::memory_order_relaxed), source);
  return accepted;
}

void PluginCore::sync_current_program_locked() {
  if (!mirror_holds_program_) return;
  const int cur = cur_prog_.load();
  if (cur < 0 || cur >= bank_.get_nbr_programs()) return;
  ProgramSlot& program = bank_.use_program(cur);
  const int n = std::min(nbr_param_, static_cast<int>(program.values.size()));
  for (int i = 0; i < n; ++i) program.values[static_cast<size_t>(i)] = live_values_[i].load();
}

void PluginCore::apply_program(const ProgramSlot& program, int source, bool release_after, bool automate_host) {
  const int n = std::min(static_cast<int>(program.values.size()), nbr_param_);
  // Values the program does not hold keep their current setting.
  std::vector<float> values(static_cast<size_t>(nbr_param_));
  for (int i = 0; i < nbr_param_; ++i) {
    const float stored = i < n ? program.values[static_cast<size_t>(i)] : live_values_[i].load();
    values[static_cast<size_t>(i)] = std::isnan(stored) ? 0.0f : std::clamp(stored, 0.0f, 1.0f);
  }
  {
    std::lock_guard<std::mutex> lock(bank_mutex_);
    const int cur = cur_prog_.load();
    if (cur >= 0 && cur < bank_.get_nbr_programs() && &bank_.use_program(cur) != &program)
      bank_.use_program(cur) = program;
    for (int i = 0; i < nbr_param_; ++i) live_values_[i].store(values[static_cast<size_t>(i)]);
    mirror_holds_program_ = true;
  }
  dsp_.set_display_name(program.name);
  // A fade step is a gradual morph the player chose; anything else replaces
  // the sound at once.
  if (source != kSourceProgramFade) dsp_.announce_program_change();
  if (nbr_param_ > 0) dsp_.set_all_param_values(values.data());

  for (int i = 0; i < n; ++i) {
    if (!take_control(i, source)) continue;
    NormalizedParamInterface* p = dsp_.get_param(i);
    const float v = p ? p->nrm() : values[static_cast<size_t>(i)];
    if (gui_) gui_->param_changed(i, v, source);
    if (ParamFeedbackInterface* feedback = feedback_.load()) feedback->parameter_to_midi(i, v);
    if (automate_host && host_) host_->automate(reorder_.to_host(i), v);
    if (release_after) release_control(i, source);
  }
  if (host_) host_->update_display();
}

bool PluginCore::select_program(int index) {
  ProgramSlot program;
  {
    std::lock_guard<std::mutex> lock(bank_mutex_);
    if (index < 0 || index >= bank_.get_nbr_programs()) return false;
    sync_current_program_locked();
    cur_prog_.store(index);
    program = bank_.use_program(index);
  }
  apply_program(program, kSourceProgram, true, false);
  return true;
}

bool PluginCore::set_current_program(int index) {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  if (index < 0 || index >= bank_.get_nbr_programs()) return false;
  sync_current_program_locked();
  cur_prog_.store(index);
  // The live values are the old program's until something is applied.
  mirror_holds_program_ = false;
  return true;
}

bool PluginCore::store_program(int index) {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  if (index < 0 || index >= bank_.get_nbr_programs()) return false;
  const int cur = cur_prog_.load();
  ProgramSlot& target = bank_.use_program(index);
  if (cur >= 0 && cur < bank_.get_nbr_programs() && cur != index) target = bank_.use_program(cur);
  target.resize_values(nbr_param_);
  for (int i = 0; i < nbr_param_; ++i) target.values[static_cast<size_t>(i)] = live_values_[i].load();
  cur_prog_.store(index);
  mirror_holds_program_ = true;
  return true;
}

std::string PluginCore::get_program_name(int index) {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  if (index < 0 || index >= bank_.get_nbr_programs()) return {};
  return bank_.use_program(index).name;
}

bool PluginCore::set_program_name(int index, const std::string& name) {
  {
    std::lock_guard<std::mutex> lock(bank_mutex_);
    if (index < 0 || index >= bank_.get_nbr_programs()) return false;
    bank_.use_program(index).set_name(name);
  }
  if (index == cur_prog_.load()) dsp_.set_display_name(get_program_name(index));
  return true;
}

int PluginCore::get_nbr_programs() {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  return bank_.get_nbr_programs();
}

int PluginCore::get_chunk(bool is_preset, std::vector<uint8_t>& buffer) {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  const int cur = cur_prog_.load();
  if (mirror_holds_program_ && cur >= 0 && cur < bank_.get_nbr_programs()) refresh_program_from_dsp(bank_.use_program(cur), dsp_);
  return mppi::get_chunk(bank_, cur, nullptr, is_preset, buffer);
}

int PluginCore::set_chunk(const uint8_t* data, int size, bool is_preset) {
  ProgramSlot program;
  {
    std::lock_guard<std::mutex> lock(bank_mutex_);
    int cur = cur_prog_.load();
    if (mppi::set_chunk(bank_, cur, nullptr, data, size, is_preset) == 0) return 0;
    cur_prog_.store(cur);
    program = bank_.use_program(cur);
  }
  apply_program(program, kSourceProgram, true, false);
  return 1;
}

bool PluginCore::replace_bank(const BankManager& bank) {
  ProgramSlot program;
  {
    std::lock_guard<std::mutex> lock(bank_mutex_);
    const int cur = cur_prog_.load();
    if (bank.get_nbr_programs() != bank_.get_nbr_programs() || cur < 0 || cur >= bank.get_nbr_programs())
      return false;
    bank_ = bank;
    program = bank_.use_program(cur);
  }
  apply_program(program, kSourceProgram, false, true);
  return true;
}

void PluginCore::with_bank(const std::function<void(BankManager&)>& fn) {
  std::lock_guard<std::mutex> lock(bank_mutex_);
  sync_current_program_locked();
  fn(bank_);
}

void PluginCore::publish_bank(const BankManager& bank) {
  std::lock_guard<std::mutex> lock(bank_mutex_);  // one writer at a time
  exchange_.publish(bank);
}

void PluginCore::consume_published_bank() {
  if (exchange_.consume([&](const BankManager& bank) { dsp_.offer_bank_snapshot(&bank); }))
    display_update_pending_.store(true, std::memory_order_release);
}

void PluginCore::send_pending_display_update() {
  if (host_ && display_update_pending_.exchange(false, std::memory_order_acq_rel)) host_->update_display();
}

void PluginCore::close_gestures() {
  gestures_.close_ready([&](int i) { return can_take_control(i, kSourceRefresh); },
                        [&](int i) {
                          if (host_) host_->end_edit(reorder_.to_host(i));
                        },
                        [&](int i) {
                          if (host_) host_->begin_edit(reorder_.to_host(i));
                        });
}

}  // namespace mppi
