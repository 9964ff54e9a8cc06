#pragma once
// A small VST 2 host for tools and integration tests: loads a plug-in file,
// answers its callback, records what it tells the host, and drives it.
// Build: static library zindle_vsthost, linking ${CMAKE_DL_LIBS}.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/vst2/vst2_abi.h"

namespace vsthost {

struct Automation {
  int index = 0;
  float value = 0.0f;
};

struct MidiMessage {
  int frame = 0;  // position in the next block
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

// What the plug-in has told the host so far.
struct HostRecord {
  std::vector<Automation> automations;
  std::vector<int> begin_edits;
  std::vector<int> end_edits;
  int update_displays = 0;
  int size_window_requests = 0;
  std::vector<MidiMessage> midi_out;  // events the plug-in sent to the host
};

// How the host names itself; plug-ins may ask while they are being built.
struct HostIdentity {
  std::string vendor = "Zindle Test Host";
  std::string product = "vsthost";
};

class Plugin {
public:
  // Null on failure, with the reason in *error.
  static std::unique_ptr<Plugin> load(const std::string& path, std::string* error,
                                      const HostIdentity& identity = HostIdentity());
  // Closes the plug-in and unloads its file.
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  AEffect* effect() const { return effect_; }
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  // An opcode that writes text into a buffer of `capacity` bytes.
  std::string get_string(int32_t opcode, int32_t index = 0, std::size_t capacity = 256);

  // effOpen, sample rate, block size, resume.
  void start(double sample_rate, int max_block);
  void stop();  // suspend

  void set_parameter(int index, float value);
  float get_parameter(int index);

  // Short MIDI messages as one effProcessEvents call; the answer of the plug-in.
  intptr_t send_midi(const std::vector<MidiMessage>& messages);
  // processReplacing with the plug-in's own input and output counts.
  void process(const std::vector<float*>& inputs, const std::vector<float*>& outputs, int frames);

  std::vector<uint8_t> get_chunk(bool program);
  intptr_t set_chunk(const std::vector<uint8_t>& data, bool program);

  // Host side settings the plug-in can ask for; tempo <= 0: no valid tempo.
  void set_tempo(double bpm);
  void set_parameter_quantization(int steps);
  void set_time_info_available(bool available);

  HostRecord record() const;
  void clear_record();

  // The host callback; public for the loader only.
  intptr_t on_host_call(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

private:
  Plugin() = default;
  void unload();

  void* library_ = nullptr;
  AEffect* effect_ = nullptr;
  std::string directory_;
  mutable std::mutex mutex_;
  HostRecord record_;
  HostIdentity identity_;
  int quantization_ = 0;
  bool time_available_ = true;
  double tempo_ = 120.0;
  double sample_rate_ = 44100.0;
  int max_block_ = 512;
  double sample_pos_ = 0.0;
  VstTimeInfo time_info_{};
};

}  // namespace vsthost
