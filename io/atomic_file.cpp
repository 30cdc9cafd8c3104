#include "io/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

constexpr std::time_t kStaleTempSeconds = 3600; // a save never takes an hour
constexpr long kMaxPid = 4194304;               // no process number is higher (Linux's pid_max limit)

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string errnoText(int err) {
    return std::strerror(err);
}

// The mode of a new file where none is replaced: 0666 less the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all of bytes to fd; false with errno set when it cannot.
bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string secondsText(int ms) {
    const int s = (ms + 999) / 1000;
    return std::to_string(s) + (s == 1 ? " second" : " seconds");
}

// Waits until fd can be read (POLLIN) or written (POLLOUT), or its other end went; false when
// nothing happened for `waitMs`.
bool waitFor(int fd, short events, int waitMs) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = ::poll(&p, 1, waitMs);
        if (r < 0 && errno == EINTR)
            continue;
        return r != 0; // an error of poll shows again in the read or write that follows
    }
}

// While a reader of a FIFO closes it under a write, the write fails with EPIPE instead of the
// signal that would end the program; a signal that was already waiting stays.
class HoldBrokenPipe {
public:
    HoldBrokenPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &old_);
    }
    ~HoldBrokenPipe() {
        if (!wasPending_) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec now{0, 0};
            while (sigtimedwait(&pipe, nullptr, &now) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    HoldBrokenPipe(const HoldBrokenPipe&) = delete;
    HoldBrokenPipe& operator=(const HoldBrokenPipe&) = delete;

private:
    sigset_t old_{};
    bool wasPending_ = false;
};

// A device, a FIFO or a socket is written as it is: replacing it by a regular file would destroy it.
// Nothing here waits longer than `waitMs` for the other end: a FIFO that no program reads, or whose
// reader stops taking data, fails the save and the window that saves stays alive.
WriteOutcome writeInPlace(const std::string& path, std::string_view bytes, int waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    int fd = -1;
    for (;;) {
        fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0 || errno != ENXIO) // ENXIO: a FIFO that no program has open for reading (yet)
            break;
        if (std::chrono::steady_clock::now() >= deadline)
            return {false, "no program reads from " + path + " (waited " + secondsText(waitMs) + ")"};
        ::poll(nullptr, 0, 20);
    }
    if (fd < 0)
        return {false, "cannot open " + path + ": " + errnoText(errno)};
    const HoldBrokenPipe hold;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n >= 0) {
            p += n;
            left -= static_cast<std::size_t>(n);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN && waitFor(fd, POLLOUT, waitMs))
            continue;
        const int err = errno;
        ::close(fd);
        if (err == EAGAIN)
            return {false, "cannot write " + path + ": it took nothing for " + secondsText(waitMs)};
        return {false, "cannot write " + path + ": " + errnoText(err)};
    }
    if (::close(fd) != 0)
        return {false, "cannot write " + path + ": " + errnoText(errno)};
    return {true, {}};
}

// Whether `name` is a temporary file a save of `target` makes: the target's name, the marker, the
// saving process's number (digits, no leading zero), '-' and the six letters or digits mkostemp puts
// in; the process number goes to `pid`. A user's file that merely starts like one is none.
bool isSaveTempOf(const std::string& name, const std::string& target, long& pid) {
    const std::string prefix = target + std::string(kSaveTempMarker);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const std::size_t dash = rest.find('-');
    constexpr std::size_t kUniqueChars = 6;
    constexpr std::size_t kMaxPidDigits = 10;
    if (dash == std::string_view::npos || dash == 0 || dash > kMaxPidDigits || rest[0] == '0' ||
        rest.size() != dash + 1 + kUniqueChars)
        return false;
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetterOrDigit = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!std::all_of(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(dash), isDigit) ||
        !std::all_of(rest.begin() + static_cast<std::ptrdiff_t>(dash) + 1, rest.end(), isLetterOrDigit))
        return false;
    pid = std::stol(std::string(rest.substr(0, dash)));
    return true;
}

