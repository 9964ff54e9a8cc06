#pragma once
// The generator's buffers as a bit set: the stages that read them say which
// they need, and the generator writes only those (its oscillators advance
// all the same).

namespace synth {
namespace generator_output {

constexpr unsigned kVco1Saw = 1u << 0;
constexpr unsigned kVco1Square = 1u << 1;
constexpr unsigned kVco2Saw = 1u << 2;
constexpr unsigned kVco2Square = 1u << 3;
// Unread noise is still run, its state being the sound of later runs, but
// its recursion may be handed to the mixer's loop (GeneratorStage::
// deferred_noise).
constexpr unsigned kNoise = 1u << 4;
constexpr unsigned kAll = kVco1Saw | kVco1Square | kVco2Saw | kVco2Square | kNoise;

}  // namespace generator_output
}  // namespace synth
