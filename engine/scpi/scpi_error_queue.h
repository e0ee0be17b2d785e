#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace korvane::scpi {

// The standard error numbers the command layer reports.
enum ErrorCode : int {
    kNoError = 0,
    kCommandError = -100,
    kInvalidCharacter = -101,
    kSyntaxError = -102,
    kInvalidSeparator = -103,
    kDataTypeError = -104,
    kParameterNotAllowed = -108,
    kMissingParameter = -109,
    kUndefinedHeader = -113,
    kHeaderSuffixOutOfRange = -114,
    kNumericDataError = -120,
    kInvalidCharacterInNumber = -121,
    kExponentTooLarge = -123,
    kInvalidSuffix = -131,
    kSuffixNotAllowed = -138,
    kInvalidCharacterData = -141,
    kExecutionError = -200,
    kSettingsConflict = -221,
    kDataOutOfRange = -222,
    kTooMuchData = -223,
    kIllegalParameterValue = -224,
    kOutOfMemory = -225,
    kQueueOverflow = -350,
    kInputBufferOverrun = -363,
};

// The text that goes with a standard error number.
std::string_view ErrorText(int code);

// One client's error queue. It holds at most kCapacity entries; when it is full the newest entry
// is replaced by "Queue overflow", as instruments do, so the oldest errors are kept.
class ErrorQueue {
  public:
    static constexpr std::size_t kCapacity = 16;

    void Push(int code);
    // The oldest entry as `-113,"Undefined header"`, or `0,"No error"` when empty.
    std::string Pop();
    std::size_t Count() const { return entries_.size(); }
    void Clear() { entries_.clear(); }

  private:
    std::deque<int> entries_;
};

}  // namespace korvane::scpi
