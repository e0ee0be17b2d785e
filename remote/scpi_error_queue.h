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
    kInvalidBlockData = -161,
    kExecutionError = -200,
    kSettingsConflict = -221,
    kDataOutOfRange = -222,
    kTooMuchData = -223,
    kIllegalParameterValue = -224,
    kOutOfMemory = -225,
    kHardwareMissing = -241,
    kSelfTestFailed = -330,
    kQueueOverflow = -350,
    kInputBufferOverrun = -363,
};

// The text that goes with a standard error number.
std::string_view ErrorText(int code);

// The standard event status bits an error sets by its class: -1xx command, -2xx execution,
// -3xx device-dependent, -4xx query error.
enum EventBit : int {
    kOperationComplete = 1,
    kQueryErrorBit = 4,
    kDeviceErrorBit = 8,
    kExecutionErrorBit = 16,
    kCommandErrorBit = 32,
};
int EventBitOf(int code);

// One client's error queue. It holds at most kCapacity entries; when it is full the newest entry
// is replaced by "Queue overflow", as instruments do, so the oldest errors are kept. Every error
// pushed also sets its class's event bit, kept until taken.
class ErrorQueue {
  public:
    static constexpr std::size_t kCapacity = 16;

    void Push(int code);
    // The oldest entry as `-113,"Undefined header"`, or `0,"No error"` when empty.
    std::string Pop();
    std::size_t Count() const { return entries_.size(); }
    void Clear() { entries_.clear(); }
    // The event bits of the errors pushed since the last call.
    int TakeEvents();

  private:
    std::deque<int> entries_;
    int events_ = 0;
};

}  // namespace korvane::scpi
