#include "framework/midi/midi_mgr.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <thread>

#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"
#include "framework/core/dsp_interface.h"
#include "framework/core/framework_vendor.h"
#include "framework/core/plugin_cmd_interface.h"
#include "framework/midi/midi_in_chn.h"
#include "sys/persistent_key_list.h"

namespace mppi {
namespace {

constexpr int kSlotNrpn = MidiMgr::kNbrControllers;
constexpr int kSlotRpn = kSlotNrpn + MidiMgr::kNbrNumbers;
constexpr int kNbrSlots = kSlotRpn + MidiMgr::kNbrNumbers;
constexpr double kValueScale = 6.103888176768602e-05;  // 1 / 16383
constexpr char kPrefixCc[] = "cc_";
constexpr char kPrefixRpn[] = "rpn_";
constexpr char kPrefixNrpn[] = "nrpn_";
constexpr char kEntryPrefix[] = "id_";

int64_t pack_learned(int param, int id) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(param)) << 32) |
                              static_cast<uint32_t>(id));
}

// Non-empty, digits only, not beyond int.
bool parse_decimal(const std::string& text, size_t from, int& value) {
  if (from >= text.size() || text.size() - from > 9) return false;
  int v = 0;
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = v;
  return true;
}

bool starts_with(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string format_entry(const char* prefix, int number) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%d", prefix, number);
  return buf;
}

// One stored entry: -1 for a bad name, -2 for a bad text, else 0.
int parse_entry(const std::string& name, const std::string& text, int& param, int& kind,
                int& number) {
  if (!starts_with(name, kEntryPrefix) || !parse_decimal(name, std::strlen(kEntryPrefix), param))
    return -1;
  if (starts_with(text, kPrefixCc) && parse_decimal(text, std::strlen(kPrefixCc), kind)) {
    number = 0;
    return 0;
  }
  kind = starts_with(text, kPrefixRpn) ? MidiMgr::kKindRpn
         : starts_with(text, kPrefixNrpn) ? MidiMgr::kKindNrpn
                                          : -1;
  if (kind < 0) return -2;
  const char* prefix = kind == MidiMgr::kKindRpn ? kPrefixRpn : kPrefixNrpn;
  return parse_decimal(text, std::strlen(prefix), number) ? 0 : -2;
}

}  // namespace

MidiMgr::MidiMgr()
    : param_of_slot_(new std::atomic<int16_t>[kNbrSlots]),
      id_of_param_(new std::atomic<int32_t>[kMaxParams]),
      last_learned_(pack_learned(-1, 0)) {
  for (int i = 0; i < kNbrSlots; ++i) param_of_slot_[i].store(-1, std::memory_order_relaxed);
  for (int i = 0; i < kMaxParams; ++i) id_of_param_[i].store(-1, std::memory_order_relaxed);
}

MidiMgr::~MidiMgr() = default;

// --- Wiring -------------------------------------------------------------------

void MidiMgr::set_targets(PluginCmdInterface* cmd, DspInterface* dsp) {
  cmd_ = cmd;
  dsp_ = dsp;
  nbr_dsp_params_ = dsp != nullptr ? dsp->get_nbr_param() : kMaxParams;
}

void MidiMgr::set_input(MidiInChn* input) {
  input_ = input;
  if (input_ != nullptr)
    input_->set_nrpn_numbering(is_nrpn_standard() ? NrpnNumbering::standard : NrpnNumbering::swapped);
}

// --- Start-up -------------------------------------------------------------------

void MidiMgr::load_switches(const std::string& plugin_name) {
  try {
    key_list_ = std::make_unique<sys::PersistentKeyList>(std::string(kFrameworkVendor) + "/" + plugin_name);
  } catch (const std::exception&) {
    key_list_.reset();  // no per-user store: the switches keep their values
    return;
  }
  auto read_switch = [this](const char* name, std::atomic<bool>& target) {
    std::string text;
    if (key_list_->read_string(name, text) && (text == "0" || text == "1")) target.store(text == "1");
  };
  read_switch(kNrpnCompatKey, nrpn_standard_);
  read_switch(kAutobindKey, autobind_continuous_);
  set_input(input_);
}

void MidiMgr::bind_defaults(const int* controllers, int count) {
  for (int i = 0; i < count; ++i) bind(i, controllers[i], 0);
}

// --- Identifiers ------------------------------------------------------------------

int MidiMgr::make_id(int kind, int number) {
  return kind == kKindRpn || kind == kKindNrpn ? (kind << 16) + number : kind << 16;
}

int MidiMgr::slot_of(int id) {
  const int kind = id >> 16;
  const int number = id & 0xffff;
  if (kind == kKindNrpn) return number < kNbrNumbers ? kSlotNrpn + number : -1;
  if (kind == kKindRpn) return number < kNbrNumbers ? kSlotRpn + number : -1;
  return kind >= 0 && kind < kNbrControllers && number == 0 ? kind : -1;
}

