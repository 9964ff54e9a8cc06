#include "tools/vsthost/vst_host.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vsthost {

namespace {

using EntryProc = AEffect*(VSTCALLBACK*)(audioMasterCallback);

// Set while an entry point runs, before the descriptor can carry the host.
std::atomic<Plugin*> g_loading{nullptr};
std::mutex g_load_mutex;

VstIntPtr VSTCALLBACK host_callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void* ptr, float opt) {
  Plugin* host = effect && effect->resvd1 ? reinterpret_cast<Plugin*>(effect->resvd1) : g_loading.load();
  if (!host) return opcode == audioMasterVersion ? kVstVersion : 0;
  try {
    return host->on_host_call(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

void copy_bounded(const std::string& text, void* ptr, std::size_t capacity) {
  char* out = static_cast<char*>(ptr);
  const std::size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

std::string folder_of(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

#if defined(_WIN32)
void* open_library(const std::string& path, std::string* reason) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) *reason = "Windows error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}
void* find_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void close_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
void* open_library(const std::string& path, std::string* reason) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* text = dlerror();
    *reason = text ? text : "unknown error";
  }
  return handle;
}
void* find_symbol(void* library, const char* name) { return dlsym(library, name); }
void close_library(void* library) { dlclose(library); }
#endif

}  // namespace

std::unique_ptr<Plugin> Plugin::load(const std::string& path, std::string* error, const HostIdentity& identity) {
  auto fail = [error](const std::string& text) {
    if (error) *error = text;
    return std::unique_ptr<Plugin>();
  };
  if (!std::ifstream(path, std::ios::binary).good()) return fail("plug-in file not found: " + path);

  std::unique_ptr<Plugin> plugin(new Plugin());
  plugin->directory_ = folder_of(path);
  plugin->identity_ = identity;
  std::string reason;
  plugin->library_ = open_library(path, &reason);
  if (!plugin->library_) return fail("cannot load plug-in " + path + ": " + reason);

  void* entry = find_symbol(plugin->library_, "VSTPluginMain");
  if (!entry) entry = find_symbol(plugin->library_, "main");
  if (!entry) return fail("no entry point (VSTPluginMain or main) in " + path);

  AEffect* effect = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_load_mutex);
    g_loading = plugin.get();
    try {
      effect = reinterpret_cast<EntryProc>(entry)(host_callback);
    } catch (...) {
      effect = nullptr;
    }
    if (effect && effect->magic == kEffectMagic) effect->resvd1 = reinterpret_cast<VstIntPtr>(plugin.get());
    g_loading = nullptr;
  }
  if (!effect) return fail("the entry point of " + path + " returned no plug-in");
  if (effect->magic != kEffectMagic) return fail(path + " is not a VST 2 plug-in (bad magic number)");
  plugin->effect_ = effect;
  return plugin;
}

Plugin::~Plugin() { unload(); }

void Plugin::unload() {
  if (effect_) {
    dispatch(effClose);
    effect_ = nullptr;
  }
  if (library_) {
    close_library(library_);
    library_ = nullptr;
  }
}

intptr_t Plugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::get_string(int32_t opcode, int32_t index, std::size_t capacity) {
  // Exactly `capacity` bytes, so that an address sanitizer sees an overrun.
  std::vector<char> buffer(std::max<std::size_t>(capacity, 1), 0);
  dispatch(opcode, index, 0, buffer.data());
  buffer.back() = 0;
  return std::string(buffer.data());
}

void Plugin::start(double sample_rate, int max_block) {
  sample_rate_ = sample_rate;
  max_block_ = max_block;
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sample_rate));
  dispatch(effSetBlockSize, 0, max_block);
  dispatch(effMainsChanged, 0, 1);
}

void Plugin::stop() { dispatch(effMainsChanged, 0, 0); }

void Plugin::set_parameter(int index, float value) { effect_->setParameter(effect_, index, value); }

float Plugin::get_parameter(int index) { return effect_->getParameter(effect_, index); }

intptr_t Plugin::send_midi(const std::vector<MidiMessage>& messages) {
  std::vector<VstMidiEvent> events(messages.size());
  for (std::size_t i = 0; i < messages.size(); ++i) {
    VstMidiEvent& e = events[i];
    e = VstMidiEvent{};
    e.type = kVstMidiType;
    e.byteSize = static_cast<VstInt32>(sizeof(VstMidiEvent));
    e.deltaFrames = messages[i].frame;
    e.midiData[0] = static_cast<char>(messages[i].status);
    e.midiData[1] = static_cast<char>(messages[i].data1);
    e.midiData[2] = static_cast<char>(messages[i].data2);
  }
  // numEvents and reserved take one pointer-sized slot each, then the list.
  std::vector<VstIntPtr> block(2 + std::max<std::size_t>(messages.size(), 2), 0);
  auto* list = reinterpret_cast<VstEvents*>(block.data());
  list->numEvents = static_cast<VstInt32>(messages.size());
  for (std::size_t i = 0; i < events.size(); ++i) list->events[i] = reinterpret_cast<VstEvent*>(&events[i]);
  return dispatch(effProcessEvents, 0, 0, list);
}

