#include "framework/vst2/vst2_plugin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "basic/setting_mgr_interface.h"
#include "framework/core/dsp_interface.h"
#include "framework/core/framework_vendor.h"
#include "framework/core/gui_interface.h"
#include "framework/core/host_dsp_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "framework/settings/setting_autoload.h"
#include "framework/vst2/fpu_precision_guard.h"
#include "framework/vst2/vst2_midi_objects.h"

namespace mppi {

namespace {

constexpr int kParamTextLimit = 23;
constexpr int kProgramNameLimit = 23;
constexpr int kIndexedProgramNameLimit = 64;
constexpr int kEffectNameLimit = 31;
constexpr int kPinLabelLimit = 63;
constexpr int kReplyTextLimit = 256;
constexpr VstIntPtr kExtensionsAnswer = 0xbeef0000;
constexpr VstIntPtr kExtensionDone = 0xbeef;

// At most limit - 1 characters, always terminated.
void copy_text(char* dest, const char* src, int limit) {
  if (dest == nullptr || limit <= 0) return;
  std::snprintf(dest, static_cast<size_t>(limit), "%s", src != nullptr ? src : "");
}

bool same_no_case(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

bool is_nonzero(double x) { return std::fabs(x) >= 1e-9; }

// Runs one set-up step of the GUI object; false when it threw.
template <typename Step>
bool run_gui_step(Step step) {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

Vst2Plugin::Vst2Plugin(audioMasterCallback audio_master, std::unique_ptr<DspInterface> dsp,
                       std::unique_ptr<GuiInterface> gui, MidiReceiverInterface* midi_receiver,
                       const BankManager& bank, VstInt32 unique_id)
    : AudioEffectX(audio_master, bank.get_nbr_programs(),
                   is_nonzero(dsp->get_num_property("hide_parameters")) ? 0 : dsp->get_nbr_param()),
      bank_(bank),
      dsp_(std::move(dsp)),
      gui_(std::move(gui)),
      midi_receiver_(midi_receiver),
      core_(*dsp_, bank_) {
  core_.set_gui(gui_.get());
  core_.set_host(this);
  build_pin_maps();
  canProcessReplacing();
  if (midi_receiver_ != nullptr) midi_ = std::make_unique<Vst2MidiObjects>(*midi_receiver_, *dsp_, core_, *this);
  isSynth(same_no_case(dsp_->get_string_property("plugin_category"), "instrument"));
  setUniqueID(unique_id);
}

Vst2Plugin::~Vst2Plugin() {
  stop_objects();
  delete_objects();
}

void Vst2Plugin::build_pin_maps() {
  const auto assign = [](int nbr_sets, auto get_set, PinMap& map) {
    int next = 0;
    map.clear();
    for (int s = 0; s < nbr_sets; ++s) {
      const int n = std::clamp(get_set(s).nbr_channels, 1, 2);
      map.emplace_back(next, n == 2 ? next + 1 : -1);
      next += n;
    }
    return next;
  };
  nbr_inputs_ = assign(
      dsp_->get_nbr_input_pin_sets(), [&](int s) -> const PinSet& { return dsp_->get_input_pins(s); }, input_pins_);
  nbr_outputs_ = assign(
      dsp_->get_nbr_output_pin_sets(), [&](int s) -> const PinSet& { return dsp_->get_output_pins(s); },
      output_pins_);
  setNumInputs(nbr_inputs_);
  setNumOutputs(nbr_outputs_);
}

// --- Life cycle -----------------------------------------------------------------

void Vst2Plugin::initialise() {
  dsp_->init();
  core_.init_params();
  dsp_->set_sample_rate(getSampleRate());  // a host may process before telling its rate
  const bool force_chunks = is_nonzero(dsp_->get_num_property("force_chunk_storage"));
  programsAreChunks(force_chunks || !bank_.use_program(0).extra.empty());
  if (basic::SettingMgrInterface* settings = dsp_->get_setting_mgr()) {
    settings->add_client(core_.get_param_reorder());
    if (midi_) midi_->register_settings(*settings);
  }
  if (midi_) midi_->prepare();
  // A GUI that cannot load its pictures costs the editor, not the plug-in.
  if (gui_) gui_ready_ = run_gui_step([this] { gui_->init(); });
  if (SettingAutoload* autoload = dsp_->get_setting_autoload()) autoload->autoload();
}

void Vst2Plugin::start() {
  dsp_->start();
  if (gui_ && gui_ready_) gui_ready_ = run_gui_step([this] { gui_->start(); });
}

void Vst2Plugin::stop_objects() {
  if (objects_stopped_) return;
  objects_stopped_ = true;
  if (dsp_) dsp_->stop();
  if (midi_) midi_->stop();
  if (gui_) gui_->detach();
}

void Vst2Plugin::delete_objects() {
  core_.set_feedback(nullptr);
  midi_.reset();
  dsp_.reset();
  gui_.reset();
}

// --- Host callback for the core -------------------------------------------------

void Vst2Plugin::automate(int host_index, float value) {
  call_host(audioMasterAutomate, host_index, 0, nullptr, value);
}

void Vst2Plugin::begin_edit(int host_index) { beginEdit(host_index); }

void Vst2Plugin::end_edit(int host_index) { endEdit(host_index); }

void Vst2Plugin::update_display() { updateDisplay(); }

// --- Services for the host-side objects -----------------------------------------

MidiMgr* Vst2Plugin::get_midi_mgr() { return midi_ ? &midi_->use_mgr() : nullptr; }

MidiDevSelDispatcher* Vst2Plugin::get_midi_dev_dispatcher() { return midi_ ? &midi_->use_dispatcher() : nullptr; }

void Vst2Plugin::get_time_info(TimeInfoRequest& request) {
  const VstTimeInfo* info = getTimeInfo(request.want_tempo ? kVstTempoValid : 0);
  request.no_information = info == nullptr;
  if (info == nullptr || !request.want_tempo) return;
  if ((info->flags & kVstTempoValid) != 0) {
    request.tempo = info->tempo;
  } else {
    request.want_tempo = false;
  }
}

int Vst2Plugin::get_host_channel(bool input, int set, int channel) const {
  const PinMap& map = input ? input_pins_ : output_pins_;
  if (set < 0 || set >= static_cast<int>(map.size()) || channel < 0 || channel > 1) return -1;
  return channel == 0 ? map[static_cast<size_t>(set)].first : map[static_cast<size_t>(set)].second;
}

bool Vst2Plugin::is_input_pin_connected(int bus, int channel) {
  const int pin = get_host_channel(true, bus, channel);
  return pin >= 0 && isInputConnected(pin);
}

bool Vst2Plugin::is_output_pin_connected(int bus, int channel) {
  const int pin = get_host_channel(false, bus, channel);
  return pin >= 0 && isOutputConnected(pin);
}

void Vst2Plugin::publish_bank(const BankManager& bank, bool notify_gui) {
  if (notify_gui && gui_) gui_->bank_published(bank);
  core_.publish_bank(bank);
}

std::string Vst2Plugin::get_settings_path() { return settings_sub_path_; }

int Vst2Plugin::resize_window(int /*width*/, int /*height*/) { return 0; }

// --- Dispatcher -------------------------------------------------------------------

VstIntPtr Vst2Plugin::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (opcode == effCanDo) return ptr != nullptr ? can_do(static_cast<const char*>(ptr)) : 0;
  return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
}

VstIntPtr Vst2Plugin::can_do(const char* text) {
  const VstIntPtr midi = midi_ ? 1 : -1;
  for (const char* key : {"sendVstMidiEvent", "sendVstEvents", "receiveVstMidiEvent", "receiveVstEvents"})
    if (std::strcmp(text, key) == 0) return midi;
  if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
  // The host may tell the editor its scale (see vendorSpecific).
  if (std::strcmp(text, "supportsViewDpiScaling") == 0) return gui_ ? 1 : 0;
  if (std::strcmp(text, "hasCockosExtensions") == 0 || std::strcmp(text, "hasBrindleExtensions") == 0)
    return kExtensionsAnswer;
  return 0;
}

void Vst2Plugin::free_chunk_buffer() { std::vector<uint8_t>().swap(chunk_); }

void Vst2Plugin::suspend() {
  free_chunk_buffer();
  dsp_->request_reset();
}

void Vst2Plugin::resume() {
  free_chunk_buffer();
  int threshold = 0;
  bool any = false;
  for (int i = 0; i < core_.get_nbr_param(); ++i) {
    if (const NormalizedParamInterface* p = core_.get_param(i)) {
      threshold = any ? std::max(threshold, p->src()) : p->src();
      any = true;
    }
  }
  if (any) automation_threshold_ = threshold;
  dsp_->request_reset();
}

void Vst2Plugin::setSampleRate(float rate) {
  AudioEffectX::setSampleRate(rate);
  dsp_->set_sample_rate(rate);
  dsp_->request_reset();
}

void Vst2Plugin::update_tempo() {
  HostDspInterface* host = dsp_->get_host();
  if (host == nullptr) return;
  TimeInfoRequest request;
  request.want_tempo = true;
  host->get_time_info(request);
  if (request.no_information || !request.want_tempo) return;
  const auto tempo = static_cast<float>(request.tempo);
  if (tempo == last_tempo_) return;
  dsp_->set_tempo(tempo);
  on_tempo_changed(tempo);
  last_tempo_ = tempo;
}

void Vst2Plugin::processReplacing(float** inputs, float** outputs, VstInt32 sample_frames) {
  try {
    core_.consume_published_bank();
    update_tempo();
    if (midi_) midi_->begin_block();
    if (outputs != nullptr && sample_frames > 0) dsp_->process_replacing(outputs, inputs, sample_frames, nullptr);
    if (midi_) midi_->end_block();
  } catch (...) {
    // The block stays as far as it got.
  }
}

// --- Parameters ---------------------------------------------------------------------

NormalizedParamInterface* Vst2Plugin::host_param(VstInt32 index, int* internal) {
  if (index < 0 || index >= core_.get_nbr_param()) return nullptr;
  const int i = core_.get_param_reorder().to_internal(index);
  if (internal != nullptr) *internal = i;
  return core_.get_param(i);
}

void Vst2Plugin::setParameter(VstInt32 index, float value) {
  int internal = 0;
  if (host_param(index, &internal) != nullptr) core_.set_param(internal, value, kSourceHostAutomation);
}

float Vst2Plugin::getParameter(VstInt32 index) {
  const NormalizedParamInterface* p = host_param(index);
  return p != nullptr ? p->nrm() : 0.0f;
}

void Vst2Plugin::getParameterLabel(VstInt32 index, char* label) {
  char text[kParamTextLimit] = {};
  if (const NormalizedParamInterface* p = host_param(index)) p->get_unit(text, kParamTextLimit);
  copy_text(label, text, kParamTextLimit);
}

void Vst2Plugin::getParameterName(VstInt32 index, char* name) {
  char text[kParamTextLimit] = {};
  if (const NormalizedParamInterface* p = host_param(index)) p->get_name(text, kParamTextLimit);
  copy_text(name, text, kParamTextLimit);
}

void Vst2Plugin::getParameterDisplay(VstInt32 index, char* text) {
  FpuPrecisionGuard guard;
  char shown[kParamTextLimit] = {};
  if (const NormalizedParamInterface* p = host_param(index)) p->conv_val_to_str(shown, kParamTextLimit, p->get_val());
  copy_text(text, shown, kParamTextLimit);
}

bool Vst2Plugin::canParameterBeAutomated(VstInt32 index) {
  const NormalizedParamInterface* p = host_param(index);
  return p == nullptr || p->src() <= automation_threshold_;
}

bool Vst2Plugin::parse_param_text(VstInt32 index, const char* text, float& nrm) {
  const NormalizedParamInterface* p = host_param(index);
  if (p == nullptr) return false;
  bool ok = false;
  const double val = p->conv_str_to_val(text, &ok);
  if (!ok) return false;
  nrm = p->conv_val_to_nrm(val);
  return true;
}

bool Vst2Plugin::string2parameter(VstInt32 index, char* text) {
  if (text == nullptr) return true;
  try {
    float nrm = 0.0f;
    if (!parse_param_text(index, text, nrm)) return false;
    setParameter(index, nrm);
    return true;
  } catch (...) {
    return false;
  }
}

bool Vst2Plugin::getParameterProperties(VstInt32 index, VstParameterProperties* props) {
  const NormalizedParamInterface* p = host_param(index);
  if (p == nullptr) return false;
  props->stepFloat = props->smallStepFloat = props->largeStepFloat = 0.0f;
  props->flags = 0;
  props->minInteger = props->maxInteger = props->stepInteger = props->largeStepInteger = 0;
  std::memset(props->future, 0, sizeof(props->future));
  char name[kVstMaxLabelLen] = {};
  p->get_name(name, kVstMaxLabelLen);
  copy_text(props->label, name, kVstMaxLabelLen);
  copy_text(props->shortLabel, name, kVstMaxShortLabelLen);
  if (p->is_discrete() == 1) {
    const auto lo = static_cast<VstInt32>(std::lround(p->conv_nrm_to_val(0.0f)));
    const auto hi = static_cast<VstInt32>(std::lround(p->conv_nrm_to_val(1.0f)));
    if (hi - lo == 1) {
      props->flags |= kVstParameterIsSwitch;
    } else {
      props->flags |= kVstParameterUsesIntegerMinMax;
      props->minInteger = lo;
      props->maxInteger = hi;
    }
  } else {
    props->flags |= kVstParameterCanRamp;
  }
  return true;
}

// --- Programs -----------------------------------------------------------------------

void Vst2Plugin::setProgram(VstInt32 program) {
  try {
    core_.select_program(program);  // getProgram() reads the core's current program
  } catch (...) {
  }
}

void Vst2Plugin::setProgramName(char* name) {
  try {
    core_.set_program_name(core_.get_current_program(), name);
  } catch (...) {
  }
}

void Vst2Plugin::getProgramName(char* name) {
  copy_text(name, core_.get_program_name(core_.get_current_program()).c_str(), kProgramNameLimit);
}

bool Vst2Plugin::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
  if (index < 0 || index >= core_.get_nbr_programs()) return false;
  copy_text(text, core_.get_program_name(index).c_str(), kIndexedProgramNameLimit);
  return true;
}

VstInt32 Vst2Plugin::getChunk(void** data, bool is_preset) {
  const int size = core_.get_chunk(is_preset, chunk_);
  if (size > 0) *data = chunk_.data();
  return size;
}

VstInt32 Vst2Plugin::setChunk(void* data, VstInt32 byte_size, bool is_preset) {
  return core_.set_chunk(static_cast<const uint8_t*>(data), byte_size, is_preset);
}

// --- Events and pins --------------------------------------------------------------

VstInt32 Vst2Plugin::processEvents(VstEvents* events) {
  if (midi_ && events != nullptr && midi_->is_input_active()) midi_->process_events(*events);
  return 1;
}

bool Vst2Plugin::pin_properties(bool input, VstInt32 pin, VstPinProperties* properties) {
  const PinMap& map = input ? input_pins_ : output_pins_;
  for (int s = 0; s < static_cast<int>(map.size()); ++s) {
    const int channel = map[static_cast<size_t>(s)].first == pin    ? 0
                        : map[static_cast<size_t>(s)].second == pin ? 1
                                                                    : -1;
    if (channel < 0) continue;
    const PinSet& set = input ? dsp_->get_input_pins(s) : dsp_->get_output_pins(s);
    properties->flags = kVstPinIsActive;
    if (set.nbr_channels == 2) properties->flags |= kVstPinIsStereo;
    const std::string label = channel < static_cast<int>(set.channel_names.size())
                                  ? set.channel_names[static_cast<size_t>(channel)]
                                  : std::string();
    copy_text(properties->label, label.c_str(), kPinLabelLimit);
    return true;
  }
  return false;
}

bool Vst2Plugin::getInputProperties(VstInt32 index, VstPinProperties* properties) {
  return index >= 0 && pin_properties(true, index, properties);
}

bool Vst2Plugin::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  return index >= 0 && pin_properties(false, index, properties);
}

// --- Identity ---------------------------------------------------------------------

VstPlugCategory Vst2Plugin::getPlugCategory() {
  const std::string category = dsp_->get_string_property("plugin_category");
  if (category.empty() || same_no_case(category, "effect") || same_no_case(category, "hybrid"))
    return kPlugCategEffect;
  if (same_no_case(category, "instrument")) return kPlugCategSynth;
  if (same_no_case(category, "analyser")) return kPlugCategAnalysis;
  return kPlugCategUnknown;
}

bool Vst2Plugin::getEffectName(char* name) {
  std::string shown = dsp_->get_string_property("plugin_name_display");
  if (shown.empty()) shown = dsp_->get_string_property("plugin_name");
  copy_text(name, shown.c_str(), kEffectNameLimit);
  return true;
}

bool Vst2Plugin::getVendorString(char* text) {
  copy_text(text, kFrameworkVendor, kVstMaxVendorStrLen);
  return true;
}

bool Vst2Plugin::getProductString(char* text) {
  char product[kVstMaxProductStrLen] = {};
  std::snprintf(product, sizeof(product), "%s %s %.2lf", dsp_->get_string_property("manufacturer").c_str(),
                dsp_->get_string_property("plugin_name").c_str(), dsp_->get_num_property("plugin_version"));
  copy_text(text, product, kVstMaxProductStrLen);
  return true;
}

VstInt32 Vst2Plugin::getVendorVersion() {
  const double v = dsp_->get_num_property("plugin_version");
  const auto a = static_cast<int>(v);
  const double tenths = (v - a) * 10.0;
  const auto b = static_cast<int>(tenths);
  const auto r = static_cast<int>(std::lround((tenths - b) * 10.0));
  return (a * 16 + b) * 16 + r;
}

VstIntPtr Vst2Plugin::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (index == kContentScaleVendor && value == kContentScaleCall) {
    if (!gui_ || !std::isfinite(opt) || opt <= 0.0f) return 0;
    gui_->set_scale(opt >= 1.5f ? 2 : 1);
    return 1;
  }
  if (ptr == nullptr) return 0;
  char* text = static_cast<char*>(ptr);
  const auto param = static_cast<VstInt32>(value);
  if (index == effGetParamDisplay) {
    FpuPrecisionGuard guard;
    const NormalizedParamInterface* p = host_param(param);
    if (p == nullptr) return 0;
    char shown[kParamTextLimit] = {};
    p->conv_val_to_str(shown, kParamTextLimit, p->conv_nrm_to_val(opt));
    copy_text(text, shown, kParamTextLimit);
    return kExtensionDone;
  }
  if (index == effString2Parameter) {
    FpuPrecisionGuard guard;
    if (host_param(param) == nullptr) return 0;
    float nrm = 0.0f;
    if (!parse_param_text(param, text, nrm)) return (param == 0 && text[0] == '\0') ? kExtensionDone : 0;
    std::snprintf(text, kReplyTextLimit, "%.7f", static_cast<double>(nrm));
    return kExtensionDone;
  }
  return 0;
}

}  // namespace mppi
