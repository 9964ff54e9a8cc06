#include "tools/render/smf_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace zindle_render {

namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

// Bounds-checked reading over a byte range.
class ByteReader {
public:
  ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t remaining() const { return size_ - pos_; }
  bool at_end() const { return pos_ == size_; }
  bool read_u8(uint8_t& out) {
    if (remaining() < 1) return false;
    out = data_[pos_++];
    return true;
  }
  bool peek_u8(uint8_t& out) const {
    if (remaining() < 1) return false;
    out = data_[pos_];
    return true;
  }
  bool read_be(std::size_t bytes, uint32_t& out) {
    if (remaining() < bytes) return false;
    out = 0;
    for (std::size_t i = 0; i < bytes; ++i) out = (out << 8) | data_[pos_++];
    return true;
  }
  // Variable-length quantity: at most four bytes, 28 bits.
  bool read_vlq(uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b = 0;
      if (!read_u8(b)) return false;
      out = (out << 7) | (b & 0x7Fu);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool skip(std::size_t bytes) {
    if (remaining() < bytes) return false;
    pos_ += bytes;
    return true;
  }
  const uint8_t* here() const { return data_ + pos_; }

private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct TickMessage {
  uint64_t tick;
  TimedMessage message;
};

struct TempoChange {
  uint64_t tick;
  uint32_t micros_per_quarter;
};

int data_bytes_of(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

std::string parse_track(const uint8_t* data, std::size_t size, int track, std::vector<TickMessage>& messages,
                        std::vector<TempoChange>& tempi) {
  const std::string where = "track " + std::to_string(track) + ": ";
  ByteReader in(data, size);
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!in.at_end()) {
    uint32_t delta = 0;
    if (!in.read_vlq(delta)) return where + "bad or truncated delta time";
    tick += delta;
    uint8_t status = 0;
    if (!in.peek_u8(status)) return where + "event missing after delta time";
    if (status & 0x80) {
      in.skip(1);
    } else if (running) {
      status = running;  // running status: the byte is the first data byte
    } else {
      return where + "data byte without a running status";
    }

    if (status == 0xFF) {
      uint8_t type = 0;
      uint32_t length = 0;
      if (!in.read_u8(type) || !in.read_vlq(length)) return where + "truncated meta event";
      if (length > in.remaining()) return where + "meta event length exceeds the track";
      if (type == 0x2F) return "";  // end of track
      if (type == 0x51 && length == 3) {
        const uint8_t* t = in.here();
        const uint32_t micros = (uint32_t(t[0]) << 16) | (uint32_t(t[1]) << 8) | t[2];
        if (micros > 0) tempi.push_back({tick, micros});
      }
      in.skip(length);
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      uint32_t length = 0;
      if (!in.read_vlq(length)) return where + "truncated system exclusive event";
      if (!in.skip(length)) return where + "system exclusive length exceeds the track";
      continue;
    }
    if (status >= 0xF0) return where + "system message not allowed in a file";

    // Channel message. Running status is kept across meta and system
    // exclusive events, as many writers expect.
    running = status;
    uint8_t bytes[2] = {0, 0};
    for (int i = 0; i < data_bytes_of(status); ++i) {
      if (!in.read_u8(bytes[i])) return where + "truncated channel message";
      if (bytes[i] & 0x80) return where + "status byte where a data byte belongs";
    }
    messages.push_back({tick, TimedMessage{0.0, status, bytes[0], bytes[1]}});
  }
  return "";
}

// Seconds of every tick, from the tempo map (ticks per quarter) or from a
// fixed frame rate (SMPTE division).
void assign_seconds(std::vector<TickMessage>& messages, std::vector<TempoChange>& tempi, uint16_t division) {
  if (division & 0x8000) {
    const int fps = -static_cast<int8_t>(division >> 8);
    const double frames_per_second = fps == 29 ? 30000.0 / 1001.0 : fps;
    const double seconds_per_tick = 1.0 / (frames_per_second * (division & 0xFF));
    for (TickMessage& m : messages) m.message.seconds = static_cast<double>(m.tick) * seconds_per_tick;
    return;
  }
  std::stable_sort(tempi.begin(), tempi.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  const double ticks_per_quarter = division;
  std::size_t next = 0;
  uint64_t segment_tick = 0;
  double segment_seconds = 0.0;
  double seconds_per_tick = kDefaultTempo / 1e6 / ticks_per_quarter;
  for (TickMessage& m : messages) {  // sorted by tick
    while (next < tempi.size() && tempi[next].tick <= m.tick) {
      segment_seconds += static_cast<double>(tempi[next].tick - segment_tick) * seconds_per_tick;
      segment_tick = tempi[next].tick;
      seconds_per_tick = tempi[next].micros_per_quarter / 1e6 / ticks_per_quarter;
      ++next;
    }
    m.message.seconds = segment_seconds + static_cast<double>(m.tick - segment_tick) * seconds_per_tick;
  }
}

}  // namespace

std::string parse_smf(const uint8_t* data, std::size_t size, NoteSequence& sequence) {
  ByteReader in(data, size);
  uint32_t id = 0, length = 0, format = 0, tracks = 0, division = 0;
  if (!in.read_be(4, id) || id != 0x4D546864) return "not a Standard MIDI File (no MThd header)";
  if (!in.read_be(4, length) || length < 6 || length > in.remaining()) return "malformed MThd header";
  in.read_be(2, format);
  in.read_be(2, tracks);
  in.read_be(2, division);
  in.skip(length - 6);
  if (format > 1) return "MIDI file format " + std::to_string(format) + " is not supported";
  if (format == 0 && tracks != 1) return "a format 0 MIDI file must hold exactly one track";
  if (division == 0 || ((division & 0x8000) && (division & 0xFF) == 0)) return "MIDI file has no time division";
  if (division & 0x8000) {
    const int fps = -static_cast<int8_t>(division >> 8);
    if (fps != 24 && fps != 25 && fps != 29 && fps != 30) return "MIDI file has an unknown SMPTE frame rate";
  }

  std::vector<TickMessage> messages;
  std::vector<TempoChange> tempi;
  uint32_t found = 0;
  while (found < tracks) {
    uint32_t chunk_id = 0, chunk_length = 0;
    if (!in.read_be(4, chunk_id) || !in.read_be(4, chunk_length)) {
      return "MIDI file ends after " + std::to_string(found) + " of " + std::to_string(tracks) + " tracks";
    }
    if (chunk_length > in.remaining()) return "chunk length exceeds the file (truncated MIDI file)";
    if (chunk_id == 0x4D54726B) {  // MTrk; other chunk types are skipped
      std::vector<TickMessage> track;
      const std::string error = parse_track(in.here(), chunk_length, static_cast<int>(found), track, tempi);
      if (!error.empty()) return error;
      messages.insert(messages.end(), track.begin(), track.end());
      ++found;
    }
    in.skip(chunk_length);
  }

  // Tracks were appended in order, so equal ticks keep track and file order.
  std::stable_sort(messages.begin(), messages.end(),
                   [](const TickMessage& a, const TickMessage& b) { return a.tick < b.tick; });
  assign_seconds(messages, tempi, static_cast<uint16_t>(division));
  sequence.clear();
  sequence.reserve(messages.size());
  for (const TickMessage& m : messages) sequence.push_back(m.message);
  return "";
}

std::string read_smf_file(const std::string& path, NoteSequence& sequence) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot open MIDI file " + path;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string error = parse_smf(bytes.data(), bytes.size(), sequence);
  return error.empty() ? error : path + ": " + error;
}

}  // namespace zindle_render
