#include <cstdarg>

// This ALSA release declares snd_lib_error_set_local outside the header's
// extern "C" block; included first inside one, it gets C linkage.
extern "C" {
#include <alsa/error.h>
}
#include <alsa/asoundlib.h>
#include <poll.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <thread>

#include "sys/midi/midi_ports.h"
#include "sys/resources.h"
#include "sys/tick.h"

namespace sys {
namespace {

constexpr unsigned kReadable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
constexpr unsigned kPortType = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;
constexpr int kPollMs = 50;  // how soon close() is noticed by the input thread

void send_to_debug_output(const char* file, int line, const char* function, int err, const char* format,
                          va_list args) {
  char text[512];
  int used = std::snprintf(text, sizeof text, "ALSA %s:%d (%s): ", file, line, function);
  if (used >= 0 && used < static_cast<int>(sizeof text))
    used += std::vsnprintf(text + used, sizeof text - static_cast<size_t>(used), format, args);
  if (used >= 0 && used < static_cast<int>(sizeof text) && err != 0)
    std::snprintf(text + used, sizeof text - static_cast<size_t>(used), " (error %d)", err);
  debug_output(text);
  debug_output("\n");
}

// ALSA prints its errors on standard error (a missing /dev/snd/seq is one
// of them); while an object of this class lives, this thread's go to our
// debug output instead. ALSA's per-thread handler leaves the host's own
// ALSA use and any handler the host installed untouched, and nothing of
// ours stays installed once the plug-in is unloaded.
class AlsaMessagesToDebugOutput {
public:
  AlsaMessagesToDebugOutput() : previous_(snd_lib_error_set_local(&send_to_debug_output)) {}
  ~AlsaMessagesToDebugOutput() { snd_lib_error_set_local(previous_); }
  AlsaMessagesToDebugOutput(const AlsaMessagesToDebugOutput&) = delete;
  AlsaMessagesToDebugOutput& operator=(const AlsaMessagesToDebugOutput&) = delete;

private:
  snd_local_error_handler_t previous_;
};

struct PortAddress {
  int client;
  int port;
};

// Null when there is no sequencer.
snd_seq_t* open_client(const std::string& name, int streams) {
  snd_seq_t* seq = nullptr;
  if (snd_seq_open(&seq, "default", streams, SND_SEQ_NONBLOCK) < 0) return nullptr;
  snd_seq_set_client_name(seq, name.c_str());
  return seq;
}

// The other clients' ports that have every capability in `caps`, in the
// sequencer's order.
void find_ports(snd_seq_t* seq, unsigned caps, std::vector<std::string>& names,
                std::vector<PortAddress>& addresses) {
  const int self = snd_seq_client_id(seq);
  snd_seq_client_info_t* client = nullptr;
  snd_seq_port_info_t* port = nullptr;
  snd_seq_client_info_alloca(&client);
  snd_seq_port_info_alloca(&port);
  snd_seq_client_info_set_client(client, -1);
  while (snd_seq_query_next_client(seq, client) >= 0) {
    const int id = snd_seq_client_info_get_client(client);
    if (id == self || id == SND_SEQ_CLIENT_SYSTEM) continue;
    snd_seq_port_info_set_client(port, id);
    snd_seq_port_info_set_port(port, -1);
    while (snd_seq_query_next_port(seq, port) >= 0) {
      const unsigned port_caps = snd_seq_port_info_get_capability(port);
      if ((port_caps & caps) != caps || (port_caps & SND_SEQ_PORT_CAP_NO_EXPORT) != 0) continue;
      names.push_back(std::string(snd_seq_client_info_get_name(client)) + ":" +
                      snd_seq_port_info_get_name(port));
      addresses.push_back({id, snd_seq_port_info_get_port(port)});
    }
  }
}

int list_ports(const std::string& client_name, unsigned caps, std::vector<std::string>& names) {
  const AlsaMessagesToDebugOutput quiet;
  names.clear();
  snd_seq_t* seq = open_client(client_name, SND_SEQ_OPEN_DUPLEX);
  if (seq == nullptr) return -1;
  names.push_back(client_name);
  std::vector<PortAddress> addresses;
  find_ports(seq, caps, names, addresses);
  snd_seq_close(seq);
  return 0;
}

// Creates our port and, for index > 0, connects the other client's port.
// Returns the port, or -1.
int make_port(snd_seq_t* seq, const std::string& name, int index, bool input) {
  const int port = snd_seq_create_simple_port(seq, name.c_str(), input ? kWritable : kReadable, kPortType);
  if (port < 0 || index == 0) return port;
  std::vector<std::string> names;
  std::vector<PortAddress> addresses;
  find_ports(seq, input ? kReadable : kWritable, names, addresses);
  if (index > static_cast<int>(addresses.size())) return -1;
  const PortAddress& other = addresses[static_cast<size_t>(index - 1)];
  const int rc = input ? snd_seq_connect_from(seq, port, other.client, other.port)
                       : snd_seq_connect_to(seq, port, other.client, other.port);
  return rc < 0 ? -1 : port;
}

}  // namespace

int list_midi_inputs(const std::string& client_name, std::vector<std::string>& names) {
  return list_ports(client_name, kReadable, names);
}

int list_midi_outputs(const std::string& client_name, std::vector<std::string>& names) {
  return list_ports(client_name, kWritable, names);
}

// --- Input -------------------------------------------------------------------

struct MidiInPort::Impl {
  std::string client_name;
  snd_seq_t* seq = nullptr;
  snd_midi_event_t* decoder = nullptr;
  Callback callback = nullptr;
  void* context = nullptr;
  std::atomic<bool> running{false};
  std::thread thread;

