#include "remote/scpi_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <list>
#include <vector>

#include "remote/scpi_message.h"
#include "remote/scpi_session.h"

namespace korvane::scpi {
namespace {

// While a client's line waits for its channels, the server looks again this often.
constexpr int kWaitingPollMs = 2;
constexpr std::size_t kReadChunk = 16 * 1024;

using Clock = std::chrono::steady_clock;

struct Client {
    Client(int socket, Instrument& instrument)
        : fd(socket), session(instrument), lastActivity(Clock::now()) {}
    ~Client() { ::close(fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    int fd;
    Session session;
    std::string input;
    bool discarding = false;         // inside a line that was too long: drop up to its end
    std::size_t blockBytesLeft = 0;  // of a refused block, dropped before the rest of its line
    std::string unsent;
    bool closed = false;
    Clock::time_point lastActivity;  // the last byte received or sent

    bool WantsInput() const {
        return discarding || blockBytesLeft > 0 || input.size() <= Server::kMaxLineBytes;
    }

    // Drops the bytes of a refused block as they arrive, then the rest of its line; false while
    // bytes of the line are still to come.
    bool DropRefusedInput() {
        const std::size_t dropped = std::min(blockBytesLeft, input.size());
        input.erase(0, dropped);
        blockBytesLeft -= dropped;
        if (blockBytesLeft > 0) {
            return false;
        }
        const std::size_t newline = input.find('\n');
        input.erase(0, newline == std::string::npos ? input.size() : newline + 1);
        discarding = newline == std::string::npos;
        return !discarding;
    }

    // Runs complete lines while the session is free and the answers are being read.
    void RunLines() {
        session.Resume();
        while (true) {
            if (discarding || blockBytesLeft > 0) {
                if (!DropRefusedInput()) {
                    break;
                }
                continue;
            }
            if (session.Busy() || unsent.size() >= Server::kMaxUnsentBytes) {
                break;
            }
            const std::size_t newline = MessageEnd(input);
            if (newline == std::string::npos || newline > Server::kMaxLineBytes) {
                // A block declaring more than a line may hold is refused as soon as its header
                // is here, not after all its bytes; they are dropped as they come.
                if (const std::size_t blockEnd = BlockEndBeyond(input, Server::kMaxLineBytes);
                    blockEnd != 0) {
                    session.ReportOversizedBlock();
                    blockBytesLeft = blockEnd;
                    continue;
                }
                if (newline == std::string::npos && input.size() <= Server::kMaxLineBytes) {
                    break;
                }
                session.ReportInputOverrun();
                discarding = true;
                continue;
            }
            std::string line = input.substr(0, newline);
            input.erase(0, newline + 1);
            session.Submit(std::move(line));
            unsent += session.TakeOutput();
        }
        unsent += session.TakeOutput();
    }

    void Receive() {
        std::array<char, kReadChunk> buffer;
        const ssize_t got = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            closed = true;
            return;
        }
        if (got > 0) {
            input.append(buffer.data(), static_cast<std::size_t>(got));
            lastActivity = Clock::now();
        }
    }

    // Sends what the socket takes, then runs the lines that were held back for it.
    void Send() {
        const ssize_t sent = ::send(fd, unsent.data(), unsent.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                closed = true;
            }
            return;
        }
        if (sent > 0) {
            lastActivity = Clock::now();
        }
        unsent.erase(0, static_cast<std::size_t>(sent));
        RunLines();
    }
};

// How long poll() may sleep before the next client becomes idle: -1 for ever, when no timeout
// is set or there is no client.
int MillisecondsToNextIdle(const std::list<Client>& clients, std::chrono::seconds timeout) {
    if (timeout.count() <= 0 || clients.empty()) {
        return -1;
    }
    const Clock::time_point now = Clock::now();
    auto soonest = Clock::duration::max();
    for (const Client& client : clients) {
        if (!client.session.Busy()) {  // a waiting line is looked at often anyway
            soonest = std::min(soonest, client.lastActivity + timeout - now);
        }
    }
    if (soonest == Clock::duration::max()) {
        return -1;
    }
    // Rounded up, so that the wake-up does not come a moment before the deadline.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(soonest).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 24 * 3600 * 1000));
}

// What an idle client reads before its connection closes.
std::string IdleText(std::chrono::seconds timeout) {
    return "closed: the connection was idle for " + std::to_string(timeout.count()) +
           " s; connect again to go on\n";
}

// A client is idle when nothing was received or sent for `timeout`; a line of its own that
// waits (for *OPC?, say) keeps it active. Each idle client reads, after its unsent answers, one
// line saying why (as much as its socket takes at once), then its connection closes.
void DropIdleClients(std::list<Client>& clients, std::chrono::seconds timeout) {
    const Clock::time_point now = Clock::now();
    for (Client& client : clients) {
        if (client.session.Busy()) {
            client.lastActivity = now;
            continue;
        }
        if (client.closed || now - client.lastActivity < timeout) {
            continue;
        }
        client.unsent += IdleText(timeout);
        [[maybe_unused]] ssize_t ignored = ::send(
            client.fd, client.unsent.data(), client.unsent.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        client.closed = true;
    }
}

// What a client turned away reads before its connection closes.
std::string RefusalText() {
    return "refused: " + std::to_string(Server::kMaxClients) +
           " clients are connected already; try again later\n";
}

// The address to listen on: IPv4 or IPv6 text, or "localhost" for the IPv4 loopback.
bool ResolveAddress(const std::string& text, int port, sockaddr_storage& address, socklen_t& length,
                    bool& loopback) {
    const std::string numeric = text == "localhost" ? "127.0.0.1" : text;
    address = {};
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
    if (::inet_pton(AF_INET, numeric.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<std::uint16_t>(port));
        length = sizeof(sockaddr_in);
        loopback = (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
        return true;
    }
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
    if (::inet_pton(AF_INET6, numeric.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<std::uint16_t>(port));
        length = sizeof(sockaddr_in6);
        loopback = IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr);
        return true;
    }
    return false;
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

}  // namespace

Server::Server(Instrument& instrument, Options options)
    : instrument_(instrument), options_(std::move(options)) {
    options_.idleTimeout = std::min(options_.idleTimeout, kMaxIdleTimeout);
}

Server::~Server() {
    Stop();
}

std::string Server::Start() {
    portInUse_ = false;
    if (options_.port < 0 || options_.port > 65535) {
        return "port " + std::to_string(options_.port) + " is not from 0 to 65535";
    }
    sockaddr_storage address{};
    socklen_t addressLength = 0;
    if (!ResolveAddress(options_.bindAddress, options_.port, address, addressLength,
                        loopbackOnly_)) {
        return "'" + options_.bindAddress + "' is not an IPv4 or IPv6 address nor localhost";
    }
    listenSocket_ = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenSocket_ < 0) {
        return SystemError("socket");
    }
    const int yes = 1;
    ::setsockopt(listenSocket_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(listenSocket_, reinterpret_cast<const sockaddr*>(&address), addressLength) != 0 ||
        ::listen(listenSocket_, SOMAXCONN) != 0) {
        portInUse_ = errno == EADDRINUSE;
        std::string error = SystemError("cannot listen on " + options_.bindAddress + ":" +
                                        std::to_string(options_.port));
        ::close(listenSocket_);
        listenSocket_ = -1;
        return error;
    }
    ::getsockname(listenSocket_, reinterpret_cast<sockaddr*>(&address), &addressLength);
    port_ = ntohs(address.ss_family == AF_INET6
                      ? reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port
                      : reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) {
        std::string error = SystemError("pipe");
        ::close(listenSocket_);
        listenSocket_ = -1;
        return error;
    }
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    thread_ = std::jthread([this](std::stop_token stop) { Serve(stop); });
    return {};
}

void Server::Stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        const char wake = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeWrite_, &wake, 1);
        thread_.join();
    }
    for (int* fd : {&listenSocket_, &wakeRead_, &wakeWrite_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

void Server::Serve(std::stop_token stop) {
    std::list<Client> clients;
    std::vector<pollfd> fds;
    while (!stop.stop_requested()) {
        fds.clear();
        fds.push_back({wakeRead_, POLLIN, 0});
        fds.push_back({listenSocket_, POLLIN, 0});
        bool waiting = false;
        for (Client& client : clients) {
            short events = 0;
            if (client.WantsInput()) {
                events |= POLLIN;
            }
            if (!client.unsent.empty()) {
                events |= POLLOUT;
            }
            waiting = waiting || client.session.Busy();
            fds.push_back({client.fd, events, 0});
        }
        int sleepMs = MillisecondsToNextIdle(clients, options_.idleTimeout);
        if (waiting && (sleepMs < 0 || sleepMs > kWaitingPollMs)) {
            sleepMs = kWaitingPollMs;
        }
        if (::poll(fds.data(), fds.size(), sleepMs) < 0 && errno != EINTR) {
            break;
        }
        if (fds[0].revents != 0) {
            char drain[16];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {
            }
        }
        std::size_t index = 2;
        for (Client& client : clients) {
            const short revents = fds[index++].revents;
            if (revents & (POLLERR | POLLNVAL)) {
                client.closed = true;
                continue;
            }
            if (revents & (POLLIN | POLLHUP)) {
                client.Receive();
            }
            if (!client.closed) {
                client.RunLines();
            }
            if (!client.closed && !client.unsent.empty() && (revents & POLLOUT)) {
                client.Send();
            }
        }
        if (options_.idleTimeout.count() > 0) {
            DropIdleClients(clients, options_.idleTimeout);
        }
        clients.remove_if([](const Client& client) { return client.closed; });
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(listenSocket_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd >= 0) {
                if (clients.size() >= kMaxClients) {
                    // Refused: one line says why (a fresh socket takes it at once), then the
                    // connection closes.
                    const std::string refusal = RefusalText();
                    [[maybe_unused]] ssize_t ignored =
                        ::send(fd, refusal.data(), refusal.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
                    ::close(fd);
                } else {
                    const int yes = 1;
                    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
                    clients.emplace_back(fd, instrument_);
                }
            }
        }
    }
}

}  // namespace korvane::scpi
