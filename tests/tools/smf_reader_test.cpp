#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <tuple>
#include <vector>

#include "tools/render/smf_reader.h"

using namespace zindle_render;

namespace {

using Bytes = std::vector<uint8_t>;

void append(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<uint8_t>(b));
}

Bytes chunk(const char* id, const Bytes& body) {
  Bytes out(id, id + 4);
  const size_t n = body.size();
  append(out, {int(n >> 24), int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF)});
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes header(int format, int tracks, int division) {
  return chunk("MThd", {0, uint8_t(format), uint8_t(tracks >> 8), uint8_t(tracks), uint8_t(division >> 8), uint8_t(division)});
}

Bytes smf(int format, int division, const std::vector<Bytes>& tracks) {
  Bytes out = header(format, static_cast<int>(tracks.size()), division);
  for (const Bytes& t : tracks) {
    const Bytes c = chunk("MTrk", t);
    out.insert(out.end(), c.begin(), c.end());
  }
  return out;
}

void expect_sequence(const Bytes& file, const NoteSequence& expected) {
  NoteSequence seq;
  ASSERT_EQ(parse_smf(file.data(), file.size(), seq), "");
  ASSERT_EQ(expected.size(), seq.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(expected[i].seconds, seq[i].seconds, 1e-9) << "message " << i;
    EXPECT_EQ(std::tie(expected[i].status, expected[i].data1, expected[i].data2),
              std::tie(seq[i].status, seq[i].data1, seq[i].data2)) << "message " << i;
  }
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

}  // namespace

TEST(SmfReader, Format0WithRunningStatusAndSkippedEvents) {
  Bytes track;
  append(track, {0x00, 0x91, 60, 100});                      // note on, channel 2
  append(track, {0x30, 64, 90});                             // running status, 48 ticks later
  append(track, {0x00, 0xF0, 0x03, 0x7E, 0x01, 0xF7});       // sysex, skipped
  append(track, {0x00, 0xFF, 0x01, 0x02, 'h', 'i'});         // text, skipped
  append(track, {0x30, 60, 0});                              // running status survives both
  append(track, {0x00, 0xC1, 5, 0x00, 7});                   // program change, one data byte, twice
  append(track, {0x81, 0x00, 0xE1, 0x00, 0x40});             // bend 128 ticks later
  track.insert(track.end(), kEnd.begin(), kEnd.end());
  append(track, {0x00, 0x91, 1, 1});                         // after the end: ignored

  // 96 ticks per quarter at the default 120 bpm: 1/192 s per tick.
  expect_sequence(smf(0, 96, {track}), {{0.0, 0x91, 60, 100}, {0.25, 0x91, 64, 90}, {0.5, 0x91, 60, 0},
                                        {0.5, 0xC1, 5, 0}, {0.5, 0xC1, 7, 0}, {0.5 + 128.0 / 192.0, 0xE1, 0x00, 0x40}});
}

TEST(SmfReader, Format1TempoMapMergedAcrossTracks) {
  Bytes conductor;  // 120 bpm, then 60 bpm at tick 960
  append(conductor, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  append(conductor, {0x87, 0x40, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});
  conductor.insert(conductor.end(), kEnd.begin(), kEnd.end());

  Bytes melody;  // notes at ticks 0, 960, 1440; a tempo change to 240 bpm at 1440
  append(melody, {0x00, 0x90, 60, 100});
  append(melody, {0x87, 0x40, 0x90, 64, 100});
  append(melody, {0x83, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90});
  append(melody, {0x00, 0x90, 67, 100});
  append(melody, {0x83, 0x60, 0x80, 67, 0});  // a quarter at 240 bpm: 0.25 s

  Bytes bass;  // same tick as the melody's first note: keeps track order
  append(bass, {0x00, 0x92, 36, 80});
  append(bass, {0x8B, 0x20, 0x82, 36, 0});  // tick 1440

  // Ticks per quarter 480: 0..960 at 0.5 s/quarter = 1.0 s, then 1 s/quarter.
  expect_sequence(smf(1, 480, {conductor, melody, bass}),
                  {{0.0, 0x90, 60, 100}, {0.0, 0x92, 36, 80}, {1.0, 0x90, 64, 100},
                   {2.0, 0x90, 67, 100}, {2.0, 0x82, 36, 0}, {2.25, 0x80, 67, 0}});
}

// 25 frames of 40 ticks: 1000 ticks per second, whatever the tempo says;
// a chunk of unknown kind is skipped.
TEST(SmfReader, SmpteDivisionAndForeignChunks) {
  Bytes file = header(0, 1, 0xE728);
  const Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,   // tempo
                       0x00, 0x90, 60, 100, 0x83, 0x74, 0x80, 60, 0};  // note off at tick 500
  for (const Bytes& c : {chunk("XFIH", {1, 2, 3}), chunk("MTrk", track)}) file.insert(file.end(), c.begin(), c.end());
  expect_sequence(file, {{0.0, 0x90, 60, 100}, {0.5, 0x80, 60, 0}});
}

// Refused with a reason, leaving the sequence as it was; every prefix of a
// good file is refused too.
TEST(SmfReader, MalformedAndTruncatedFilesAreRefused) {
  const Bytes good_track = {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
  auto with_track = [](const Bytes& body) { return smf(0, 96, {body}); };
  Bytes absurd_chunk = header(0, 1, 96);
  append(absurd_chunk, {'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  Bytes missing_tracks = smf(1, 96, {good_track});
  missing_tracks[11] = 3;

  const std::pair<Bytes, const char*> cases[] = {
      {{}, "no MThd"},
      {smf(2, 96, {good_track}), "format 2"},
      {smf(0, 96, {good_track, good_track}), "exactly one track"},
      {smf(0, 0, {good_track}), "division"},
      {smf(0, 0xE928, {good_track}), "frame rate"},
      {missing_tracks, "1 of 3 tracks"},
      {absurd_chunk, "exceeds the file"},
      {with_track({0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}), "meta event length"},
      {with_track({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 1}), "delta time"},
      {with_track({0x00, 60, 100}), "running status"},
      {with_track({0x00, 0x90, 60, 0x80}), "data byte"},
      {with_track({0x00, 0xF8}), "system message"},
  };
  for (const auto& [file, reason] : cases) {
    NoteSequence seq = {{9.0, 0x90, 1, 2}};
    const std::string error = parse_smf(file.data(), file.size(), seq);
    EXPECT_NE(std::string::npos, error.find(reason)) << reason << ": " << error;
    ASSERT_EQ(1u, seq.size()) << reason;
    EXPECT_EQ(9.0, seq[0].seconds) << reason;
  }

  const Bytes conductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};
  const Bytes notes = {0x00, 0x90, 60, 100, 0x60, 64, 100, 0x83, 0x60, 0x80, 60, 0, 0x00, 0xF0, 0x01, 0xF7};
  const Bytes file = smf(1, 96, {conductor, notes});
  NoteSequence whole;
  ASSERT_EQ(parse_smf(file.data(), file.size(), whole), "");
  for (size_t n = 0; n < file.size(); ++n) {
    const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));  // exact size: overreads show
    NoteSequence seq;
    EXPECT_NE("", parse_smf(prefix.data(), prefix.size(), seq)) << "prefix of " << n << " bytes";
  }
}
