#include "framework/vst2/vst2_midi_objects.h"

#include <algorithm>
#include <cstring>

#include "basic/setting_mgr_interface.h"
#include "framework/core/plugin_core.h"
#include "framework/vst2/audio_effect_x.h"

namespace mppi {

namespace {
constexpr int kBatchSize = 64;
}

Vst2MidiObjects::Vst2MidiObjects(MidiReceiverInterface& receiver, DspInterface& dsp, PluginCore& core,
                                 AudioEffectX& effect)
    : receiver_(receiver),
      effect_(effect),
      dispatcher_(*this),
      out_events_(new std::array<VstMidiEvent, kListSize>[2]),
      out_lists_(new HostEventList[2]) {
  std::memset(out_events_.get(), 0, sizeof(std::array<VstMidiEvent, kListSize>) * 2);
  std::memset(out_lists_.get(), 0, sizeof(HostEventList) * 2);
  for (int l = 0; l < 2; ++l)
    for (int i = 0; i < kListSize; ++i)
      out_lists_[l].events[i] = reinterpret_cast<VstEvent*>(&out_events_[l][static_cast<size_t>(i)]);

  mgr_.set_targets(&core, &dsp);
  mgr_.set_output(&dispatcher_.use_output());
  mgr_.set_input(&comp_.use_input());
  core.set_feedback(&mgr_.use_feedback());
  dispatcher_.add_family(comp_);
  comp_.use_output().set_sender(this);
}

Vst2MidiObjects::~Vst2MidiObjects() { stop(); }

void Vst2MidiObjects::register_settings(basic::SettingMgrInterface& settings) {
  settings.add_client(mgr_);
  settings.add_client(dispatcher_);
}

void Vst2MidiObjects::prepare() {
  // The families' current lists suffice for the host's devices; the system
  // ports are listed when someone asks for them.
  dispatcher_.select_input(dispatcher_.find_input(Vst2MidiDevSelComp::kInputName));
  dispatcher_.select_output(dispatcher_.find_output(Vst2MidiDevSelComp::kOutputName));
}

void Vst2MidiObjects::stop() { dispatcher_.stop(); }

void Vst2MidiObjects::process_events(const VstEvents& events) {
  std::array<MidiTimedEvent, kBatchSize> batch;
  int n = 0;
  for (int i = 0; i < events.numEvents; ++i) {
    const VstEvent* event = events.events[i];
    if (event == nullptr || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    MidiTimedEvent& out = batch[static_cast<size_t>(n++)];
    out.offset = std::max(0, midi->deltaFrames);
    for (int b = 0; b < 3; ++b) out.bytes[b] = static_cast<uint8_t>(midi->midiData[b]);
    out.bytes[3] = 0;
    out.detune_cents = static_cast<signed char>(midi->detune);
    if (n == kBatchSize) {
      comp_.use_input().process_events(batch.data(), n);
      n = 0;
    }
  }
  if (n > 0) comp_.use_input().process_events(batch.data(), n);
}

int Vst2MidiObjects::send_events(const MidiTimedEvent* events, int count) {
  count = std::min(count, kListSize);
  HostEventList& list = out_lists_[out_current_];
  std::array<VstMidiEvent, kListSize>& slots = out_events_[out_current_];
  for (int i = 0; i < count; ++i) {
    VstMidiEvent& e = slots[static_cast<size_t>(i)];
    e.type = kVstMidiType;
    e.byteSize = static_cast<VstInt32>(sizeof(VstMidiEvent));
    e.deltaFrames = events[i].offset;
    for (int b = 0; b < 4; ++b) e.midiData[b] = static_cast<char>(events[i].bytes[b]);
  }
  list.numEvents = count;
  out_current_ = 1 - out_current_;
  return effect_.sendVstEventsToHost(reinterpret_cast<VstEvents*>(&list)) ? 0 : -1;
}

}  // namespace mppi
