#pragma once
// Real-input FFT of a power-of-two length. Spectrum layout: index k
// (0 <= k <= N/2) holds the real part of bin k, index N/2 + k (1 <= k < N/2)
// the imaginary part of bin k. Both transforms are unscaled; rescale()
// multiplies by 1/N. Set-up allocates; the transforms do not.

#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

namespace dsp {

template <typename T>
class FFTReal {
public:
  explicit FFTReal(long length);

  long get_length() const { return length_; }

  // time (N values) -> spectrum (N values, layout above)
  void forward(T* spectrum, const T* time) const;
  // spectrum -> time, without the 1/N factor
  void inverse(T* time, const T* spectrum) const;
  void rescale(T* data) const;

private:
  void transform(bool inverse_dir) const;

  long length_;
  std::vector<long> bit_reverse_;
  std::vector<std::complex<double>> twiddle_;  // e^(-2 pi i k / N), k < N/2
  mutable std::vector<std::complex<double>> work_;
};

template <typename T>
FFTReal<T>::FFTReal(long length) : length_(length) {
  if (length < 2 || (length & (length - 1)) != 0)
    throw std::runtime_error("dsp::FFTReal::FFTReal() : Length must be a power of two.");
  int bits = 0;
  while ((1L << bits) < length) ++bits;
  bit_reverse_.resize(static_cast<size_t>(length));
  for (long i = 0; i < length; ++i) {
    long r = 0;
    for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1L) << (bits - 1 - b);
    bit_reverse_[static_cast<size_t>(i)] = r;
  }
  const double pi = 3.14159265358979323846;
  twiddle_.resize(static_cast<size_t>(length / 2));
  for (long k = 0; k < length / 2; ++k) {
    const double a = -2.0 * pi * static_cast<double>(k) / static_cast<double>(length);
    twiddle_[static_cast<size_t>(k)] = {std::cos(a), std::sin(a)};
  }
  work_.resize(static_cast<size_t>(length));
}

template <typename T>
void FFTReal<T>::transform(bool inverse_dir) const {
  const long n = length_;
  for (long i = 0; i < n; ++i) {
    const long r = bit_reverse_[static_cast<size_t>(i)];
    if (r > i) std::swap(work_[static_cast<size_t>(i)], work_[static_cast<size_t>(r)]);
  }
  for (long half = 1; half < n; half *= 2) {
    const long stride = n / (2 * half);
    for (long start = 0; start < n; start += 2 * half) {
      for (long j = 0; j < half; ++j) {
        std::complex<double> w = twiddle_[static_cast<size_t>(j * stride)];
        if (inverse_dir) w = std::conj(w);
        auto& a = work_[static_cast<size_t>(start + j)];
        auto& b = work_[static_cast<size_t>(start + j + half)];
        const std::complex<double> t = b * w;
        b = a - t;
        a += t;
      }
    }
  }
}

template <typename T>
void FFTReal<T>::forward(T* spectrum, const T* time) const {
  const long n = length_;
  for (long i = 0; i < n; ++i)
    work_[static_cast<size_t>(i)] = {static_cast<double>(time[i]), 0.0};
  transform(false);
  for (long k = 0; k <= n / 2; ++k)
    spectrum[k] = static_cast<T>(work_[static_cast<size_t>(k)].real());
  for (long k = 1; k < n / 2; ++k)
    spectrum[n / 2 + k] = static_cast<T>(work_[static_cast<size_t>(k)].imag());
}

template <typename T>
void FFTReal<T>::inverse(T* time, const T* spectrum) const {
  const long n = length_;
  work_[0] = {static_cast<double>(spectrum[0]), 0.0};
  work_[static_cast<size_t>(n / 2)] = {static_cast<double>(spectrum[n / 2]), 0.0};
  for (long k = 1; k < n / 2; ++k) {
    const std::complex<double> bin(static_cast<double>(spectrum[k]),
                                   static_cast<double>(spectrum[n / 2 + k]));
    work_[static_cast<size_t>(k)] = bin;
    work_[static_cast<size_t>(n - k)] = std::conj(bin);
  }
  transform(true);
  for (long i = 0; i < n; ++i) time[i] = static_cast<T>(work_[static_cast<size_t>(i)].real());
}

template <typename T>
void FFTReal<T>::rescale(T* data) const {
  const T scale = static_cast<T>(1.0 / static_cast<double>(length_));
  for (long i = 0; i < length_; ++i) data[i] *= scale;
}

}  // namespace dsp