void Plugin::process(const std::vector<float*>& inputs, const std::vector<float*>& outputs, int frames) {
  effect_->processReplacing(effect_, const_cast<float**>(inputs.data()), const_cast<float**>(outputs.data()),
                            frames);
  sample_pos_ += frames;
}

std::vector<uint8_t> Plugin::get_chunk(bool program) {
  void* data = nullptr;
  const intptr_t size = dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

intptr_t Plugin::set_chunk(const std::vector<uint8_t>& data, bool program) {
  std::vector<uint8_t> copy = data;  // the plug-in may keep reading it during the call only
  return dispatch(effSetChunk, program ? 1 : 0, static_cast<intptr_t>(copy.size()), copy.data());
}

void Plugin::set_tempo(double bpm) {
  std::lock_guard<std::mutex> lock(mutex_);
  tempo_ = bpm;
}

void Plugin::set_parameter_quantization(int steps) {
  std::lock_guard<std::mutex> lock(mutex_);
  quantization_ = steps;
}

void Plugin::set_time_info_available(bool available) {
  std::lock_guard<std::mutex> lock(mutex_);
  time_available_ = available;
}

HostRecord Plugin::record() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return record_;
}

void Plugin::clear_record() {
  std::lock_guard<std::mutex> lock(mutex_);
  record_ = HostRecord{};
}

intptr_t Plugin::on_host_call(int32_t opcode, int32_t index, intptr_t /*value*/, void* ptr, float opt) {
  std::lock_guard<std::mutex> lock(mutex_);
  switch (opcode) {
    case audioMasterAutomate:
      record_.automations.push_back({index, opt});
      return 1;
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime: {
      if (!time_available_) return 0;
      time_info_ = VstTimeInfo{};
      time_info_.samplePos = sample_pos_;
      time_info_.sampleRate = sample_rate_;
      time_info_.timeSigNumerator = 4;
      time_info_.timeSigDenominator = 4;
      time_info_.flags = kVstTimeSigValid;
      if (tempo_ > 0.0) {
        time_info_.tempo = tempo_;
        time_info_.ppqPos = sample_pos_ / sample_rate_ * tempo_ / 60.0;
        time_info_.flags |= kVstTempoValid | kVstPpqPosValid;
      }
      return reinterpret_cast<intptr_t>(&time_info_);
    }
    case audioMasterProcessEvents: {
      const auto* list = static_cast<const VstEvents*>(ptr);
      if (!list) return 0;
      for (VstInt32 i = 0; i < list->numEvents; ++i) {
        const VstEvent* e = list->events[i];
        if (!e || e->type != kVstMidiType) continue;
        const auto* m = reinterpret_cast<const VstMidiEvent*>(e);
        record_.midi_out.push_back({m->deltaFrames, static_cast<uint8_t>(m->midiData[0]),
                                    static_cast<uint8_t>(m->midiData[1]), static_cast<uint8_t>(m->midiData[2])});
      }
      return 1;
    }
    case audioMasterGetParameterQuantization:
      return quantization_;
    case audioMasterSizeWindow:
      ++record_.size_window_requests;
      return 1;
    case audioMasterGetSampleRate:
      return static_cast<intptr_t>(sample_rate_);
    case audioMasterGetBlockSize:
      return max_block_;
    case audioMasterGetVendorString:
      if (ptr) copy_bounded(identity_.vendor, ptr, kVstMaxVendorStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetProductString:
      if (ptr) copy_bounded(identity_.product, ptr, kVstMaxProductStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
      return 1;
    case audioMasterCanDo: {
      static const char* const can_do[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo",
                                           "receiveVstEvents", "receiveVstMidiEvent"};
      if (!ptr) return 0;
      for (const char* s : can_do) {
        if (std::strcmp(static_cast<const char*>(ptr), s) == 0) return 1;
      }
      return 0;
    }
    case audioMasterGetDirectory:
      return reinterpret_cast<intptr_t>(directory_.c_str());
    case audioMasterUpdateDisplay:
      ++record_.update_displays;
      return 1;
    case audioMasterBeginEdit:
      record_.begin_edits.push_back(index);
      return 1;
    case audioMasterEndEdit:
      record_.end_edits.push_back(index);
      return 1;
    case audioMasterPinConnected:  // 0: connected
    default:
      return 0;
  }
}

}  // namespace vsthost
