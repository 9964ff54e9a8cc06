#pragma once
// The plug-in's MIDI side as the VST 2 adapter holds it: the controller
// binding manager, the device selection and the host's MIDI family, plus
// the conversions between host event lists and plain timed messages.

#include <array>
#include <memory>

#include "framework/midi/midi_mgr.h"
#include "framework/midi_devices/midi_dev_link_interface.h"
#include "framework/midi_devices/midi_dev_sel_dispatcher.h"
#include "framework/midi_devices/midi_event_sender_interface.h"
#include "framework/midi_devices/vst2_midi_dev_sel_comp.h"
#include "framework/vst2/vst2_abi.h"

class AudioEffectX;

namespace basic {
class SettingMgrInterface;
}

namespace mppi {

class DspInterface;
class PluginCmdInterface;
class PluginCore;

class Vst2MidiObjects : private MidiDevLinkInterface, private MidiEventSenderInterface {
public:
  // receiver: where decoded channel messages go (the DSP object).
  Vst2MidiObjects(MidiReceiverInterface& receiver, DspInterface& dsp, PluginCore& core, AudioEffectX& effect);
  ~Vst2MidiObjects() override;
  Vst2MidiObjects(const Vst2MidiObjects&) = delete;
  Vst2MidiObjects& operator=(const Vst2MidiObjects&) = delete;

  // --- Set-up and tear-down (host GUI thread) -------------------------------
  void register_settings(basic::SettingMgrInterface& settings);
  // The host family becomes the selected input and output.
  void prepare();
  void stop();

  MidiMgr& use_mgr() { return mgr_; }
  MidiDevSelDispatcher& use_dispatcher() { return dispatcher_; }
  bool is_input_active() { return comp_.get_input() != nullptr && comp_.use_input().is_active() != 0; }

  // --- Audio thread ------------------------------------------------------------
  // The MIDI events of a host event list; other events are ignored.
  void process_events(const VstEvents& events);
  void begin_block() { dispatcher_.poll(); }
  void end_block() { comp_.use_output().flush(); }

private:
  static constexpr int kListSize = Vst2MidiOut::kListSize;
  // A host event list with room for a whole output list.
  struct HostEventList {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[kListSize];
  };
  static_assert(offsetof(HostEventList, events) == offsetof(VstEvents, events), "event list layout");

  MidiReceiverInterface* get_midi_receiver() override { return &receiver_; }
  int notify_controller(int id, int value14) override { return mgr_.notify_controller(id, value14); }
  int send_events(const MidiTimedEvent* events, int count) override;

  MidiReceiverInterface& receiver_;
  AudioEffectX& effect_;
  MidiMgr mgr_;
  Vst2MidiDevSelComp comp_;
  MidiDevSelDispatcher dispatcher_;
  // Two lists alternate, as the output's own lists do, so the host may
  // read the last one until the next flush.
  std::unique_ptr<std::array<VstMidiEvent, kListSize>[]> out_events_;
  std::unique_ptr<HostEventList[]> out_lists_;
  int out_current_ = 0;
};

}  // namespace mppi
