#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace korvane::scpi::testing {

// A blocking loopback client. Reads give up after a generous time so that a broken server fails
// the test instead of hanging it; no test depends on how fast an answer comes.
class Client {
  public:
    explicit Client(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ =
            ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~Client() { Close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Connected() const { return connected_; }

    void Send(const std::string& text) {
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t sent = ::send(fd_, text.data() + done, text.size() - done, MSG_NOSIGNAL);
            if (sent <= 0) {
                return;
            }
            done += static_cast<std::size_t>(sent);
        }
    }

    // One answer line without its '\n'; "<closed>" when the server closed the connection and
    // "<timeout>" when nothing came.
    std::string ReadLine() {
        while (true) {
            std::size_t newline = buffer_.find('\n');
            if (newline != std::string::npos) {
                std::string line = buffer_.substr(0, newline);
                buffer_.erase(0, newline + 1);
                return line;
            }
            pollfd wait{fd_, POLLIN, 0};
            if (::poll(&wait, 1, 20000) <= 0) {
                return "<timeout>";
            }
            char chunk[4096];
            ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
            if (got <= 0) {
                return "<closed>";
            }
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    std::string Query(const std::string& line) {
        Send(line + "\n");
        return ReadLine();
    }

    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

  private:
    int fd_;
    bool connected_ = false;
    std::string buffer_;
};

// A loopback port nobody listens on at the moment, for a server the test starts itself.
inline int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

}  // namespace korvane::scpi::testing
