#include "tests/platform/test_platform.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane::testing {

std::string WithoutPosixFiles() {
    return {};
}

bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

void FeedFifo(const std::string& path, long count) {
    std::signal(SIGPIPE, SIG_IGN);
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return;
    const std::string chunk(4096, 'x');
    for (long sent = 0; count < 0 || sent < count;) {
        const std::size_t n = count < 0 ? chunk.size() : std::min<std::size_t>(chunk.size(), count - sent);
        const ssize_t w = ::write(fd, chunk.data(), n);
        if (w <= 0)
            break;
        sent += w;
    }
    ::close(fd);
}

int TakeOneByteAndLeave(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    char one = 0;
    const ssize_t n = ::read(fd, &one, 1);
    ::close(fd);
    return static_cast<int>(n);
}

void WithDefaultPipeSignal(const std::function<void()>& what) {
    const auto before = std::signal(SIGPIPE, SIG_DFL);
    what();
    std::signal(SIGPIPE, before);
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool SetMode(const std::string& path, unsigned mode) {
    return ::chmod(path.c_str(), mode) == 0;
}

Owner OwnerOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? Owner{st.st_uid, st.st_gid} : Owner{};
}

bool GiveTo(const std::string& path, Owner owner) {
    return ::chown(path.c_str(), owner.user, owner.group) == 0;
}

bool IsRoot() {
    return ::geteuid() == 0;
}

void WithFileSizeLimit(long bytes, const std::function<void()>& what) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &small);
    what();
    ::setrlimit(RLIMIT_FSIZE, &old);
}

long LivingProcessId() {
    return static_cast<long>(::getppid());
}

} // namespace korvane::testing
