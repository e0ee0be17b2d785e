#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace korvane::test {

// A program started in the background with the test's environment, optionally writing its
// standard output to a file; stopped (SIGTERM, then reaped) when the object goes.
class BackgroundProgram {
  public:
    BackgroundProgram(std::vector<std::string> arguments, const std::string& outputFile = {}) {
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!outputFile.empty()) {
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0600);
        }
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;
    ~BackgroundProgram() { Stop(); }

    bool Started() const { return pid_ > 0; }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

  private:
    pid_t pid_ = -1;
};

// The configuration of a PulseAudio server of the test's own: a null sink playing float at
// 48 kHz, and a native-protocol socket in `folder`.
inline std::string PrivatePulseScript(const std::filesystem::path& socket) {
    return "load-module module-null-sink sink_name=korvane_sink format=float32le rate=48000 "
           "channels=2\n"
           "load-module module-native-protocol-unix socket=" +
           socket.string() + " auth-anonymous=1\n";
}

}  // namespace korvane::test
