#include "remote/scpi_point_block.h"

#include <bit>
#include <cstdint>

namespace korvane::scpi {
namespace {

constexpr std::size_t kValueBytes = 4;

}  // namespace

bool DecodeReal32(std::string_view bytes, bool swapped, std::vector<float>& values) {
    if (bytes.size() % kValueBytes != 0) {
        return false;
    }
    values.clear();
    for (std::size_t at = 0; at < bytes.size(); at += kValueBytes) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < kValueBytes; ++i) {
            const std::size_t significance = swapped ? i : kValueBytes - 1 - i;
            word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]))
                    << (8 * significance);
        }
        values.push_back(std::bit_cast<float>(word));
    }
    return true;
}

std::string EncodeReal32Block(std::span<const float> values, bool swapped) {
    const std::string length = std::to_string(values.size() * kValueBytes);
    std::string block = "#";
    block += std::to_string(length.size());
    block += length;
    for (const float value : values) {
        const auto word = std::bit_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < kValueBytes; ++i) {
            const std::size_t significance = swapped ? i : kValueBytes - 1 - i;
            block.push_back(static_cast<char>((word >> (8 * significance)) & 0xff));
        }
    }
    return block;
}

}  // namespace korvane::scpi
