#pragma once

#include <string>

namespace korvane {

// The outcome of reading or writing a file. `message` is the text to show the user; it is empty
// when the failure is silent (a file that is simply not of this kind) or on success. `reason`
// says why a silent refusal happened, naming the file, for the headless tool.
struct FileResult {
    bool ok = false;
    std::string message;
    std::string reason;

    static FileResult Success() { return {true, {}, {}}; }
    static FileResult Refused(std::string message) { return {false, std::move(message), {}}; }
    static FileResult Silent(std::string reason) { return {false, {}, std::move(reason)}; }
};

}  // namespace korvane
