#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::scpi {

// Point tables as REAL,32 blocks: IEEE 754 single-precision values, most significant byte first,
// or last when `swapped`.

// The values in `bytes`; false when its length is not a whole number of values.
bool DecodeReal32(std::string_view bytes, bool swapped, std::vector<float>& values);

// The definite-length block "#<n><length><bytes>" holding `values`.
std::string EncodeReal32Block(std::span<const float> values, bool swapped);

}  // namespace korvane::scpi
