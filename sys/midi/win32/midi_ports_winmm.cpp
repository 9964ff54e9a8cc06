#include <windows.h>
#include <mmsystem.h>

#include "sys/midi/midi_ports.h"

namespace sys {
namespace {

struct InTarget {
  MidiInPort::Callback callback = nullptr;
  void* context = nullptr;
};

// Runs on the system's MIDI thread.
void CALLBACK receive_input(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                            DWORD_PTR param2) {
  if (message != MIM_DATA) return;
  const InTarget* target = reinterpret_cast<const InTarget*>(instance);
  target->callback(target->context, static_cast<uint32_t>(param1), static_cast<uint32_t>(param2));
}

}  // namespace

// The client name only matters where the plug-in is a client of its own.
int list_midi_inputs(const std::string& /*client_name*/, std::vector<std::string>& names) {
  names.clear();
  const UINT count = midiInGetNumDevs();
  for (UINT i = 0; i < count; ++i) {
    MIDIINCAPSA caps{};
    if (midiInGetDevCapsA(i, &caps, sizeof caps) != MMSYSERR_NOERROR) return -1;
    names.emplace_back(caps.szPname);
  }
  return 0;
}

int list_midi_outputs(const std::string& /*client_name*/, std::vector<std::string>& names) {
  names.clear();
  const UINT count = midiOutGetNumDevs();
  for (UINT i = 0; i < count; ++i) {
    MIDIOUTCAPSA caps{};
    if (midiOutGetDevCapsA(i, &caps, sizeof caps) != MMSYSERR_NOERROR) return -1;
    names.emplace_back(caps.szPname);
  }
  return 0;
}

// --- Input -------------------------------------------------------------------

struct MidiInPort::Impl {
  HMIDIIN handle = nullptr;
  InTarget target;
};

MidiInPort::MidiInPort(const std::string& /*client_name*/) : impl_(new Impl) {}

MidiInPort::~MidiInPort() {
  close();
  delete impl_;
}

int MidiInPort::open(int index, Callback callback, void* context) {
  close();
  if (index < 0 || callback == nullptr) return -1;
  impl_->target = {callback, context};
  HMIDIIN handle = nullptr;
  if (midiInOpen(&handle, static_cast<UINT>(index), reinterpret_cast<DWORD_PTR>(&receive_input),
                 reinterpret_cast<DWORD_PTR>(&impl_->target), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    return -1;
  }
  if (midiInStart(handle) != MMSYSERR_NOERROR) {
    midiInClose(handle);
    return -1;
  }
  impl_->handle = handle;
  return 0;
}

int MidiInPort::close() {
  if (impl_->handle == nullptr) return 0;
  midiInStop(impl_->handle);
  midiInReset(impl_->handle);
  const MMRESULT rc = midiInClose(impl_->handle);
  if (rc != MMSYSERR_NOERROR) return -1;
  impl_->handle = nullptr;
  return 0;
}

bool MidiInPort::is_open() const { return impl_->handle != nullptr; }

// --- Output ------------------------------------------------------------------

struct MidiOutPort::Impl {
  HMIDIOUT handle = nullptr;
};

MidiOutPort::MidiOutPort(const std::string& /*client_name*/) : impl_(new Impl) {}

MidiOutPort::~MidiOutPort() {
  close();
  delete impl_;
}

int MidiOutPort::open(int index) {
  if (impl_->handle != nullptr) return 0;
  if (index < 0) return -1;
  HMIDIOUT handle = nullptr;
  if (midiOutOpen(&handle, static_cast<UINT>(index), 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return -1;
  impl_->handle = handle;
  return 0;
}

int MidiOutPort::close() {
  if (impl_->handle == nullptr) return 0;
  if (midiOutClose(impl_->handle) != MMSYSERR_NOERROR) return -1;
  impl_->handle = nullptr;
  return 0;
}

bool MidiOutPort::is_open() const { return impl_->handle != nullptr; }

int MidiOutPort::send(uint32_t message) {
  if (impl_->handle == nullptr) return -1;
  return midiOutShortMsg(impl_->handle, static_cast<DWORD>(message)) == MMSYSERR_NOERROR ? 0 : -1;
}

}  // namespace sys
