#include "io/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string errnoText(int err) {
    return std::strerror(err);
}

// The permissions the new file gets: those of the file it replaces, else the usual ones for a new
// file (0666 less the umask).
mode_t modeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

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
    // The rename would replace a write-protected file whenever the folder is writable.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return {false, "the file is write-protected"};
    const std::string folder = folderOf(path);
    std::string tmpl = path + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return {false, "cannot create a file in " + folder + ": " + errnoText(errno)};

    auto fail = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmpl.c_str());
        return WriteOutcome{false, what + ": " + errnoText(err)};
    };

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("cannot write " + path);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, modeFor(path)) != 0)
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
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        reason = "is a folder, not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = std::string("cannot open the file: ") + errnoText(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = "cannot read the file";
        return false;
    }
    return true;
}

} // namespace korvane
