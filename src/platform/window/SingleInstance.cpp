// SingleInstance.cpp -- a machine-wide name held through an abstract-namespace socket.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/window/Window.h"

namespace platform {

// Binding an abstract unix socket name succeeds for one socket at a time, and
// the kernel frees the name when the holder exits, however it ends.
bool SingleInstance::Acquire(const std::string& name) {
    if (fd_ >= 0) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const size_t len = std::min(name.size(), sizeof addr.sun_path - 1);
    std::memcpy(addr.sun_path + 1, name.data(), len);  // sun_path[0] = 0: abstract
    const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), size) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SingleInstance::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace platform
