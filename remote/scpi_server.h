#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <thread>

namespace korvane::scpi {

class Instrument;

// Serves the instrument over raw TCP: one command line per newline (a newline inside a block is
// data), answers the same way. One
// thread waits on every socket with poll(), so a slow, silent or hostile client never holds up
// another; what one client can make the server hold is bounded (its line, its unsent answers,
// and the number of clients).
class Server {
  public:
    static constexpr std::chrono::seconds kDefaultIdleTimeout{600};
    static constexpr std::chrono::seconds kMaxIdleTimeout{365 * 24 *
                                                          3600};  // longer is taken as this
    struct Options {
        std::string bindAddress = "127.0.0.1";  // IPv4, IPv6 or "localhost"
        int port = 5025;                        // 0 picks a free port (see Port)
        // A client that neither sends nor reads for this long, with no line of its own waiting,
        // is told why and disconnected, so that idle connections cannot keep everyone else out.
        // Zero (or less) keeps idle clients for ever.
        std::chrono::seconds idleTimeout = kDefaultIdleTimeout;
    };
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;
    static constexpr std::size_t kMaxClients = 64;
    // A client that does not read its answers gets no further lines run until it has.
    static constexpr std::size_t kMaxUnsentBytes = 1024 * 1024;

    Server(Instrument& instrument, Options options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Opens the listening socket and starts serving; an empty text on success, else the reason.
    std::string Start();
    // Closes every connection and the listening socket; waits for the serving thread.
    void Stop();
    // Whether the last Start failed because another program already listens on the port.
    bool PortInUse() const { return portInUse_; }
    // The port the server listens on, once started.
    int Port() const { return port_; }
    // Whether only this computer can connect (the address is a loopback one), once started.
    bool LoopbackOnly() const { return loopbackOnly_; }

  private:
    void Serve(std::stop_token stop);

    Instrument& instrument_;
    Options options_;
    int listenSocket_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int port_ = 0;
    bool portInUse_ = false;
    bool loopbackOnly_ = true;
    std::jthread thread_;
};

}  // namespace korvane::scpi
