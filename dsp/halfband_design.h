#pragma once
// All-pass coefficients of a polyphase half-band IIR filter (elliptic
// design) for a stopband attenuation in dB and a transition bandwidth as a
// fraction of the input rate. Set-up only: allocates.

#include <vector>

namespace dsp {

std::vector<double> design_halfband_coefs(double attenuation_db, double transition);

}  // namespace dsp
