#pragma once
// The operating system's file calls that the core needs, and nothing else of the system: the one
// place that knows POSIX (file_system_posix.cpp) or Windows (file_system_windows.cpp). CMake builds
// the file that fits the target; the rules of saving and reading (io/atomic_file.cpp) are the same
// on both and are built on these calls alone.
//
// Paths are UTF-8 throughout (Windows takes them as UTF-16 inside). What fails says why in the
// system's own words (`error`), without the file's name: the caller says which file and what it did.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::platform {

// What a path names, a symbolic link followed. Special: a device, a FIFO, a pipe or a socket (on
// Windows NUL, CON, COM1, LPT1 … in any folder and with any extension, and every \\.\ name such as
// \\.\COM12 or \\.\pipe\name): it is written in place, never replaced by a regular file. A path that
// cannot be looked at counts as Missing.
enum class FileKind { Missing, Regular, Folder, Special };
FileKind KindOf(const std::string& path);

// The file a symbolic link points to, or the path itself when it is no link. False when the link
// cannot be followed.
bool FollowLink(const std::string& path, std::string& target, std::string& error);

// An open file: a POSIX descriptor or a Windows handle.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Whether `path` names one of this process's own open streams: "/dev/stdout", "/dev/stderr",
// "/dev/fd/N" or "/proc/self/fd/N" of a descriptor open for writing; `stream` takes it. Such a stream is
// written where it stands (a file the shell opened to append to stays appended to, a pipe stays a
// pipe) and is never closed. Windows has no such names.
bool OpenStandardStream(const std::string& path, FileHandle& stream);

// Whether `path` is a symbolic link in a folder anyone may write to that has the sticky bit (/tmp),
// made by neither this user nor the folder's owner: a link another user planted there may point at
// any file of this user. `owner` takes the link's owner (a user id). Never on Windows.
bool IsLinkOfAnotherUser(const std::string& path, std::string& owner);

// Whether a file counts as write-protected: POSIX: it carries no write permission at all, or this
// process may not write it (root may write anything, yet a file without write permission is
// protected for it too); Windows: it is read-only, or this user may not write it. A file that does
// not exist is not protected.
bool IsWriteProtected(const std::string& path);

// The folder a path lies in ("." for a bare name), the name in its folder, and a name joined to a folder.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
std::string InFolder(const std::string& folder, const std::string& name);

// Opens a file of any kind for reading, without waiting for a FIFO's writer or a device's data. A
// serial port gives up reading after a short silence.
FileHandle OpenForReading(const std::string& path, std::string& error);
bool IsFolder(FileHandle file);
// Whether the file is a FIFO: it reads as ended while no program has it open for writing.
bool IsFifo(FileHandle file);
// At most `size` bytes into `buf`: how many, 0 at the end, kNothingYet when nothing has arrived yet
// (a FIFO or device opened without waiting), -1 on an error.
inline constexpr long long kNothingYet = -2;
long long ReadSome(FileHandle file, char* buf, std::size_t size, std::string& error);
// Waits at most `waitMs` until the file has something to read or its writer went; false when nothing
// happened in that time.
bool WaitForData(FileHandle file, int waitMs);

// Opens a Special file to write into it as it is. A FIFO that no program reads fails after `waitMs`.
FileHandle OpenInPlace(const std::string& path, int waitMs, std::string& error);

// Creates a new file, only for this process, named `stem` followed by six letters or digits; `path`
// takes its name.
FileHandle CreateUniqueFile(const std::string& stem, std::string& path, std::string& error);

// Writes all of `bytes`. Into a FIFO or device opened by OpenInPlace, it waits at most `waitMs` for the
// other end to take more, and a reader that goes fails the write (it never ends the program).
bool WriteAll(FileHandle file, std::string_view bytes, std::string& error, int waitMs = 0);

// "3 seconds": how long a wait for the other end was, in a reason.
std::string SecondsText(int ms);

// Gives the new content of `target` what the file it replaces carries (POSIX: mode, owner and group
// where the process may set them; Windows: the hidden, system and not-indexed attributes), or, for a
// new file, what a new file gets.
bool TakeOverAttributes(FileHandle file, const std::string& target, bool replacing, std::string& error);

bool FlushToDisk(FileHandle file, std::string& error);
bool Close(FileHandle file, std::string& error);

// Puts the file `from` in the place of `to` in one step, and makes that durable: `to` is either the
// old file or the new one, whatever happens. `replacing`: `to` exists.
bool MoveInPlaceOf(const std::string& from, const std::string& to, bool replacing, std::string& error);

bool RemoveFile(const std::string& path);

// The regular files in a folder (no links, folders or devices) whose names begin with `prefix`, with
// how long ago each was last written.
struct FolderEntry {
    std::string name;
    long long ageSeconds = 0;
};
std::vector<FolderEntry> RegularFilesIn(const std::string& folder, std::string_view prefix);

long CurrentProcessId();
// Whether no process with this number runs any more (a number that cannot be one counts as ended).
bool ProcessHasEnded(long pid);

} // namespace korvane::platform
