#include "io/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

constexpr std::time_t kStaleTempSeconds = 3600; // a save never takes an hour

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

// A device, a FIFO or a socket is written as it is: replacing it by a regular file would destroy it.
WriteOutcome writeInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {false, "cannot open " + path + ": " + errnoText(errno)};
    if (!writeAll(fd, bytes)) {
        const int err = errno;
        ::close(fd);
        return {false, "cannot write " + path + ": " + errnoText(err)};
    }
    if (::close(fd) != 0)
        return {false, "cannot write " + path + ": " + errnoText(errno)};
    return {true, {}};
}

// Removes the temporary files of earlier saves of `path` whose process has ended, or that are older
// than any save takes. A temporary file of a save still under way in another process stays.
void removeStaleTemps(const std::string& folder, const std::string& path) {
    const std::string prefix = nameOf(path) + std::string(kSaveTempMarker);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        const bool ended = pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
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

WriteOutcome WriteFileAtomically(const std::string& linkOrPath, std::string_view bytes) {
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
        return writeInPlace(path, bytes);

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

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {false, false, "cannot open the file: " + errnoText(errno)};
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {false, false, "is a folder, not a file"};
    }
    // One byte beyond the limit tells a file that is too large from one that just fits.
    char buf[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buf, limit + 1 - bytes.size());
        const ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            return {false, false, "cannot read the file: " + errnoText(err)};
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (bytes.size() > limit) {
        bytes.clear();
        return {false, true, "the file holds more than " + std::to_string(limit >> 20) + " MB, far more than it can"};
    }
    return {true, false, {}};
}

} // namespace korvane
