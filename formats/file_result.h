#pragma once

#include <string>

namespace korvane {

// The outcome of reading or writing a file. `message` is the text to show the user; it is empty
// when the failure is silent (a file that is simply not of this kind) or on success.
struct FileResult {
    bool ok = false;
    std::string message;

    static FileResult Success() { return {true, {}}; }
    static FileResult Refused(std::string message = {}) { return {false, std::move(message)}; }
};

}  // namespace korvane
