#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvane::testing {

// The id of a process that has ended (and been reaped), so no process runs under it.
inline pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

}  // namespace korvane::testing