  void release() {
    if (decoder != nullptr) snd_midi_event_free(decoder);
    if (seq != nullptr) snd_seq_close(seq);
    decoder = nullptr;
    seq = nullptr;
  }

  // Splits decoded bytes into short messages; system exclusive and stray
  // data bytes are skipped.
  void deliver(const unsigned char* bytes, long len) {
    long i = 0;
    while (i < len) {
      const int n = midi_message_length(bytes[i]);
      if (n == 0 || i + n > len) {
        ++i;
        continue;
      }
      uint32_t message = bytes[i];
      if (n > 1) message |= static_cast<uint32_t>(bytes[i + 1]) << 8;
      if (n > 2) message |= static_cast<uint32_t>(bytes[i + 2]) << 16;
      callback(context, message, get_tick_ms());
      i += n;
    }
  }

  void run() {
    const AlsaMessagesToDebugOutput quiet;
    const int count = snd_seq_poll_descriptors_count(seq, POLLIN);
    std::vector<pollfd> fds(static_cast<size_t>(count > 0 ? count : 0));
    snd_seq_poll_descriptors(seq, fds.data(), static_cast<unsigned>(fds.size()), POLLIN);
    unsigned char bytes[64];
    while (running.load(std::memory_order_acquire)) {
      if (poll(fds.data(), fds.size(), kPollMs) <= 0) continue;
      snd_seq_event_t* event = nullptr;
      while (snd_seq_event_input(seq, &event) >= 0 && event != nullptr) {
        const long len = snd_midi_event_decode(decoder, bytes, sizeof bytes, event);
        if (len > 0) deliver(bytes, len);
        event = nullptr;
      }
    }
  }
};

MidiInPort::MidiInPort(const std::string& client_name) : impl_(new Impl) {
  impl_->client_name = client_name;
}

MidiInPort::~MidiInPort() {
  close();
  delete impl_;
}

int MidiInPort::open(int index, Callback callback, void* context) {
  close();
  if (index < 0 || callback == nullptr) return -1;
  const AlsaMessagesToDebugOutput quiet;
  impl_->seq = open_client(impl_->client_name, SND_SEQ_OPEN_INPUT);
  if (impl_->seq == nullptr) return -1;
  if (make_port(impl_->seq, impl_->client_name, index, true) < 0 ||
      snd_midi_event_new(64, &impl_->decoder) < 0) {
    impl_->release();
    return -1;
  }
  snd_midi_event_no_status(impl_->decoder, 1);  // every message with its status byte
  impl_->callback = callback;
  impl_->context = context;
  impl_->running.store(true, std::memory_order_release);
  try {
    impl_->thread = std::thread([impl = impl_] { impl->run(); });
  } catch (const std::exception&) {
    impl_->running.store(false);
    impl_->release();
    return -1;
  }
  return 0;
}

int MidiInPort::close() {
  if (impl_->seq == nullptr) return 0;
  const AlsaMessagesToDebugOutput quiet;
  impl_->running.store(false, std::memory_order_release);
  if (impl_->thread.joinable()) impl_->thread.join();
  impl_->release();
  return 0;
}

bool MidiInPort::is_open() const { return impl_->seq != nullptr; }

// --- Output ------------------------------------------------------------------

struct MidiOutPort::Impl {
  std::string client_name;
  snd_seq_t* seq = nullptr;
  snd_midi_event_t* encoder = nullptr;
  int port = -1;

  void release() {
    if (encoder != nullptr) snd_midi_event_free(encoder);
    if (seq != nullptr) snd_seq_close(seq);
    encoder = nullptr;
    seq = nullptr;
    port = -1;
  }
};

MidiOutPort::MidiOutPort(const std::string& client_name) : impl_(new Impl) {
  impl_->client_name = client_name;
}

MidiOutPort::~MidiOutPort() {
  close();
  delete impl_;
}

int MidiOutPort::open(int index) {
  if (impl_->seq != nullptr) return 0;
  if (index < 0) return -1;
  const AlsaMessagesToDebugOutput quiet;
  impl_->seq = open_client(impl_->client_name, SND_SEQ_OPEN_OUTPUT);
  if (impl_->seq == nullptr) return -1;
  impl_->port = make_port(impl_->seq, impl_->client_name, index, false);
  if (impl_->port < 0 || snd_midi_event_new(16, &impl_->encoder) < 0) {
    impl_->release();
    return -1;
  }
  return 0;
}

int MidiOutPort::close() {
  const AlsaMessagesToDebugOutput quiet;
  impl_->release();
  return 0;
}

bool MidiOutPort::is_open() const { return impl_->seq != nullptr; }

// Runs on the audio thread, so it takes no handler of its own: direct
// output reports failures by its result and prints nothing.
int MidiOutPort::send(uint32_t message) {
  if (impl_->seq == nullptr) return -1;
  const unsigned char bytes[3] = {static_cast<unsigned char>(message & 0xff),
                                  static_cast<unsigned char>((message >> 8) & 0x7f),
                                  static_cast<unsigned char>((message >> 16) & 0x7f)};
  const int len = midi_message_length(bytes[0]);
  if (len == 0) return -1;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_midi_event_reset_encode(impl_->encoder);
  if (snd_midi_event_encode(impl_->encoder, bytes, len, &event) != len ||
      event.type == SND_SEQ_EVENT_NONE) {
    return -1;
  }
  snd_seq_ev_set_source(&event, static_cast<unsigned char>(impl_->port));
  snd_seq_ev_set_subs(&event);
  snd_seq_ev_set_direct(&event);
  return snd_seq_event_output_direct(impl_->seq, &event) < 0 ? -1 : 0;
}

}  // namespace sys
