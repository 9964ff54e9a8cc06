#pragma once
// The system's MIDI ports. A short message is packed as
// status | data1 << 8 | data2 << 16 (| data3 << 24 on output).
//
// Linux: the plug-in is a sequencer client with one port named after it.
// Input 0 and output 0 are that port alone, for the user to connect with a
// patchbay; the following entries are the other clients' ports, which
// opening connects to ours. Windows: the multimedia MIDI devices.

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// Both fill `names` (cleared first) and return 0, or -1 when the system
// could not be asked or a port could not be read; the names gathered
// before the failure stay.
int list_midi_inputs(const std::string& client_name, std::vector<std::string>& names);
int list_midi_outputs(const std::string& client_name, std::vector<std::string>& names);

// Bytes a short message with this status byte carries, status included;
// 0 for a data byte or system exclusive.
int midi_message_length(int status);

class MidiInPort {
public:
  // Called on the system's MIDI thread for each short message, with the
  // system's milliseconds. Must not block.
  using Callback = void (*)(void* context, uint32_t message, uint32_t time_ms);

  explicit MidiInPort(const std::string& client_name);
  ~MidiInPort();
  MidiInPort(const MidiInPort&) = delete;
  MidiInPort& operator=(const MidiInPort&) = delete;

  // Closes first when open. 0, or -1 when the system refused.
  int open(int index, Callback callback, void* context);
  // After it returns, the callback is not running and will not run again.
  // 0, or -1 when the system refused.
  int close();
  bool is_open() const;

private:
  struct Impl;
  Impl* impl_;
};

class MidiOutPort {
public:
  explicit MidiOutPort(const std::string& client_name);
  ~MidiOutPort();
  MidiOutPort(const MidiOutPort&) = delete;
  MidiOutPort& operator=(const MidiOutPort&) = delete;

  // Does nothing when already open. 0, or -1 when the system refused.
  int open(int index);
  int close();
  bool is_open() const;
  // 0 sent, -1 refused or not open. Never blocks.
  int send(uint32_t message);

private:
  struct Impl;
  Impl* impl_;
};

}  // namespace sys
