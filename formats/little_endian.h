#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace korvane {

// Fixed-width numbers in little-endian byte order, whatever the host's order.
template <typename T>
using LittleEndianBits =
    std::conditional_t<sizeof(T) == 8, std::uint64_t,
                       std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint16_t>>;

template <typename T>
void PutLittleEndian(std::uint8_t* out, T value) {
    auto bits = std::bit_cast<LittleEndianBits<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

template <typename T>
T GetLittleEndian(const std::uint8_t* in) {
    LittleEndianBits<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |=
            static_cast<LittleEndianBits<T>>(static_cast<LittleEndianBits<T>>(in[i]) << (8 * i));
    }
    return std::bit_cast<T>(bits);
}

}  // namespace korvane
