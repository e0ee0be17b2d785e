#pragma once

namespace korvane {

// The characters an entry field accepts as typed: digits, ".", "-", "+" and backspace. Every
// other character, the control characters of the clipboard shortcuts included, is dropped.
constexpr bool IsEntryCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.' || c == U'-' || c == U'+' || c == U'\b';
}

}  // namespace korvane
