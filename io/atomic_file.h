#pragma once
// Replacing a file without ever leaving it half written: the new content goes to a temporary file
// in the same folder, is flushed to the disk and then renamed over the old file. Until the rename
// the old file is untouched; when anything fails the temporary file is removed and the reason is
// returned. A write-protected file is refused and left as it is; a symbolic link is followed, so
// the link stays and the file it points to takes the new content. Only a regular file is ever
// replaced: a device or a FIFO is written in place. The new file keeps the old one's mode, owner
// and group (owner and group where the process may set them). The process's own streams
// ("/dev/stdout", "/dev/stderr", "/dev/fd/N") are written where they stand, never opened anew. A link
// that another user made in a shared sticky folder (/tmp) is refused, not followed.
//
// Every file that comes from outside (configuration files, captures of the unit's answer, language
// and help files) is read through one bounded reader, whatever kind of file it is: a device or a
// pipe that never ends is read no further than the limit.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korvane {

struct WriteOutcome {
    bool ok = false;
    std::string reason; // empty when ok
};

// How long a FIFO or a device may keep a read or a write waiting for its other end (a program that
// opens it, or sends or takes the next bytes) before it fails: never longer, so a window stays alive.
constexpr int kPeerWaitMs = 3000;

WriteOutcome WriteFileAtomically(const std::string& path, std::string_view bytes, int peerWaitMs = kPeerWaitMs);

// The temporary files of a save are named after their target: "house.zeb" saves through
// "house.zeb.korvane-save-<process>-XXXXXX". A save removes those of its target that a process that
// has ended left behind (a save that was killed): only files named exactly so, never a user's file
// that merely starts like one ("house.zeb.korvane-save-notes.txt").
constexpr std::string_view kSaveTempMarker = ".korvane-save-";

// Whether a file counts as write-protected: it carries no write permission at all, or this process
// may not write it. Root may write anything, yet a file without write permission is protected for it too.
bool IsWriteProtected(const std::string& path);

// The most bytes read from an outside file of each kind.
constexpr std::size_t kConfigFileLimit = std::size_t{4} << 20;  // a configuration file is about 25 KB
constexpr std::size_t kCaptureFileLimit = std::size_t{4} << 20; // a whole read answer is about 37 KB
constexpr std::size_t kTextFileLimit = std::size_t{1} << 20;    // a help file is about 100 KB

struct ReadOutcome {
    bool ok = false;
    bool tooLarge = false; // the file holds more than the limit: it is none of the files we read
    std::string reason;    // without the file's name; empty when ok
};

// How long a FIFO or a device may go on sending, however little at a time, before a read of it fails.
constexpr int kReadDeadlineMs = 5000;

// Called again and again (at least every kReadWaitSliceMs) while a read waits for a FIFO or a device:
// the window program draws its windows there, so they stay alive while it waits. Empty: nothing.
constexpr int kReadWaitSliceMs = 100;
void SetReadWaitHook(std::function<void()> hook);

// The whole content of a file of any kind into `bytes`, at most `limit` bytes. Fails when the file
// cannot be read, is a folder, holds more than `limit` bytes, or is a FIFO or device from which
// nothing arrives for `peerWaitMs` or that has not ended after `overallMs` (bytes is then empty).
ReadOutcome ReadBoundedFile(const std::string& path, std::size_t limit, std::string& bytes,
                            int peerWaitMs = kPeerWaitMs, int overallMs = kReadDeadlineMs);

} // namespace korvane