int MidiMgr::id_of_slot(int slot) {
  if (slot >= kSlotRpn) return (kKindRpn << 16) + slot - kSlotRpn;
  if (slot >= kSlotNrpn) return (kKindNrpn << 16) + slot - kSlotNrpn;
  return slot << 16;
}

std::string MidiMgr::controller_text(int id) {
  const int kind = id >> 16;
  char buf[32];
  if (kind == kKindNrpn || kind == kKindRpn)
    std::snprintf(buf, sizeof buf, "%s%d", kind == kKindNrpn ? "NRPN " : "RPN ", id & 0x3fff);
  else
    std::snprintf(buf, sizeof buf, "CC %d", kind);
  return buf;
}

// --- Binding table ---------------------------------------------------------------

void MidiMgr::lock_writer() {
  while (writer_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
}

bool MidiMgr::try_lock_writer() { return !writer_.test_and_set(std::memory_order_acquire); }

void MidiMgr::unlock_writer() { writer_.clear(std::memory_order_release); }

void MidiMgr::unbind_locked(int param) {
  const int id = id_of_param_[param].load();
  if (id < 0) return;
  std::atomic<int16_t>& slot = param_of_slot_[slot_of(id)];
  if (slot.load() == param) slot.store(-1);
  id_of_param_[param].store(-1);
}

void MidiMgr::bind_locked(int param, int id) {
  unbind_locked(param);
  std::atomic<int16_t>& slot = param_of_slot_[slot_of(id)];
  const int previous = slot.load();
  if (previous >= 0 && previous != param) id_of_param_[previous].store(-1);
  slot.store(static_cast<int16_t>(param));
  id_of_param_[param].store(id);
}

int MidiMgr::bind(int param, int kind, int number) {
  const int id = make_id(kind, number);
  if (!valid_param(param) || number < 0 || slot_of(id) < 0) return -1;
  lock_writer();
  bind_locked(param, id);
  unlock_writer();
  return 0;
}

int MidiMgr::unbind(int param) {
  if (!valid_param(param)) return -1;
  lock_writer();
  unbind_locked(param);
  unlock_writer();
  return 0;
}

int MidiMgr::find_controller(int param) const {
  if (!valid_param(param)) return kNotFound;
  const int id = id_of_param_[param].load();
  if (id < 0 || param_of_slot_[slot_of(id)].load() != param) return kNotFound;
  return id;
}

bool MidiMgr::is_bound(int param) const {
  return valid_param(param) && id_of_param_[param].load() >= 0;
}

int MidiMgr::controller_value(int id, int value14, float& normalized) const {
  const int slot = slot_of(id);
  if (slot < 0) return kNotFound;
  normalized = static_cast<float>(value14 * kValueScale);
  return param_of_slot_[slot].load();
}

// --- Incoming controller ------------------------------------------------------------

int MidiMgr::notify_controller(int id, int value14) {
  if (slot_of(id) < 0) return kNotFound;
  int armed = armed_.load();
  if (armed >= 0 && try_lock_writer()) {
    bind_locked(armed, id);
    last_learned_.store(pack_learned(armed, id));
    if (!autobind_continuous_.load()) armed_.compare_exchange_strong(armed, -1);
    unlock_writer();
  }
  float value = 0.0f;
  const int param = controller_value(id, value14, value);
  if (param < 0) return kNotFound;
  if (param < nbr_dsp_params_) {
    if (cmd_ != nullptr) cmd_->set_param(param, value, kSourceMidi);
  } else if (dsp_ != nullptr) {
    dsp_->set_extra_param(param, value);
  }
  return param;
}

// --- Feedback -------------------------------------------------------------------------

int MidiMgr::parameter_to_midi(int param, float value) {
  const int id = find_controller(param);
  if (id < 0) return kErrUnbound;
  MidiReceiverInterface* out = output_.load();
  if (out == nullptr) return kErrRefused;
  const int ch = feedback_channel_.load();
  const int value14 =
      static_cast<int>(std::clamp(std::lround(static_cast<double>(value) * 16383.0), 0L, 16383L));
  const int kind = id >> 16;
  const int number = id & 0x3fff;
  bool ok = true;
  if (kind == kKindNrpn) {
    ok = out->nrpn(ch, number, value14) >= 0;
  } else if (kind == kKindRpn) {
    ok = out->rpn(ch, number, value14) >= 0;
  } else if (kind >= 32) {
    ok = out->channel_message(ch, 11, kind, std::min(127, (value14 + 64) >> 7)) >= 0;
  } else {
    // 14-bit pair: the coarse controller, then its fine partner 32 above.
    ok = out->channel_message(ch, 11, kind, value14 >> 7) >= 0 &&
         out->channel_message(ch, 11, kind + 32, value14 & 127) >= 0;
  }
  return ok ? 0 : kErrRefused;
}

// --- Learning ---------------------------------------------------------------------------

bool MidiMgr::last_learned(int& param, int& id) const {
  const int64_t packed = last_learned_.load();
  param = static_cast<int>(packed >> 32);
  id = static_cast<int>(static_cast<uint32_t>(packed));
  return param >= 0;
}

void MidiMgr::clear_last_learned() { last_learned_.store(pack_learned(-1, 0)); }

// --- Per-user switches ---------------------------------------------------------------------

bool MidiMgr::store_switch(const char* name, bool on) {
  return key_list_ != nullptr && key_list_->write_string(name, on ? "1" : "0");
}

bool MidiMgr::set_nrpn_compat(bool standard) {
  if (!store_switch(kNrpnCompatKey, standard)) return false;
  nrpn_standard_.store(standard);
  set_input(input_);
  return true;
}

bool MidiMgr::set_autobind_mode(bool continuous) {
  if (!store_switch(kAutobindKey, continuous)) return false;
  autobind_continuous_.store(continuous);
  return true;
}

// --- Settings ----------------------------------------------------------------------------------

int MidiMgr::write_settings(basic::ConfKeyMulti& section) const {
  auto* midi = dynamic_cast<basic::ConfKeyMulti*>(section.get_key(kSection));
  if (midi == nullptr) {
    const int index = section.find_index(kSection);
    if (index >= 0) section.remove_key(index);  // a data key in the way
    midi = static_cast<basic::ConfKeyMulti*>(
        &section.add_key(std::make_unique<basic::ConfKeyMulti>(kSection)));
  }
  for (int index = midi->find_index(kControlMap); index >= 0; index = midi->find_index(kControlMap))
    midi->remove_key(index);

  auto map = std::make_unique<basic::ConfKeyMulti>(kControlMap);
  map->set_comment(std::string("Bind param with ") + kPrefixCc + ", " + kPrefixRpn + " or " +
                   kPrefixNrpn + " as prefix + CC/(N)RPN #.");
  for (int slot = 0; slot < kNbrSlots; ++slot) {
    const int param = param_of_slot_[slot].load();
    if (param < 0) continue;
    const int id = id_of_slot(slot);
    const int kind = id >> 16;
    const std::string text = kind == kKindRpn    ? format_entry(kPrefixRpn, id & 0x3fff)
                              : kind == kKindNrpn ? format_entry(kPrefixNrpn, id & 0x3fff)
                                                  : format_entry(kPrefixCc, kind);
    map->add_key(std::make_unique<basic::ConfKeyData>(format_entry(kEntryPrefix, param), text));
  }
  midi->add_key(std::move(map));
  return 0;
}

int MidiMgr::read_settings(const basic::ConfKeyMulti& section) {
  const auto* map = dynamic_cast<const basic::ConfKeyMulti*>(
      section.get_key(std::string(kSection) + "/" + kControlMap));
  if (map == nullptr) return 0;
  for (int i = 0; i < map->get_nbr_keys(); ++i) {
    const auto* entry = dynamic_cast<const basic::ConfKeyData*>(&map->use_child(i));
    if (entry == nullptr) continue;
    int param = 0;
    int kind = 0;
    int number = 0;
    if (parse_entry(entry->get_name(), entry->get_string(), param, kind, number) == 0)
      bind(param, kind, number);
  }
  return 0;
}

// --- MidiReceiverInterface -------------------------------------------------------------------

int32_t MidiMgr::set_time_stamp(long offset) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->set_time_stamp(offset) : 0;
}

int32_t MidiMgr::note_on(int ch, int note, float pitch, float value, float velocity, int flag) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->note_on(ch, note, pitch, value, velocity, flag) : 0;
}

int32_t MidiMgr::note_off(int ch, int note, float velocity) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->note_off(ch, note, velocity) : 0;
}

int32_t MidiMgr::key_pressure(int ch, int note, float pressure) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->key_pressure(ch, note, pressure) : 0;
}

int32_t MidiMgr::pitch_bend(int ch, float bend) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->pitch_bend(ch, bend) : 0;
}

int32_t MidiMgr::program_change(int ch, int program) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->program_change(ch, program) : 0;
}

int32_t MidiMgr::rpn(int ch, int number, int value) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->rpn(ch, number, value) : 0;
}

int32_t MidiMgr::nrpn(int ch, int number, int value) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->nrpn(ch, number, value) : 0;
}

int32_t MidiMgr::control_change(int ch, int controller, int value) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->control_change(ch, controller, value) : 0;
}

int32_t MidiMgr::channel_message(int ch, int status, int data1, int data2) {
  MidiReceiverInterface* out = output_.load();
  return out != nullptr ? out->channel_message(ch, status, data1, data2) : 0;
}

}  // namespace mppi