// Removes the temporary files of earlier saves of `path` whose process has ended, or that are older
// than any save takes. A temporary file of a save still under way in another process stays.
void removeStaleTemps(const std::string& folder, const std::string& path) {
    const std::string target = nameOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        long pid = 0;
        if (!isSaveTempOf(name, target, pid))
            continue;
        const bool ended = pid > kMaxPid || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
        const std::string file = folder + "/" + name;
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (ended || now - st.st_mtime > kStaleTempSeconds)
            ::unlink(file.c_str());
    }
    ::closedir(dir);
}

} // namespace

bool IsWriteProtected(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false; // a new file
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

WriteOutcome WriteFileAtomically(const std::string& linkOrPath, std::string_view bytes, int peerWaitMs) {
    if (linkOrPath.empty())
        return {false, "no file name"};
    // A symbolic link stays a link: the file it points to is the one replaced.
    std::string path = linkOrPath;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* target = ::realpath(path.c_str(), nullptr);
        if (!target)
            return {false, "cannot follow the link " + path + ": " + errnoText(errno)};
        path = target;
        std::free(target);
    }
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return {false, path + " is a folder, not a file"};
    // The rename would replace a write-protected file whenever the folder is writable.
    if (exists && IsWriteProtected(path))
        return {false, "the file is write-protected"};
    if (exists && !S_ISREG(st.st_mode))
        return writeInPlace(path, bytes, peerWaitMs);

    const std::string folder = folderOf(path);
    removeStaleTemps(folder, path);
    std::string tmpl = path + std::string(kSaveTempMarker) + std::to_string(::getpid()) + "-XXXXXX";
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0)
        return {false, "cannot create a file in " + folder + ": " + errnoText(errno)};

    auto fail = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmpl.c_str());
        return WriteOutcome{false, what + ": " + errnoText(err)};
    };

    if (!writeAll(fd, bytes))
        return fail("cannot write " + path);
    // Owner and group first: changing them may clear the set-id bits the mode then restores. A
    // process that may not give the file away (not root, not the owner) leaves them as they come.
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
        (void)::fchown(fd, st.st_uid, st.st_gid);
    if (::fchmod(fd, exists ? st.st_mode & 07777 : newFileMode()) != 0)
        return fail("cannot set the permissions of " + path);
    if (::fsync(fd) != 0)
        return fail("cannot flush " + path + " to the disk");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return {false, "cannot write " + path + ": " + errnoText(err)};
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return {false, "cannot replace " + path + ": " + errnoText(err)};
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t limit, std::string& bytes, int peerWaitMs) {
    bytes.clear();
    // Not blocking: opening a FIFO would wait for a writer, reading a device for data, without end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return {false, false, "cannot open the file: " + errnoText(errno)};
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (known && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {false, false, "is a folder, not a file"};
    }
    // A FIFO reads as ended while no program has it open for writing: until one has come, that is
    // waiting, not the end.
    bool writerCame = !(known && S_ISFIFO(st.st_mode));
    auto fail = [&](const std::string& reason) {
        ::close(fd);
        bytes.clear();
        return ReadOutcome{false, false, reason};
    };
    // One byte beyond the limit tells a file that is too large from one that just fits.
    char buf[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buf, limit + 1 - bytes.size());
        const ssize_t n = ::read(fd, buf, want);
        if (n > 0) {
            bytes.append(buf, static_cast<std::size_t>(n));
            writerCame = true;
            continue;
        }
        if (n == 0 && writerCame)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return fail("cannot read the file: " + errnoText(errno));
        if (!waitFor(fd, POLLIN, peerWaitMs))
            return fail(writerCame ? "nothing more arrived for " + secondsText(peerWaitMs)
                                   : "no program writes to it (waited " + secondsText(peerWaitMs) + ")");
        writerCame = true; // data, or a writer that came and went
    }
    ::close(fd);
    if (bytes.size() > limit) {
        bytes.clear();
        return {false, true, "the file holds more than " + std::to_string(limit >> 20) + " MB, far more than it can"};
    }
    return {true, false, {}};
}

} // namespace korvane
