#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvane::cli {

// Exit statuses shared by every command.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;      // the operation itself failed (a file refused, ...)
inline constexpr int kUsageError = 2;  // unknown command, field or malformed value

struct Command {
    std::string name;
    std::string usage;  // one line for --help
    std::function<int(const std::vector<std::string>& args)> run;
};

// Prints "korvaneawg-cli: MESSAGE" on stderr and returns kUsageError.
int UsageError(const std::string& message);

// Each command file registers its commands with a static Registration object.
std::vector<Command>& Commands();

struct Registration {
    explicit Registration(Command command) { Commands().push_back(std::move(command)); }
};

}  // namespace korvane::cli
