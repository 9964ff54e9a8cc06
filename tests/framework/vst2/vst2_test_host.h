#pragma once
// A host as the plug-in sees it through its callback: records what the
// plug-in reports and answers the questions it asks. One at a time, since
// the callback carries no host pointer.

#include <algorithm>
#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "framework/vst2/vst2_abi.h"

// The library's exported entry point, as a host finds it.
extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audio_master);

namespace vst2_test {

struct HostState {
  std::mutex mutex;
  std::vector<int> automated;
  std::vector<float> automated_values;
  std::vector<int> begin_edits;
  std::vector<int> end_edits;
  int unconnected_output = -1;  // the output pin the host reports as unused

  void clear() {
    std::lock_guard<std::mutex> lock(mutex);
    automated.clear();
    automated_values.clear();
    begin_edits.clear();
    end_edits.clear();
    unconnected_output = -1;
  }
};

inline HostState& host_state() {
  static HostState state;
  return state;
}

inline VstIntPtr VSTCALLBACK host_callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt) {
  HostState& h = host_state();
  std::lock_guard<std::mutex> lock(h.mutex);
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterAutomate:
      h.automated.push_back(index);
      h.automated_values.push_back(opt);
      return 1;
    case audioMasterBeginEdit:
      h.begin_edits.push_back(index);
      return 1;
    case audioMasterEndEdit:
      h.end_edits.push_back(index);
      return 1;
    case audioMasterPinConnected:  // 0: connected
      return value == 1 && index == h.unconnected_output ? 1 : 0;
    default:
      return 0;
  }
}

// One plug-in instance, closed by its destructor.
class Instance {
public:
  Instance() : effect_(VSTPluginMain(host_callback)) {}
  ~Instance() {
    if (effect_ != nullptr) dispatch(effClose);
  }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  AEffect* get() const { return effect_; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
  }
  std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0) {
    std::vector<char> buf(512, '\x7f');
    dispatch(opcode, index, value, buf.data());
    return std::string(buf.data());
  }
  void set(int index, float value) { effect_->setParameter(effect_, index, value); }
  float get(int index) { return effect_->getParameter(effect_, index); }
  void start(float rate, int block) {
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    dispatch(effSetBlockSize, 0, block);
    dispatch(effMainsChanged, 0, 1);
  }
  // Renders `frames` samples in blocks of `block`; the left channel.
  std::vector<float> render(int frames, int block) {
    std::vector<float> left(static_cast<size_t>(frames)), r(static_cast<size_t>(frames));
    for (int done = 0; done < frames; done += block) {
      const int n = std::min(block, frames - done);
      float* outs[2] = {left.data() + done, r.data() + done};
      effect_->processReplacing(effect_, nullptr, outs, n);
    }
    return left;
  }
  VstIntPtr send_midi(std::vector<std::array<uint8_t, 3>> messages, int delta = 0) {
    std::vector<VstMidiEvent> events(messages.size());
    std::vector<char> list_storage(sizeof(VstEvents) + messages.size() * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(list_storage.data());
    list->numEvents = static_cast<VstInt32>(messages.size());
    for (size_t i = 0; i < messages.size(); ++i) {
      events[i] = VstMidiEvent{};
      events[i].type = kVstMidiType;
      events[i].byteSize = sizeof(VstMidiEvent);
      events[i].deltaFrames = delta;
      for (int b = 0; b < 3; ++b) events[i].midiData[b] = static_cast<char>(messages[i][static_cast<size_t>(b)]);
      list->events[i] = reinterpret_cast<VstEvent*>(&events[i]);
    }
    return dispatch(effProcessEvents, 0, 0, list);
  }

private:
  AEffect* effect_;
};

}  // namespace vst2_test
