#include "fonts/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace tarsil {

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* error, std::string what) {
    if (error != nullptr) *error = std::move(what);
    return false;
}

std::string ErrnoText(int code) {
    return std::strerror(code);
}

// The file that really gets replaced: the end of a chain of links, also
// one that does not exist yet, so that the link itself is kept; else path.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code ec;
    fs::path target = path;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return path;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes, int* code) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            *code = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFileContents(const fs::path& path, std::string_view bytes, std::string* error) {
    if (path.empty()) return Fail(error, "no file name");
    const fs::path target = ResolveTarget(path);

    struct stat old_stat {};
    const bool existed = ::stat(target.c_str(), &old_stat) == 0;
    if (existed && S_ISDIR(old_stat.st_mode)) return Fail(error, ErrnoText(EISDIR));

    std::string temp = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Fail(error, ErrnoText(errno));

    int code = 0;
    bool ok = WriteAll(fd, bytes, &code);
    if (ok && existed) {
        // Keep the owner where we may (only a privileged writer can give a
        // file away); a failure leaves the file ours, which is no loss.
        if (old_stat.st_uid != ::geteuid() || old_stat.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, old_stat.st_uid, old_stat.st_gid);
        }
    }
    if (ok && ::fchmod(fd, existed ? (old_stat.st_mode & 07777) : DefaultFileMode()) != 0) {
        code = errno;
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        code = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Fail(error, ErrnoText(code));
    }
    // Make the rename itself durable; a failure here loses nothing that was
    // there before, so it is not reported.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir_fd >= 0) {
        ::fsync(dir_fd);
        ::close(dir_fd);
    }
    return true;
}

}  // namespace tarsil
