#pragma once
// SHA-256 of a byte string, as lower-case hex: pins the font files the
// artwork is rendered from.

#include <string>
#include <vector>

namespace artgen {

std::string sha256_hex(const std::vector<unsigned char>& data);

}  // namespace artgen
