#pragma once
// MIDI controller bound to each synth parameter (internal index 0..61) when
// the DSP object is initialised.

#include <array>

constexpr int kNbrSynthParams = 62;

constexpr std::array<int, kNbrSynthParams> kDefaultControllers = {
    12, 13, 14,  15,  16,  17,  18,  19,  20,  21,  22,  23,  5,  25, 26,  27,
    24, 1,  11,  28,  29,  75,  76,  77,  78,  80,  81,  73,  72, 82, 8,   113,
    114, 86, 87, 88,  89,  90,  91,  84,  83,  85,  102, 103, 104, 105, 106, 107,
    108, 109, 2, 3,   4,   74,  71,  9,   110, 7,   111, 30,  31,  112};
