#pragma once

#include <cstdio>
#include <string>

namespace korvane::testing {

// Runs `command` through the shell and returns its standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char chunk[512];
        while (std::fgets(chunk, sizeof chunk, pipe)) {
            text += chunk;
        }
        ::pclose(pipe);
    }
    return text;
}

}  // namespace korvane::testing
