#pragma once
// A disk that takes no more than a few bytes per file while this lives, even for root:
// every write of a file past the limit fails as on a full disk.
#include <sys/resource.h>

#include <csignal>

namespace korvant::test {

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 16) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit tiny = previous_;
        tiny.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
};

}  // namespace korvant::test
