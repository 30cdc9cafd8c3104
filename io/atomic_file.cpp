// The rules of saving and of reading outside files, the same on every system; the system's own
// calls are in io/platform/.
#include "io/atomic_file.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

#include "io/platform/file_system.h"

namespace korvane {

namespace {

using platform::FileHandle;
using platform::FileKind;
using platform::kNoFile;

constexpr long long kStaleTempSeconds = 3600; // a save never takes an hour
constexpr long kMaxPid = 4194304;             // no process number is higher (Linux's pid_max limit)

// A device, a FIFO or a socket is written as it is: replacing it by a regular file would destroy it.
// Nothing here waits longer than `waitMs` for the other end: a FIFO that no program reads, or whose
// reader stops taking data, fails the save and the window that saves stays alive.
WriteOutcome writeInPlace(const std::string& path, std::string_view bytes, int waitMs) {
    std::string error;
    const FileHandle file = platform::OpenInPlace(path, waitMs, error);
    if (file == kNoFile)
        return {false, "cannot open " + path + ": " + error};
    if (!platform::WriteAll(file, bytes, error, waitMs)) {
        std::string ignored;
        platform::Close(file, ignored);
        return {false, "cannot write " + path + ": " + error};
    }
    if (!platform::Close(file, error))
        return {false, "cannot write " + path + ": " + error};
    return {true, {}};
}

// Whether `name` is a temporary file a save of `target` makes: the target's name, the marker, the
// saving process's number (digits, no leading zero), '-' and the six letters or digits the unique
// name puts in; the process number goes to `pid`. A user's file that merely starts like one is none.
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
    const std::string target = platform::NameOf(path);
    for (const platform::FolderEntry& e : platform::RegularFilesIn(folder, target + std::string(kSaveTempMarker))) {
        long pid = 0;
        if (!isSaveTempOf(e.name, target, pid))
            continue;
        if (pid > kMaxPid || platform::ProcessHasEnded(pid) || e.ageSeconds > kStaleTempSeconds)
            platform::RemoveFile(platform::InFolder(folder, e.name));
    }
}

std::function<void()>& readWaitHook() {
    static std::function<void()> hook;
    return hook;
}

// WaitForData in slices, the hook before each.
bool waitForData(FileHandle file, int waitMs) {
    if (!readWaitHook())
        return platform::WaitForData(file, waitMs);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        readWaitHook()();
        const long long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
        if (platform::WaitForData(file, static_cast<int>(std::clamp<long long>(left, 0, kReadWaitSliceMs))))
            return true;
        if (left <= kReadWaitSliceMs)
            return false;
    }
}

} // namespace

void SetReadWaitHook(std::function<void()> hook) {
    readWaitHook() = std::move(hook);
}

bool IsWriteProtected(const std::string& path) {
    return platform::IsWriteProtected(path);
}

WriteOutcome WriteFileAtomically(const std::string& linkOrPath, std::string_view bytes, int peerWaitMs) {
    if (linkOrPath.empty())
        return {false, "no file name"};
    // The process's own streams are written where they stand: opening "/dev/stdout" anew would empty
    // the file the shell opened to append to, and a pipe has no file to replace.
    FileHandle stream = kNoFile;
    std::string error;
    if (platform::OpenStandardStream(linkOrPath, stream)) {
        if (!platform::WriteAll(stream, bytes, error, peerWaitMs))
            return {false, "cannot write " + linkOrPath + ": " + error};
        return {true, {}};
    }
    // A link that another user planted in a shared folder such as /tmp may point at any file of this
    // user: it is not followed (the rule of the system's protected links).
    std::string owner;
    if (platform::IsLinkOfAnotherUser(linkOrPath, owner))
        return {false, "will not save through " + linkOrPath + ": it is a link that another user (user id " + owner +
                           ") made in the shared folder " + platform::FolderOf(linkOrPath) +
                           "; save under another name"};
    // A symbolic link stays a link: the file it points to is the one replaced.
    std::string path;
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
        return writeInPlace(path, bytes, peerWaitMs);

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

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t limit, std::string& bytes, int peerWaitMs,
                            int overallMs) {
    bytes.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(overallMs);
    std::string error;
    const FileHandle file = platform::OpenForReading(path, error);
    if (file == kNoFile)
        return {false, false, "cannot open the file: " + error};
    std::string ignored;
    if (platform::IsFolder(file)) {
        platform::Close(file, ignored);
        return {false, false, "is a folder, not a file"};
    }
    auto fail = [&](const std::string& reason) {
        platform::Close(file, ignored);
        bytes.clear();
        return ReadOutcome{false, false, reason};
    };
    // A FIFO reads as ended while no program has it open for writing: until one has come, that is
    // waiting, not the end.
    bool writerCame = !platform::IsFifo(file);
    // One byte beyond the limit tells a file that is too large from one that just fits.
    char buf[65536];
    while (bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buf, limit + 1 - bytes.size());
        const long long n = platform::ReadSome(file, buf, want, error);
        if (n > 0) {
            bytes.append(buf, static_cast<std::size_t>(n));
            writerCame = true;
            continue;
        }
        if (n == 0 && writerCame)
            break;
        if (n == -1)
            return fail("cannot read the file: " + error);
        // A FIFO or device that keeps sending a little now and then is not read for ever either.
        const long long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        const std::string tooLong = "it was still sending after " + platform::SecondsText(overallMs) + " (" +
                                    std::to_string(bytes.size()) + " bytes), far longer than a file takes";
        if (left <= 0)
            return fail(tooLong);
        const int wait = static_cast<int>(std::min<long long>(peerWaitMs, left));
        if (!waitForData(file, wait)) {
            if (!writerCame)
                return fail("no program writes to it (waited " + platform::SecondsText(wait) + ")");
            return fail(wait < peerWaitMs ? tooLong : "nothing more arrived for " + platform::SecondsText(peerWaitMs));
        }
        writerCame = true; // data, or a writer that came and went
    }
    platform::Close(file, ignored);
    if (bytes.size() > limit) {
        bytes.clear();
        return {false, true, "the file holds more than " + std::to_string(limit >> 20) + " MB, far more than it can"};
    }
    return {true, false, {}};
}

} // namespace korvane
