// The samples the sound card hands its PCM, in each format a PCM may take.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/device_library/sound_card_sample_format.h"

namespace korvane::test {
namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// One value played, and what the card must get for it in each format.
struct ValueCase {
    const char* name;
    float played;
    float asFloat;
    std::int32_t asInt32;
    std::int16_t asInt16;
};

const ValueCase kValues[] = {
    {"zero", 0.0f, 0.0f, 0, 0},
    {"half", 0.5f, 0.5f, 1 << 30, 1 << 14},
    {"minus_half", -0.5f, -0.5f, -(1 << 30), -(1 << 14)},
    {"quarter", 0.25f, 0.25f, 1 << 29, 1 << 13},
    {"full_scale", 1.0f, 1.0f, kInt32Max, 32767},
    {"minus_full_scale", -1.0f, -1.0f, kInt32Min, -32768},
    {"beyond_full_scale", 1.5f, 1.0f, kInt32Max, 32767},
    {"beyond_minus_full_scale", -7.0f, -1.0f, kInt32Min, -32768},
    {"infinity", kInfinity, 1.0f, kInt32Max, 32767},
    {"minus_infinity", -kInfinity, -1.0f, kInt32Min, -32768},
    {"nan", kNan, 0.0f, 0, 0},
    {"negative_nan", -kNan, 0.0f, 0, 0},
};
constexpr std::size_t kCount = std::size(kValues);

double Expected(const ValueCase& c, SampleFormat format) {
    switch (format) {
        case SampleFormat::Float:
            return c.asFloat;
        case SampleFormat::Int32:
            return c.asInt32;
        case SampleFormat::Int16:
            return c.asInt16;
    }
    return 0.0;
}

// Sample `index` of the converted bytes, as the card reads it; every value of the three formats
// is exact in a double.
double SampleAt(const std::vector<unsigned char>& bytes, SampleFormat format, std::size_t index) {
    const unsigned char* at = bytes.data() + index * static_cast<std::size_t>(SampleBytes(format));
    switch (format) {
        case SampleFormat::Float: {
            float v = 0.0f;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case SampleFormat::Int32: {
            std::int32_t v = 0;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case SampleFormat::Int16: {
            std::int16_t v = 0;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
    }
    return 0.0;
}

// Frame i plays value i on the left and the table's value from the other end on the right, so a
// swapped channel or a shifted frame shows.
std::vector<float> EveryValueOnBothChannels() {
    std::vector<float> frames;
    for (std::size_t i = 0; i < kCount; ++i) {
        frames.push_back(kValues[i].played);
        frames.push_back(kValues[kCount - 1 - i].played);
    }
    return frames;
}

struct FormatCase {
    const char* name;
    SampleFormat format;
    int bytes;
};

class SampleConversion : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SampleConversion, SampleTakesItsFormatsSize) {
    EXPECT_EQ(SampleBytes(GetParam().format), GetParam().bytes);
}

TEST_P(SampleConversion, EachValueReachesTheCardClippedAndNanSilent) {
    const SampleFormat format = GetParam().format;
    const std::vector<float> frames = EveryValueOnBothChannels();
    std::vector<unsigned char> bytes;
    ConvertFrames(frames.data(), static_cast<int>(kCount), format, 2, &bytes);
    ASSERT_EQ(bytes.size(), kCount * 2 * static_cast<std::size_t>(GetParam().bytes));
    for (std::size_t i = 0; i < kCount; ++i) {
        const ValueCase& left = kValues[i];
        const ValueCase& right = kValues[kCount - 1 - i];
        EXPECT_EQ(SampleAt(bytes, format, 2 * i), Expected(left, format)) << "left " << left.name;
        EXPECT_EQ(SampleAt(bytes, format, 2 * i + 1), Expected(right, format))
            << "right " << right.name;
    }
}

TEST_P(SampleConversion, FurtherChannelsAreSilent) {
    const SampleFormat format = GetParam().format;
    const std::vector<float> frames = EveryValueOnBothChannels();
    for (unsigned channels : {3u, 4u}) {
        SCOPED_TRACE(std::to_string(channels) + " channels");
        std::vector<unsigned char> bytes(7, 0xff);  // what was there before is replaced
        ConvertFrames(frames.data(), static_cast<int>(kCount), format, channels, &bytes);
        ASSERT_EQ(bytes.size(), kCount * channels * static_cast<std::size_t>(GetParam().bytes));
        for (std::size_t i = 0; i < kCount; ++i) {
            const std::size_t first = i * channels;
            EXPECT_EQ(SampleAt(bytes, format, first), Expected(kValues[i], format))
                << kValues[i].name;
            EXPECT_EQ(SampleAt(bytes, format, first + 1), Expected(kValues[kCount - 1 - i], format))
                << kValues[kCount - 1 - i].name;
            for (std::size_t extra = 2; extra < channels; ++extra) {
                EXPECT_EQ(SampleAt(bytes, format, first + extra), 0.0)
                    << "channel " << extra << " of frame " << i;
            }
        }
    }
}

TEST_P(SampleConversion, NoFramesGiveNoBytes) {
    std::vector<unsigned char> bytes(16, 0xff);
    ConvertFrames(nullptr, 0, GetParam().format, 2, &bytes);
    EXPECT_TRUE(bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, SampleConversion,
                         ::testing::Values(FormatCase{"float", SampleFormat::Float, 4},
                                           FormatCase{"int32", SampleFormat::Int32, 4},
                                           FormatCase{"int16", SampleFormat::Int16, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::test
