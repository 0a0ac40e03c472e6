#pragma once
// A print server address that takes connections and never answers: a
// listening socket on the loopback nobody reads. It tells how many
// connections were made to it, so a test sees whether a window asked the
// print server at all.
#include <QString>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

class SilentPrintServer {
public:
    SilentPrintServer()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0
            || ::listen(fd_, 64) != 0
            || ::getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &len) != 0)
            return;
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
        port_ = ntohs(a.sin_port);
    }
    ~SilentPrintServer()
    {
        for (int c : taken_)
            ::close(c);
        if (fd_ >= 0)
            ::close(fd_);
    }
    SilentPrintServer(const SilentPrintServer &) = delete;
    SilentPrintServer &operator=(const SilentPrintServer &) = delete;

    bool ok() const { return port_ > 0; }
    // host:port, as a CUPS server address.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    // Connections made so far (taken from the queue and held open, never
    // answered).
    int connections()
    {
        for (;;) {
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0)
                break;
            taken_.push_back(c);
        }
        return int(taken_.size());
    }

private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> taken_;
};
