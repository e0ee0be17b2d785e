#include "remote/scpi_error_queue.h"

namespace korvane::scpi {

std::string_view ErrorText(int code) {
    switch (code) {
        case kNoError:
            return "No error";
        case kCommandError:
            return "Command error";
        case kInvalidCharacter:
            return "Invalid character";
        case kSyntaxError:
            return "Syntax error";
        case kInvalidSeparator:
            return "Invalid separator";
        case kDataTypeError:
            return "Data type error";
        case kParameterNotAllowed:
            return "Parameter not allowed";
        case kMissingParameter:
            return "Missing parameter";
        case kUndefinedHeader:
            return "Undefined header";
        case kHeaderSuffixOutOfRange:
            return "Header suffix out of range";
        case kNumericDataError:
            return "Numeric data error";
        case kInvalidCharacterInNumber:
            return "Invalid character in number";
        case kExponentTooLarge:
            return "Exponent too large";
        case kInvalidSuffix:
            return "Invalid suffix";
        case kSuffixNotAllowed:
            return "Suffix not allowed";
        case kInvalidCharacterData:
            return "Invalid character data";
        case kInvalidBlockData:
            return "Invalid block data";
        case kExecutionError:
            return "Execution error";
        case kSettingsConflict:
            return "Settings conflict";
        case kDataOutOfRange:
            return "Data out of range";
        case kTooMuchData:
            return "Too much data";
        case kIllegalParameterValue:
            return "Illegal parameter value";
        case kOutOfMemory:
            return "Out of memory";
        case kHardwareMissing:
            return "Hardware missing";
        case kSelfTestFailed:
            return "Self-test failed";
        case kQueueOverflow:
            return "Queue overflow";
        case kInputBufferOverrun:
            return "Input buffer overrun";
        default:
            return "Error";
    }
}

int EventBitOf(int code) {
    if (code <= -100 && code > -200) {
        return kCommandErrorBit;
    }
    if (code <= -200 && code > -300) {
        return kExecutionErrorBit;
    }
    if (code <= -300 && code > -400) {
        return kDeviceErrorBit;
    }
    return code <= -400 && code > -500 ? kQueryErrorBit : 0;
}

void ErrorQueue::Push(int code) {
    events_ |= EventBitOf(code);
    if (entries_.size() < kCapacity) {
        entries_.push_back(code);
    } else {
        entries_.back() = kQueueOverflow;
        events_ |= EventBitOf(kQueueOverflow);
    }
}

int ErrorQueue::TakeEvents() {
    const int taken = events_;
    events_ = 0;
    return taken;
}

std::string ErrorQueue::Pop() {
    int code = kNoError;
    if (!entries_.empty()) {
        code = entries_.front();
        entries_.pop_front();
    }
    std::string entry = std::to_string(code);
    entry.append(",\"").append(ErrorText(code)).append("\"");
    return entry;
}

}  // namespace korvane::scpi
