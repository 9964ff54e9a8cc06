// A program change while a note sounds or rings out: the old program's voice
// state must not reach the new program's settings, and the switch must not
// cut the sound with a click.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "framework/core/plugin_core.h"
#include "tests/synth/plugin/program_rig.h"

namespace {

using zindle_test::ProgramRig;

constexpr int kNbrPrograms = 64;
constexpr int kOwnPlays = 16;
constexpr double kAllowance = 1.1220184543;  // +1 dB
#ifdef NDEBUG
constexpr int kPairStride = 1;
#else
constexpr int kPairStride = 7;  // unoptimised (sanitizer) builds try every 7th pair
#endif

double db(double x) { return 20.0 * std::log10(std::max(x, 1e-9)); }

struct SwitchCase {
  const char* name;
  int switch_at;  // blocks
  int note_off;
  int length;
};

// About 3 ms per block: a 70 ms note, switched while held or while ringing out.
const SwitchCase kSwitchCases[] = {
    {"while the key is held", 12, 24, 48},
    {"while the note rings out", 30, 24, 48},
};

enum class Switch {
  kNone,
  kProgramChange,
  // The reference: a cleared voice (host reset) that takes the program and
  // the held key afresh, its oscillators running on where they were.
  kResetVoice,
};

// Plays `from` from a cleared voice and switches to `to` at the case's
// block; returns the peak from the switch on.
double play(ProgramRig& rig, int from, int to, const SwitchCase& c, Switch how) {
  rig.dsp.request_reset();
  rig.select(from);
  double peak = 0.0;
  for (int b = 0; b < c.length; ++b) {
    if (b == 0) rig.note_on();
    if (b == c.note_off) rig.note_off();
    if (b == c.switch_at && how == Switch::kProgramChange) rig.select(to);
    if (b == c.switch_at && how == Switch::kResetVoice) {
      rig.dsp.request_reset();
      rig.select(to);
      if (b < c.note_off) {
        rig.note_off();
        rig.note_on();
      }
    }
    const double block_peak = rig.render_block();
    if (b >= c.switch_at || how == Switch::kNone) peak = std::max(peak, block_peak);
  }
  return peak;
}

TEST(ProgramChange, NoPairOfFactoryProgramsPeaksAboveEitherPlayedFresh) {
  ASSERT_EQ(ProgramRig().nbr_programs(), kNbrPrograms);
  for (const SwitchCase& c : kSwitchCases) {
    SCOPED_TRACE(c.name);
    // A program's own peak: the loudest of several plays on a new instance
    // (noise and unrelated oscillators give each play a different peak).
    std::vector<double> fresh(kNbrPrograms);
    for (int p = 0; p < kNbrPrograms; ++p) {
      ProgramRig rig;
      for (int i = 0; i < kOwnPlays; ++i) fresh[p] = std::max(fresh[p], play(rig, p, p, c, Switch::kNone));
    }

    int tried = 0;
    int exceeding = 0;
    double worst = -1e9;
    int worst_from = 0, worst_to = 0;
    for (int from = 0; from < kNbrPrograms; ++from) {
      for (int to = 0; to < kNbrPrograms; ++to) {
        if (from == to || (from * kNbrPrograms + to) % kPairStride != 0) continue;
        ++tried;
        ProgramRig rig;
        const double peak = play(rig, from, to, c, Switch::kProgramChange);
        double allowed = std::max(fresh[from], fresh[to]);
        // The oscillators run on through a change, so a program whose two
        // oscillators stand an octave apart keeps the phase relation the
        // old program left, and with it a waveform of another peak; that
        // program's own peak then is the one it reaches from a voice
        // cleared at the same moment.
        if (peak > allowed * kAllowance) {
          ProgramRig same_start;
          allowed = std::max(allowed, play(same_start, from, to, c, Switch::kResetVoice));
        }
        const double excess = db(peak) - db(allowed);
        if (peak > allowed * kAllowance) ++exceeding;
        if (excess > worst) {
          worst = excess;
          worst_from = from;
          worst_to = to;
        }
      }
    }
    std::printf("%s: %d of %d pairs above +1 dB, worst %+.1f dB (%d then %d)\n", c.name, exceeding,
                tried, worst, worst_from, worst_to);
    EXPECT_EQ(exceeding, 0) << "worst " << worst << " dB, program " << worst_from << " then " << worst_to;
  }
}

// How each way of changing the sound reaches the voice. Three instances
// play a held note of a sustained program; then one changes to a darker
// program through the path under test, one keeps playing (so that the
// fade-out can be compared with the old sound sample by sample) and one
// takes the new values without any announcement.
constexpr int kSustained = 28;  // "Organ Square": the AR holds while the key is down
constexpr int kDarker = 19;

struct PathCase {
  const char* name;
  void (*change)(ProgramRig& rig);
  bool fades;
};

const PathCase kPathCases[] = {
    {"program selection", [](ProgramRig& rig) { rig.select(kDarker); }, true},
    {"bank load",
     [](ProgramRig& rig) {
       ProgramRig other;
       other.select(kDarker);
       std::vector<uint8_t> chunk;
       other.core.get_chunk(false, chunk);
       rig.core.set_chunk(chunk.data(), static_cast<int>(chunk.size()), false);
     },
     true},
    {"a step of a program fade",
     [](ProgramRig& rig) {
       rig.core.apply_program(rig.program(kDarker), mppi::PluginCore::kSourceProgramFade, false, true);
     },
     false},
};

TEST(ProgramChange, AnInstantChangeFadesTheOldSoundOutAndTheNewOneIn) {
  constexpr int fade = 221;  // 5 ms at 44.1 kHz
  for (const PathCase& c : kPathCases) {
    SCOPED_TRACE(c.name);
    ProgramRig changed, kept, direct;
    for (ProgramRig* rig : {&changed, &kept, &direct}) {
      rig->select(kSustained);
      rig->note_on();
      rig->render(8192);
    }
    c.change(changed);
    // The new values without any announcement: what the sound becomes when
    // nothing fades.
    direct.dsp.set_all_param_values(direct.program(kDarker).values.data());
    const std::vector<float> out = changed.render(4096);
    const std::vector<float> old_sound = kept.render(4096);
    const std::vector<float> unfaded = direct.render(4096);
    ASSERT_GT(*std::max_element(old_sound.begin(), old_sound.end()), 0.1f);

    if (!c.fades) {
      EXPECT_EQ(out, unfaded);
      continue;
    }
    // Out: the old sound on its old settings, scaled by a straight ramp
    // that has fallen by 1/221 at the first sample and reaches 0 at the
    // 221st.
    int off_ramp = 0;
    for (int i = 0; i < fade; ++i) {
      const double gain = 1.0 - (i + 1) / double(fade);
      off_ramp += std::fabs(out[i] - old_sound[i] * gain) > 1e-6 * std::fabs(old_sound[i]);
    }
    EXPECT_EQ(off_ramp, 0);
    EXPECT_EQ(out[fade - 1], 0.0f);
    // In: from silence up to the new sound, which the held key starts again.
    double early = 0.0, late = 0.0;
    for (int i = fade; i < fade + fade / 8; ++i) early = std::max(early, double(std::fabs(out[i])));
    for (int i = 2048; i < 4096; ++i) late = std::max(late, double(std::fabs(out[i])));
    EXPECT_GT(late, 0.1) << "the held key sounds on the new program";
    EXPECT_LT(early, 0.2 * late);
  }
}

}  // namespace
