#include "framework/params/param_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace mppi {

void copy_bounded(char* buf, int len, const char* src) {
  if (len <= 0) return;
  int i = 0;
  while (i < len - 1 && src[i] != '\0') {
    buf[i] = src[i];
    ++i;
  }
  buf[i] = '\0';
  buf[len - 1] = '\0';
}

void append_bounded(char* buf, int len, const char* src) {
  if (len <= 0) return;
  const int used = static_cast<int>(strnlen(buf, static_cast<size_t>(len)));
  if (used >= len) {
    buf[len - 1] = '\0';
    return;
  }
  copy_bounded(buf + used, len - used, src);
}

int find_no_case(const char* text, const char* needle) {
  const auto fold = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  for (int pos = 0; text[pos] != '\0'; ++pos) {
    int k = 0;
    while (needle[k] != '\0' && fold(text[pos + k]) == fold(needle[k])) ++k;
    if (needle[k] == '\0') return pos;
  }
  return needle[0] == '\0' ? 0 : -1;
}

bool scan_number(const char* txt, double& x) {
  if (txt == nullptr) return false;
  double v = 0.0;
  if (std::sscanf(txt, "%lf", &v) != 1 || std::isnan(v)) return false;
  x = v;
  return true;
}

void format_limited(char* buf, int len, double x, int width) {
  const double limit = std::pow(10.0, width);
  char txt[400];
  if (x >= limit / 100.0 - 0.5 || x <= 0.5 - limit / 1000.0) {
    // Printed through "%.0f" so that huge values cannot overflow an int.
    std::snprintf(txt, sizeof(txt), "%.0f", std::floor(x + 0.5));
  } else {
    std::snprintf(txt, sizeof(txt), "%lf", x);
    if (width >= 0 && width < static_cast<int>(sizeof(txt))) txt[width] = '\0';
  }
  copy_bounded(buf, len, txt);
}

namespace {

int count_digits(int k) {
  int digits = 1;
  while (k >= 10) {
    k /= 10;
    ++digits;
  }
  return digits;
}

int digit_bound(int digits) {
  int bound = 1;
  for (int i = 0; i < digits; ++i) bound *= 10;
  return bound - 1;
}

}  // namespace

void format_fraction(char* buf, double x, int len) {
  static constexpr int kDenominators[] = {2,  3,  4,  5,  6,  7,  8,  9,   10,  12, 14,
                                          16, 20, 24, 32, 48, 64, 96, 128, 192, 256};
  // Keeps the integer part within int range; beat counts are far smaller.
  if (!(x >= 0.0)) x = 0.0;
  if (x > 1e8) x = 1e8;
  x *= 1.00001;
  const int k = static_cast<int>(std::floor(x));
  const double f = x - k;

  // The space after a written integer part counts as one of its characters.
  const int int_chars = (k >= 1) ? count_digits(k) + 1 : 0;
  int half = (len - int_chars - 1) / 2;
  if (half < 0) half = 0;
  if (half > 4) half = 4;
  const int bound = digit_bound(half);

  int best_p = 0;
  int best_q = 1;
  double best_err = f;
  for (int q : kDenominators) {
    const int p = static_cast<int>(std::floor(f * q + 0.5));
    if (p > bound || q > bound) break;
    const double err = std::fabs(f - static_cast<double>(p) / q);
    if (err < best_err) {
      best_err = err;
      best_p = p;
      best_q = q;
    }
  }

  char txt[64];
  if (best_p == best_q) {
    std::snprintf(txt, sizeof(txt), "%d", k + 1);
  } else if (best_p > 0 && k >= 1) {
    std::snprintf(txt, sizeof(txt), "%d %d/%d", k, best_p, best_q);
  } else if (best_p > 0) {
    std::snprintf(txt, sizeof(txt), "%d/%d", best_p, best_q);
  } else {
    std::snprintf(txt, sizeof(txt), "%d", k);
  }
  copy_bounded(buf, len + 1, txt);
}

}  // namespace mppi
