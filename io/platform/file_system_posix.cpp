// The core's file calls on POSIX systems (Linux).
#include "io/platform/file_system.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane::platform {

namespace {

std::string errnoText(int err) {
    return std::strerror(err);
}

int fdOf(FileHandle file) {
    return static_cast<int>(file);
}

FileHandle opened(int fd, std::string& error) {
    if (fd < 0) {
        error = errnoText(errno);
        return kNoFile;
    }
    return fd;
}

// The mode of a new file where none is replaced: 0666 less the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

} // namespace

std::string SecondsText(int ms) {
    const int s = (ms + 999) / 1000;
    return std::to_string(s) + (s == 1 ? " second" : " seconds");
}

FileKind KindOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FileKind::Missing;
    if (S_ISDIR(st.st_mode))
        return FileKind::Folder;
    return S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Special;
}

bool FollowLink(const std::string& path, std::string& target, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        target = path;
        return true;
    }
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) {
        error = errnoText(errno);
        return false;
    }
    target = real;
    std::free(real);
    return true;
}

bool OpenStandardStream(const std::string& path, FileHandle& stream) {
    int fd = -1;
    if (path == "/dev/stdout") {
        fd = STDOUT_FILENO;
    } else if (path == "/dev/stderr") {
        fd = STDERR_FILENO;
    } else {
        std::string digits;
        for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"})
            if (path.rfind(prefix, 0) == 0)
                digits = path.substr(std::strlen(prefix));
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        fd = std::atoi(digits.c_str());
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY)
        return false; // not open, or not for writing: the name is taken as the system gives it
    stream = fd;
    return true;
}

bool IsLinkOfAnotherUser(const std::string& path, std::string& owner) {
    struct stat link {};
    struct stat folder {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) || ::stat(FolderOf(path).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (!shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid)
        return false;
    owner = std::to_string(link.st_uid);
    return true;
}

bool IsWriteProtected(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false; // a new file
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

FileHandle OpenForReading(const std::string& path, std::string& error) {
    // Not blocking: opening a FIFO would wait for a writer, reading a device for data, without end.
    return opened(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK), error);
}

bool IsFifo(FileHandle file) {
    struct stat st {};
    return ::fstat(fdOf(file), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool WaitForData(FileHandle file, int waitMs) {
    return waitFor(fdOf(file), POLLIN, waitMs);
}

bool IsFolder(FileHandle file) {
    struct stat st {};
    return ::fstat(fdOf(file), &st) == 0 && S_ISDIR(st.st_mode);
}

long long ReadSome(FileHandle file, char* buf, std::size_t size, std::string& error) {
    for (;;) {
        const ssize_t n = ::read(fdOf(file), buf, size);
        if (n >= 0)
            return n;
        if (errno == EAGAIN)
            return kNothingYet;
        if (errno != EINTR) {
            error = errnoText(errno);
            return -1;
        }
    }
}

FileHandle OpenInPlace(const std::string& path, int waitMs, std::string& error) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0 || errno != ENXIO) // ENXIO: a FIFO that no program has open for reading (yet)
            return opened(fd, error);
        if (std::chrono::steady_clock::now() >= deadline) {
            error = "no program reads from it (waited " + SecondsText(waitMs) + ")";
            return kNoFile;
        }
        ::poll(nullptr, 0, 20);
    }
}

FileHandle CreateUniqueFile(const std::string& stem, std::string& path, std::string& error) {
    path = stem + "XXXXXX";
    return opened(::mkostemp(path.data(), O_CLOEXEC), error);
}

bool WriteAll(FileHandle file, std::string_view bytes, std::string& error, int waitMs) {
    const HoldBrokenPipe hold;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fdOf(file), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN && waitFor(fdOf(file), POLLOUT, waitMs))
                continue;
            error = errno == EAGAIN ? "it took nothing for " + SecondsText(waitMs) : errnoText(errno);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool TakeOverAttributes(FileHandle file, const std::string& target, bool replacing, std::string& error) {
    struct stat st {};
    replacing = replacing && ::stat(target.c_str(), &st) == 0;
    // Owner and group first: changing them may clear the set-id bits the mode then restores. A
    // process that may not give the file away (not root, not the owner) leaves them as they come.
    if (replacing && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
        (void)::fchown(fdOf(file), st.st_uid, st.st_gid);
    if (::fchmod(fdOf(file), replacing ? st.st_mode & 07777 : newFileMode()) != 0) {
        error = errnoText(errno);
        return false;
    }
    return true;
}

bool FlushToDisk(FileHandle file, std::string& error) {
    if (::fsync(fdOf(file)) == 0)
        return true;
    error = errnoText(errno);
    return false;
}

bool Close(FileHandle file, std::string& error) {
    if (::close(fdOf(file)) == 0)
        return true;
    error = errnoText(errno);
    return false;
}

bool MoveInPlaceOf(const std::string& from, const std::string& to, bool, std::string& error) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = errnoText(errno);
        return false;
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int dir = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

std::vector<FolderEntry> RegularFilesIn(const std::string& folder, std::string_view prefix) {
    std::vector<FolderEntry> out;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return out;
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        if (std::string_view(e->d_name).substr(0, prefix.size()) != prefix)
            continue;
        struct stat st {};
        if (::lstat(InFolder(folder, e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            out.push_back({e->d_name, static_cast<long long>(now - st.st_mtime)});
    }
    ::closedir(dir);
    return out;
}

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessHasEnded(long pid) {
    return pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

} // namespace korvane::platform
