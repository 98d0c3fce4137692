#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

namespace tarsil {

// While alive, no file of this process may grow past `bytes`: a write
// beyond it fails with EFBIG instead of raising SIGXFSZ.  It stands in for
// a full disk and, unlike folder permissions, binds root as well.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit_), 0);
        rlimit small = old_limit_;
        small.rlim_cur = bytes;
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_limit_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_limit_{};
    void (*old_handler_)(int) = nullptr;
};

}  // namespace tarsil
