#include "synth/dsp/mixer_stage.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <tuple>

#include "dsp/halfband_design.h"
#include "framework/core/plugin_internal.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/params/param_creator.h"

namespace synth {

namespace {

constexpr float kDenormalGuard = 1e-10f;
constexpr float kInv16384 = 1.0f / 16384.0f;
constexpr float kInv2Pow28 = 1.0f / 268435456.0f;
constexpr double kLn2 = 0.69314718055994530942;
constexpr float kMinCutoff = 16.0f;
constexpr float kStartCutoff = 16000.0f;  // the cutoff parameter's start value
// Deep audio-rate modulation drives the cubic octave curve towards zero;
// the design needs a positive frequency.
constexpr float kMinModulatedCutoff = 1.0f;

bool is_one(double v) { return std::fabs(v - 1.0) <= std::fabs(v) * 1e-9; }
bool is_zero(double v) { return std::fabs(v) * 1e-9 >= std::fabs(v); }
int round_half_up(double v) { return static_cast<int>(std::floor(v + 0.5)); }

}  // namespace

MixerStage::MixerStage() {
  downsampler_.set_coefficients(dsp::design_halfband_coefs(69.0, 0.01));
  hpf_.set_type(dsp::BiquadDesigner::kHighPass);
  hpf_.set_shape(0.70710677f, 1.0f);
  tone_.set_frequency(440.0f);
  cutoff_ramp_.set_target(kStartCutoff);
  cutoff_ramp_.jump_to_target();
  set_sample_rate(sample_rate_);
}

MixerStage::~MixerStage() = default;

void MixerStage::create_params(mppi::PluginInternal& registry) {
  ParamCreator params(registry, {{ParamGroup::kMixerSources, &flag_mixer_},
                                 {ParamGroup::kMixerVcf, &flag_vcf_},
                                 {ParamGroup::kMixerHpf, &flag_hpf_},
                                 {ParamGroup::kMixerVca, &flag_vca_}});
  param_mix_src1_ = params.add<ParamId::kMixSrc1>();
  param_mix_src2_ = params.add<ParamId::kMixSrc2>();
  param_mix_src3_ = params.add<ParamId::kMixSrc3>();
  param_mix1_lvl_ = params.add<ParamId::kMix1Lvl>();
  param_mix2_lvl_ = params.add<ParamId::kMix2Lvl>();
  param_mix3_lvl_ = params.add<ParamId::kMix3Lvl>();
  param_vcf_cutoff_ = params.add<ParamId::kVcfFreq>();
  param_vcf_reso_ = params.add<ParamId::kVcfReso>();
  param_hpf_cutoff_ = params.add<ParamId::kHpfFreq>();
  param_vca_gain_ = params.add<ParamId::kVcaGain>();
  param_vca_env_ = params.add<ParamId::kVcaEnv>();
  param_vca_env_lvl_ = params.add<ParamId::kVcaEnvLvl>();
  param_velo_vca_sens_ = params.add<ParamId::kVeloVcaSens>();
  param_velo_vcf_sens_ = params.add<ParamId::kVeloVcfSens>();
  param_a440_tone_ = params.add<ParamId::kA440Tone>();
}

void MixerStage::set_sample_rate(double rate) {
  sample_rate_ = static_cast<float>(rate);
  cutoff_ramp_.set_sample_rate(sample_rate_);
  vcf_.set_sample_rate(sample_rate_);
  hpf_.set_sample_rate(sample_rate_);
  max_cutoff_ = 0.42f * sample_rate_;
  tone_.set_sample_rate(sample_rate_);
  // Both filters are designed again for the new rate and limit.
  flag_hpf_.raise();
  cutoff_changed_ = true;
}

void MixerStage::set_oversampled(bool oversampled) { oversampled_ = oversampled; }

void MixerStage::set_buffers(const float* noise, const int16_t* vco1_saw,
                             const int16_t* vco1_square, const int16_t* vco2_saw,
                             const int16_t* vco2_square, const float* filter_audio_mod,
                             const float* ar, const float* adsr) {
  noise_ = noise;
  vco1_saw_ = vco1_saw;
  vco1_square_ = vco1_square;
  vco2_saw_ = vco2_saw;
  vco2_square_ = vco2_square;
  filter_audio_mod_ = filter_audio_mod;
  ar_ = ar;
  adsr_ = adsr;
  // Buffer choices depend on these addresses.
  flag_mixer_.raise();
  flag_vca_.raise();
}

void MixerStage::reset() {
  if (param_mix_src1_ != nullptr) update_params();
  std::fill(std::begin(mix_), std::end(mix_), 0.0f);
  downsampler_.clear();
  vcf_.clear();
  hpf_.clear();
  prev_env_level_ = env_level_;
  tone_.reset_phase();
  cutoff_ramp_.jump_to_target();
  cutoff_changed_ = true;
}

float MixerStage::envelope_level() const {
  const double sens = param_velo_vca_sens_->get_val();
  const double level = param_vca_env_lvl_->get_val();
  return static_cast<float>((1.0 + (double(velocity_) * velocity_ - 1.0) * sens) * level);
}

void MixerStage::update_params() {
  if (flag_mixer_.test_and_clear()) {
    src1_is_noise_ = is_one(param_mix_src1_->get_val());
    src2_is_saw_ = !is_zero(param_mix_src2_->get_val());
    src3_is_saw_ = !is_zero(param_mix_src3_->get_val());
    src2_buffer_ = src2_is_saw_ ? vco1_saw_ : vco1_square_;
    src3_buffer_ = src3_is_saw_ ? vco2_saw_ : vco2_square_;
    level1_ = static_cast<float>(param_mix1_lvl_->get_val());
    level2_ = static_cast<float>(param_mix2_lvl_->get_val());
    level3_ = static_cast<float>(param_mix3_lvl_->get_val());
    update_sources_read();
    a440_on_ = is_one(param_a440_tone_->get_val());
  }
  if (flag_vcf_.test_and_clear()) {
    cutoff_ramp_.set_target(static_cast<float>(param_vcf_cutoff_->get_val()));
    vcf_.set_resonance(static_cast<float>(param_vcf_reso_->get_val()));
    velocity_offset_ =
        static_cast<float>(param_velo_vcf_sens_->get_val() * (velocity_ - 1.0) * 3.0);
    cutoff_changed_ = true;
  }
  if (flag_hpf_.test_and_clear()) {
    hpf_.set_cutoff(std::min(static_cast<float>(param_hpf_cutoff_->get_val()), max_cutoff_));
    hpf_.update_coefs();
  }
  if (flag_vca_.test_and_clear()) {
    vca_gain_ = static_cast<float>(param_vca_gain_->get_val());
    env_buffer_ = round_half_up(param_vca_env_->get_val()) != 0 ? adsr_ : ar_;
    env_level_ = envelope_level();
  }
}

void MixerStage::set_velocity(float velocity) {
  velocity_ = velocity;
  if (param_velo_vcf_sens_ == nullptr) return;
  velocity_offset_ = static_cast<float>(param_velo_vcf_sens_->get_val() * (velocity - 1.0) * 3.0);
  env_level_ = envelope_level();
  cutoff_changed_ = true;
}

void MixerStage::set_filter_mod_offset(float octaves) {
  mod_offset_ = octaves;
  cutoff_changed_ = true;
}

void MixerStage::set_filter_audio_mod(float level) {
  // Leaving audio-rate modulation needs an exact design again.
  if (audio_mod_on_ && level == 0.0f) cutoff_changed_ = true;
  audio_mod_level_ = level;
  audio_mod_on_ = level != 0.0f;
}

// What mix reads, decided once per change of the sources.
void MixerStage::update_sources_read() {
  namespace out = generator_output;
  src1_on_ = level1_ > 0.0f && (src1_is_noise_ ? noise_ != nullptr : vco1_square_ && vco2_square_);
  src2_on_ = level2_ > 0.0f && src2_buffer_ != nullptr;
  src3_on_ = level3_ > 0.0f && src3_buffer_ != nullptr;
  outputs_read_ = 0;
  if (src1_on_) outputs_read_ |= src1_is_noise_ ? out::kNoise : out::kVco1Square | out::kVco2Square;
  if (src2_on_) outputs_read_ |= src2_is_saw_ ? out::kVco1Saw : out::kVco1Square;
  if (src3_on_) outputs_read_ |= src3_is_saw_ ? out::kVco2Saw : out::kVco2Square;
}

bool MixerStage::gain_audible() const { return vca_gain_ > 0.004f; }

bool MixerStage::env_gain_audible() const { return env_level_ + prev_env_level_ > 0.004f; }

void MixerStage::mix(float* dst, int count) {
  bool written = false;
  if (src1_on_) {
    if (src1_is_noise_) {
      for (int i = 0; i < count; ++i) dst[i] = noise_[i] * level1_;
    } else {
      for (int i = 0; i < count; ++i) {
        const int product = int(vco1_square_[i]) * int(vco2_square_[i]);
        dst[i] = static_cast<float>(product) * kInv2Pow28 * level1_;
      }
    }
    written = true;
  }
  for (const auto& [buffer, level, on] :
       {std::tuple{src2_buffer_, level2_, src2_on_}, std::tuple{src3_buffer_, level3_, src3_on_}}) {
    if (!on) continue;
    if (written) {
      for (int i = 0; i < count; ++i) dst[i] += static_cast<float>(buffer[i]) * level * kInv16384;
    } else {
      for (int i = 0; i < count; ++i) dst[i] = static_cast<float>(buffer[i]) * level * kInv16384;
    }
    written = true;
  }
  if (!written) {
    std::fill(dst, dst + count, -kDenormalGuard);
    dst[count / 4] += kDenormalGuard;
    dst[count / 2] += kDenormalGuard;
    dst[3 * count / 4] += kDenormalGuard;
  }
  dst[0] += kDenormalGuard;
}

// The cutoff for this run before audio-rate modulation; moves the glide on.
float MixerStage::advance_cutoff(int count) {
  const double base = cutoff_ramp_.value();
  const bool gliding = cutoff_ramp_.is_moving();
  cutoff_ramp_.advance(count);
  const double octaves = static_cast<double>(mod_offset_) + velocity_offset_;
  const float fc_unmodulated = static_cast<float>(base * std::exp(octaves * kLn2));
  if (!(audio_mod_on_ && filter_audio_mod_ != nullptr) && (cutoff_changed_ || gliding)) {
    vcf_.set_cutoff(std::clamp(fc_unmodulated, kMinCutoff, max_cutoff_));
    vcf_.update_coefs();
    cutoff_changed_ = false;
  }
  // The run that ends a glide used the value before its end.
  if (gliding && !cutoff_ramp_.is_moving()) cutoff_changed_ = true;
  return fc_unmodulated;
}

void MixerStage::compute_vca_gains(int count) {
  const float g = vca_gain_;
  const float m = env_level_;
  const float mp = prev_env_level_;
  const float* env = env_buffer_;
  if ((m <= 0.0f && mp <= 0.0f) || env == nullptr) {
    for (int i = 0; i < count; ++i) vca_gains_[i] = g;
  } else if (m == mp) {
    for (int i = 0; i < count; ++i) vca_gains_[i] = env[i] * m + g;
  } else {
    const float step = (m - mp) / static_cast<float>(count);
    float level = mp;
    for (int i = 0; i < count; ++i) {
      vca_gains_[i] = env[i] * level + g;
      level += step;
    }
  }
  prev_env_level_ = m;
}

// Decimator, VCF, HPF and VCA in one loop with their state in locals, so
// that the four independent recursions overlap; a recursion handed in from
// outside runs two samples per output sample among them. Each keeps its own
// order of operations.
template <bool kOversampled, bool kAudioMod, bool kBeside>
void MixerStage::run_chain(float* out, int count, float fc_unmodulated, DeferredRecursion* beside) {
  auto decimator = downsampler_.kernel();
  dsp::LadderVcf::Kernel vcf = kAudioMod ? vcf_.kernel() : vcf_.begin_block();
  dsp::Biquad::Kernel hpf = hpf_.kernel();
  DeferredRecursion side = kBeside ? *beside : DeferredRecursion();
  float* const side_buffer = kBeside ? beside->buffer + beside->done : nullptr;
  float fc = 0.0f;
  // The VCF output of sample i.
  auto filtered = [&](int i) {
    if constexpr (kBeside) {
      side_buffer[2 * i] = side.tick(side_buffer[2 * i]);
      side_buffer[2 * i + 1] = side.tick(side_buffer[2 * i + 1]);
    }
    const float in = kOversampled ? decimator.tick(mix_ + 2 * i) : out[i];
    if constexpr (kAudioMod) {
      const float x = filter_audio_mod_[i * (kOversampled ? 2 : 1)] * audio_mod_level_;
      fc = fc_unmodulated *
           (1.0f + x * (0.6931471824645996f + x * (0.27025482058525085f + x * 0.05550410971045494f)));
      fc = std::max(std::min(fc, max_cutoff_), kMinModulatedCutoff);
      vcf_.retune_fast(vcf, fc);
    }
    return vcf.tick(in);
  };
  // A low cutoff can leave the VCF output an exact constant, which the HPF
  // would otherwise decay into denormals.
  out[0] = hpf.tick(filtered(0) + kDenormalGuard) * vca_gains_[0];
  for (int i = 1; i < count; ++i) out[i] = hpf.tick(filtered(i)) * vca_gains_[i];

  if (kOversampled) downsampler_.store(decimator);
  if constexpr (kAudioMod) {
    vcf_.store_retuned(vcf, fc);
  } else {
    vcf_.store(vcf);
  }
  hpf_.store(hpf);
  if constexpr (kBeside) {
    side.done = beside->done + 2 * count;
    *beside = side;
  }
}

void MixerStage::process(float* out, int count, DeferredRecursion* beside) {
  if (count <= 0) return;
  count = std::min(count, kMaxSamples);
  if (oversampled_) {
    mix(mix_, 2 * count);
  } else {
    mix(out, count);
  }
  const float fc_unmodulated = advance_cutoff(count);
  compute_vca_gains(count);
  const bool audio_mod = audio_mod_on_ && filter_audio_mod_ != nullptr;
  if (oversampled_) {
    // Anything else than exactly this run's doubled samples is left to its owner.
    if (beside != nullptr && beside->done + 2 * count == beside->count) {
      audio_mod ? run_chain<true, true, true>(out, count, fc_unmodulated, beside)
                : run_chain<true, false, true>(out, count, fc_unmodulated, beside);
    } else {
      audio_mod ? run_chain<true, true, false>(out, count, fc_unmodulated, nullptr)
                : run_chain<true, false, false>(out, count, fc_unmodulated, nullptr);
    }
  } else {
    audio_mod ? run_chain<false, true, false>(out, count, fc_unmodulated, nullptr)
              : run_chain<false, false, false>(out, count, fc_unmodulated, nullptr);
  }
}

void MixerStage::add_a440(float* out, int count) {
  if (!a440_on_) return;
  tone_.normalize();
  for (int i = 0; i < count; ++i) {
    out[i] += 0.5f * tone_.get_sin();
    tone_.step();
  }
}

}  // namespace synth
