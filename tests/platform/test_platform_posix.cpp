#include "tests/platform/test_platform.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::vector<std::string>* recordedCalls = nullptr; // while FileCallsOf runs
void record(const char* call) {
    if (recordedCalls)
        recordedCalls->emplace_back(call);
}
} // namespace

// The linker hands the program's calls of these to the __wrap_ functions (tests/CMakeLists.txt).
extern "C" {
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);

ssize_t __wrap_write(int fd, const void* data, size_t size) {
    record("write");
    return __real_write(fd, data, size);
}
int __wrap_fsync(int fd) {
    struct stat st {};
    record(::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) ? "fsync folder" : "fsync");
    return __real_fsync(fd);
}
int __wrap_close(int fd) {
    record("close");
    return __real_close(fd);
}
int __wrap_rename(const char* from, const char* to) {
    record("rename");
    return __real_rename(from, to);
}
}

namespace korvane::testing {

std::string WithoutPosixFiles() {
    return {};
}

std::vector<std::string> FileCallsOf(const std::function<void()>& what) {
    std::vector<std::string> calls;
    recordedCalls = &calls;
    what();
    recordedCalls = nullptr;
    return calls;
}

std::vector<SystemFile> SystemFilesToRead(const std::string& folder) {
    MakeFifo(folder + "fifo");
    return {
        {"the null device", "/dev/null", true, false, ""},
        {"a device without end", "/dev/zero", false, true, "more than 1 MB"},
        {"a FIFO that no program writes to", folder + "fifo", false, false, "no program writes to it"},
    };
}

std::vector<SystemFile> SystemFilesToWrite(const std::string&) {
    return {
        {"the null device", "/dev/null", true, false, ""},
        {"a device that takes nothing", "/dev/full", false, false, "/dev/full"},
    };
}

ServedPipe::ServedPipe(const std::string& folder, long count) {
    static int serial = 0;
    path_ = folder + "pipe-" + std::to_string(++serial);
    MakeFifo(path_);
    thread_ = std::thread([this, count] {
        if (count == 0) {
            std::ifstream in(path_, std::ios::binary); // waits for the writer
            taken_.assign(std::istreambuf_iterator<char>(in), {});
            return;
        }
        std::signal(SIGPIPE, SIG_IGN);
        std::ofstream out(path_, std::ios::binary); // waits for the reader
        const std::string chunk(4096, 'x');
        for (long sent = 0; out && (count < 0 || sent < count); sent += static_cast<long>(chunk.size()))
            out.write(chunk.data(), count < 0 ? chunk.size() : std::min<std::size_t>(chunk.size(), count - sent));
    });
}

bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

void WithDefaultPipeSignal(const std::function<void()>& what) {
    const auto before = std::signal(SIGPIPE, SIG_DFL);
    what();
    std::signal(SIGPIPE, before);
}

const unsigned kSomeRights = 0640;
const unsigned kReadOnly = 0444;

unsigned RightsOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool SetRights(const std::string& path, unsigned rights) {
    return ::chmod(path.c_str(), rights) == 0;
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
