#pragma once
// Text helpers shared by the parameter classes: bounded copies into caller
// buffers, case-insensitive search, number scanning and the two compact
// number formats used for times and beat fractions.

namespace mppi {

// Copies at most len characters of src and always terminates at buf[len - 1];
// a len of 0 or less writes nothing.
void copy_bounded(char* buf, int len, const char* src);

// Appends src at the current end of buf within the remaining length.
void append_bounded(char* buf, int len, const char* src);

// Position of the first occurrence of needle in text, ignoring case, or -1.
int find_no_case(const char* text, const char* needle);

// Reads exactly one number ("%lf"). NaN is refused; infinities pass so that
// the callers' clamps apply.
bool scan_number(const char* txt, double& x);

// Writes x rounded ("%d") when it needs more than width characters as a
// fixed-point number, else "%lf" cut after width characters.
void format_limited(char* buf, int len, double x, int width);

// Writes x as "k", "k p/q" or "p/q" with a small denominator, within len
// characters; buf holds at least len + 1 characters.
void format_fraction(char* buf, double x, int len);

}  // namespace mppi
