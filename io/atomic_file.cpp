// The rules of saving and of reading outside files, the same on every system; the system's own
// calls are in io/platform/.
#include "io/atomic_file.h"

#include <algorithm>
#include <cstdlib>

#include "io/platform/file_system.h"

namespace korvane {

namespace {

using platform::FileHandle;
using platform::FileKind;
using platform::kNoFile;

constexpr long long kStaleTempSeconds = 3600; // a save never takes an hour

// A device, a FIFO or a socket is written as it is: replacing it by a regular file would destroy it.
WriteOutcome writeInPlace(const std::string& path, std::string_view bytes) {
    std::string error;
    const FileHandle file = platform::OpenInPlace(path, error);
    if (file == kNoFile)
        return {false, "cannot open " + path + ": " + error};
    if (!platform::WriteAll(file, bytes, error)) {
        std::string ignored;
        platform::Close(file, ignored);
        return {false, "cannot write " + path + ": " + error};
    }
    if (!platform::Close(file, error))
        return {false, "cannot write " + path + ": " + error};
    return {true, {}};
}

// Removes the temporary files of earlier saves of `path` whose process has ended, or that are older
// than any save takes. A temporary file of a save still under way in another process stays.
void removeStaleTemps(const std::string& folder, const std::string& path) {
    const std::string prefix = platform::NameOf(path) + std::string(kSaveTempMarker);
    for (const platform::FolderEntry& e : platform::RegularFilesIn(folder, prefix)) {
        const long pid = std::strtol(e.name.c_str() + prefix.size(), nullptr, 10);
        if (platform::ProcessHasEnded(pid) || e.ageSeconds > kStaleTempSeconds)
            platform::RemoveFile(platform::InFolder(folder, e.name));
    }
}

} // namespace

bool IsWriteProtected(const std::string& path) {
    return platform::IsWriteProtected(path);
}

WriteOutcome WriteFileAtomically(const std::string& linkOrPath, std::string_view bytes) {
    if (linkOrPath.empty())
        return {false, "no file name"};
    // A symbolic link stays a link: the file it points to is the one replaced.
    std::string path;
    std::string error;
    if (!platform::FollowLink(linkOrPath, path, error))
        return {false, "cannot follow the link " + linkOrPath + ": " + error};
    const FileKind kind = platform::KindOf(path);
    const bool exists = kind != FileKind::Missing;
    if (kind == FileKind::Folder)
        return {false, path + " is a folder, not a file"};
    // The rename would replace a write-protected file whenever the folder is writable.
    if (exists && IsWriteProtected(path))
        return {false, "the file is write-protected"};
    if (kind == FileKind::Special)
        return writeInPlace(path, bytes);

    const std::string folder = platform::FolderOf(path);
    removeStaleTemps(folder, path);
    std::string temp;
    const FileHandle file = platform::CreateUniqueFile(
        path + std::string(kSaveTempMarker) + std::to_string(platform::CurrentProcessId()) + "-", temp, error);
    if (file == kNoFile)
        return {false, "cannot create a file in " + folder + ": " + error};

    auto fail = [&](const std::string& what) {
        std::string ignored;
        platform::Close(file, ignored);
        platform::RemoveFile(temp);
        return WriteOutcome{false, what + ": " + error};
    };
    if (!platform::WriteAll(file, bytes, error))
        return fail("cannot write " + path);
    if (!platform::TakeOverAttributes(file, path, exists, error))
        return fail("cannot set the permissions of " + path);
    if (!platform::FlushToDisk(file, error))
        return fail("cannot flush " + path + " to the disk");
    if (!platform::Close(file, error)) {
        platform::RemoveFile(temp);
        return {false, "cannot write " + path + ": " + error};
    }
    if (!platform::MoveInPlaceOf(temp, path, exists, error)) {
        // Never remove the only copy: where the system lost the old file on the way, the new
        // content stays in the temporary file.
        if (exists && platform::KindOf(path) == FileKind::Missing)
            return {false, "cannot replace " + path + ": " + error + "; the saved content is in " + temp};
        platform::RemoveFile(temp);
        return {false, "cannot replace " + path + ": " + error};
    }
    return {true, {}};
}

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    std::string error;
    const FileHandle file = platform::OpenForReading(path, error);
    if (file == kNoFile)
        return {false, false, "cannot open the file: " + error};
    std::string ignored;
    if (platform::IsFolder(file)) {
        platform::Close(file, ignored);
        return {false, false, "is a folder, not a file"};
    }
    // One byte beyond the limit tells a file that is too large from one that just fits.
    char buf[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buf, limit + 1 - bytes.size());
        const long long n = platform::ReadSome(file, buf, want, error);
        if (n < 0) {
            platform::Close(file, ignored);
            bytes.clear();
            return {false, false, "cannot read the file: " + error};
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    platform::Close(file, ignored);
    if (bytes.size() > limit) {
        bytes.clear();
        return {false, true, "the file holds more than " + std::to_string(limit >> 20) + " MB, far more than it can"};
    }
    return {true, false, {}};
}

} // namespace korvane
