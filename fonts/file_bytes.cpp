#include "fonts/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tarsil {

std::string ReadAllBytes(int fd) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string bytes = ReadAllBytes(fd);
    ::close(fd);
    return bytes;
}

}  // namespace tarsil
