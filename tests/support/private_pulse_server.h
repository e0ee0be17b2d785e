#pragma once

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace korvane::test {

// A program started in the background with the caller's environment, optionally writing its
// standard output to a file; stopped (SIGTERM, then reaped) when the object goes.
class BackgroundProgram {
  public:
    // Asks for the program's standard output through a pipe, read from OutputPipe().
    struct PipedOutput {};

    BackgroundProgram(std::vector<std::string> arguments, const std::string& outputFile = {}) {
        Spawn(arguments, [&](posix_spawn_file_actions_t& actions) {
            if (!outputFile.empty()) {
                posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                                 O_WRONLY | O_CREAT | O_TRUNC, 0600);
            }
        });
    }
    BackgroundProgram(std::vector<std::string> arguments, PipedOutput) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            return;
        }
        Spawn(arguments, [&](posix_spawn_file_actions_t& actions) {
            posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        });
        close(ends[1]);
        pipe_ = ends[0];
    }
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;
    ~BackgroundProgram() { Stop(); }

    bool Started() const { return pid_ > 0; }
    // The read end of the program's standard output (PipedOutput), else -1.
    int OutputPipe() const { return pipe_; }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        if (pipe_ >= 0) {
            close(pipe_);
            pipe_ = -1;
        }
    }

  private:
    template <typename Redirect>
    void Spawn(std::vector<std::string>& arguments, Redirect redirect) {
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        redirect(actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }

    pid_t pid_ = -1;
    int pipe_ = -1;
};

// A PulseAudio server of the caller's own, its files in `folder`: a null sink playing float
// stereo, reached through a private native-protocol socket. The process's HOME and
// PULSE_* variables point at it, so ALSA's default PCM plays into the sink (libasound2-plugins)
// and parec records the sink's monitor.
class PrivatePulseServer {
  public:
    static constexpr unsigned kRate = 48000;
    static constexpr const char* kPulseAudio = "/usr/bin/pulseaudio";
    static constexpr const char* kParec = "/usr/bin/parec";
    static constexpr const char* kMonitor = "korvane_sink.monitor";

    static bool Installed() { return access(kPulseAudio, X_OK) == 0 && access(kParec, X_OK) == 0; }

    // `sinkRate`: the null sink's sample rate (the recorder takes kRate).
    explicit PrivatePulseServer(const std::filesystem::path& folder, unsigned sinkRate = kRate)
        : socket_(folder / "native"), server_(Launch(folder, socket_, sinkRate)) {}

    // Waits until the server takes connections; false when it did not start.
    bool Ready() const {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (server_.Started() && !std::filesystem::exists(socket_)) {
            if (std::chrono::steady_clock::now() > limit) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return server_.Started();
    }

    // The command recording the sink's monitor as raw interleaved float frames on standard
    // output; `latencyMs` is how much parec may gather before it hands frames on.
    static std::vector<std::string> RecorderCommand(unsigned latencyMs = 0) {
        std::vector<std::string> command{
            kParec, "-d", kMonitor, "--format=float32le", "--rate=48000", "--channels=2", "--raw"};
        if (latencyMs > 0) {
            command.push_back("--latency-msec=" + std::to_string(latencyMs));
        }
        return command;
    }

  private:
    static std::vector<std::string> Launch(const std::filesystem::path& folder,
                                           const std::filesystem::path& socket, unsigned rate) {
        std::ofstream(folder / "server.pa")
            << "load-module module-null-sink sink_name=korvane_sink format=float32le rate=" << rate
            << " channels=2\n"
            << "load-module module-native-protocol-unix socket=" << socket.string()
            << " auth-anonymous=1\n";
        std::ofstream(folder / ".asoundrc")
            << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
        setenv("HOME", folder.c_str(), 1);
        setenv("PULSE_RUNTIME_PATH", (folder / "runtime").c_str(), 1);
        setenv("PULSE_STATE_PATH", (folder / "state").c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
        // ALSA keeps the configuration it read first, which may be another HOME's.
        snd_config_update_free_global();
        return {kPulseAudio,
                "-n",
                "-F",
                (folder / "server.pa").string(),
                "--daemonize=no",
                "--exit-idle-time=-1",
                "--use-pid-file=no"};
    }

    std::filesystem::path socket_;
    BackgroundProgram server_;
};

}  // namespace korvane::test
