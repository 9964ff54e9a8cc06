#pragma once
// A host that keeps what the plug-in tells it in one ordered list, so a
// test can see begin-edit, automation and end-edit in the order they came.
// One plug-in at a time uses it (the callback carries no host pointer).

#include <mutex>
#include <vector>

#include "framework/vst2/vst2_abi.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audio_master);

namespace editor_test {

struct HostEvent {
  enum Kind { begin_edit, automate, end_edit } kind;
  int index;
  float value;
};

class HostLog {
public:
  static std::vector<HostEvent> events() {
    std::lock_guard<std::mutex> lock(mutex());
    return log();
  }
  static void clear() {
    std::lock_guard<std::mutex> lock(mutex());
    log().clear();
  }
  static VstIntPtr VSTCALLBACK callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    std::lock_guard<std::mutex> lock(mutex());
    switch (opcode) {
      case audioMasterVersion: return 2400;
      case audioMasterBeginEdit: log().push_back({HostEvent::begin_edit, index, 0.0f}); return 1;
      case audioMasterAutomate: log().push_back({HostEvent::automate, index, opt}); return 1;
      case audioMasterEndEdit: log().push_back({HostEvent::end_edit, index, 0.0f}); return 1;
      default: return 0;
    }
  }

private:
  static std::mutex& mutex() {
    static std::mutex m;
    return m;
  }
  static std::vector<HostEvent>& log() {
    static std::vector<HostEvent> l;
    return l;
  }
};

// One plug-in instance on the logging host, closed by its destructor.
class LoggedInstance {
public:
  LoggedInstance() : effect_(VSTPluginMain(&HostLog::callback)) {}
  ~LoggedInstance() {
    if (effect_ != nullptr) dispatch(effClose);
  }
  LoggedInstance(const LoggedInstance&) = delete;
  LoggedInstance& operator=(const LoggedInstance&) = delete;
  AEffect* get() const { return effect_; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
  }

private:
  AEffect* effect_;
};

}  // namespace editor_test
