#pragma once
// The patches and the note pattern the whole-voice benchmarks play, both
// through the DSP object and through the loaded plug-in, so their figures
// compare.

#include <utility>
#include <vector>

namespace zindle_bench {

constexpr int kSeconds = 60;
constexpr int kStepSamples = 11025;  // a new step every 0.25 s
constexpr int kGateSamples = 8820;   // keys held for 0.2 s
constexpr int kPatternNotes[] = {48, 55, 60, 67, 52, 64};

// Key i of the pattern goes down at the step start with the next key held
// beside it every other step (both VCOs play), and up after the gate time.
class NotePattern {
public:
  // Calls key(offset, note, down) for each key change in the next `length`
  // samples, in time order, and moves on past them.
  template <class Key>
  void play_block(int length, Key key) {
    const long end = position_ + length;
    while (next_on_ < end || next_off_ < end) {
      if (next_off_ <= next_on_) {
        for (int k = 0; k < held_; ++k) key(next_off_ - position_, held_notes_[k], false);
        held_ = 0;
        next_off_ = kNever;
      } else {
        const int count = (step_ % 2 == 0) ? 2 : 1;
        for (int k = 0; k < count; ++k) {
          held_notes_[k] = kPatternNotes[(step_ + k) % 6];
          key(next_on_ - position_, held_notes_[k], true);
        }
        held_ = count;
        next_off_ = next_on_ + kGateSamples;
        next_on_ += kStepSamples;
        ++step_;
      }
    }
    position_ = end;
  }

private:
  static constexpr long kNever = 0x7fffffffL;

  long position_ = 0;
  long next_on_ = 0;
  long next_off_ = kNever;
  int step_ = 0;
  int held_notes_[2] = {};
  int held_ = 0;
};

using Setting = std::pair<int, double>;  // internal parameter index, natural value

// Both VCOs, ring modulation, noise into the sample-and-hold, resonance 0.9.
inline const std::vector<Setting> kRich = {{47, 0.0}, {50, 1.0}, {51, 0.8}, {52, 0.8}, {45, 1.0},
                                           {46, 0.5}, {44, 0.5}, {54, 0.9}, {53, 2000.0}, {56, 0.3},
                                           {8, 0.2},  {10, 0.1}, {2, 0.4}};
// VCO 2 follows the sample-and-hold mixer at audio rate, sync on.
inline const std::vector<Setting> kHeaviest = {{47, 0.0}, {50, 1.0}, {51, 0.8}, {52, 0.8}, {43, 1.0},
                                               {44, 0.7}, {45, 1.0}, {46, 0.5}, {54, 0.9}, {53, 2000.0},
                                               {56, 0.3}, {5, 0.0},  {9, 0.6},  {40, 1.0}};

inline std::vector<Setting> heaviest_with(std::vector<Setting> extra) {
  std::vector<Setting> s = kHeaviest;
  s.insert(s.end(), extra.begin(), extra.end());
  return s;
}
// The same, and the cutoff follows that signal sample by sample too.
inline const std::vector<Setting> kHeaviestCutoffFm = heaviest_with({{13, 0.0}, {16, 0.3}});
// VCO 2 follows a sample-and-hold mix that hears VCO 2's own pulse.
inline const std::vector<Setting> kVco2Feedback = heaviest_with({{45, 0.0}});

}  // namespace zindle_bench
