#pragma once
// What the tests of the core need of the system beyond the standard library: one file per kind of
// system (test_platform_posix.cpp, test_platform_windows.cpp), chosen by CMake like the core's own.
//
// The POSIX cases (a FIFO, /dev/zero and /dev/full, file modes, owners and groups, symbolic links, a
// file size limit) skip on Windows with the reason WithoutPosixFiles() gives; there the other
// functions below are never called. The Windows save has its own cases in windows_files_test.cpp.

#include <functional>
#include <string>

namespace korvane::testing {

// Why this system has none of the POSIX files and rights the POSIX cases need; empty on POSIX.
std::string WithoutPosixFiles();

bool MakeFifo(const std::string& path);
// Writes `count` bytes into a FIFO (count < 0: without end, until the reader goes). Waits for a reader.
void FeedFifo(const std::string& path, long count);
// Opens a FIFO for reading (waits for a writer), takes one byte and goes away; the number of bytes taken.
int TakeOneByteAndLeave(const std::string& path);
// Runs `what` with a write into a pipe nobody reads ending the process, as it does by default, so that
// a test shows the code under test guards against it.
void WithDefaultPipeSignal(const std::function<void()>& what);

unsigned ModeOf(const std::string& path); // the permission bits, 07777
bool SetMode(const std::string& path, unsigned mode);
struct Owner {
    unsigned user = 0;
    unsigned group = 0;
};
Owner OwnerOf(const std::string& path);
bool GiveTo(const std::string& path, Owner owner);
bool IsRoot();

// Runs `what` with every file this process writes limited to `bytes`, as a full disk would stop it.
void WithFileSizeLimit(long bytes, const std::function<void()>& what);

// A process other than an ended one, that runs as long as the test does (POSIX: the parent; Windows:
// the test itself).
long LivingProcessId();

} // namespace korvane::testing
