#pragma once
// What the tests of the core need of the system beyond the standard library: one file per kind of
// system (test_platform_posix.cpp, test_platform_windows.cpp), chosen by CMake like the core's own.
//
// The POSIX cases (a FIFO nobody opens, /dev/zero and /dev/full, owners and groups, a file size
// limit) skip on Windows with the reason WithoutPosixFiles() gives; the cases of pipes, devices and
// the rights a save keeps run on both systems, in each system's meaning.

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace korvane::testing {

// Why this system has none of the POSIX files and rights the POSIX cases need; empty on POSIX.
std::string WithoutPosixFiles();

// The system's file calls `what` makes, in order: "write", "fsync" (of a file), "fsync folder", "close"
// and "rename" (POSIX: every call of the program is seen; Windows: none).
std::vector<std::string> FileCallsOf(const std::function<void()>& what);

// Files of this system's own kinds (devices, FIFOs, pipes) and what the bounded reader or a save
// makes of them: ok, or failed with the reason. None gives a byte to the reader. A `folder` here and
// below is a path that ends in its separator, as TempDir::file("") gives it.
struct SystemFile {
    const char* what;
    std::string path;
    bool ok;
    bool tooLarge;
    std::string reason;
};
std::vector<SystemFile> SystemFilesToRead(const std::string& folder);
std::vector<SystemFile> SystemFilesToWrite(const std::string& folder);

// A pipe that a thread started by each system's file serves (POSIX: a FIFO in `folder`; Windows: a
// named pipe). With `count` it gives that many bytes to the one that opens it (count < 0: without end,
// until the reader goes); with count 0 it takes what is written into it.
class ServedPipe {
public:
    ServedPipe(const std::string& folder, long count);
    ServedPipe(const ServedPipe&) = delete; // the thread serves this very object
    ~ServedPipe() {
        if (thread_.joinable())
            thread_.join();
    }
    const std::string& path() const { return path_; }
    std::string taken() { // what was written into it, once the writer has closed it
        thread_.join();
        return taken_;
    }

private:
    std::string path_;
    std::thread thread_;
    std::string taken_;
};

bool MakeFifo(const std::string& path);
// Runs `what` with a write into a pipe nobody reads ending the process, as it does by default, so that
// a test shows the code under test guards against it.
void WithDefaultPipeSignal(const std::function<void()>& what);

// The rights of a file that a save keeps: POSIX its mode bits; Windows its hidden, system and
// read-only attributes. kSomeRights are rights a save must carry over, kReadOnly a file nobody may write.
extern const unsigned kSomeRights;
extern const unsigned kReadOnly;
unsigned RightsOf(const std::string& path);
bool SetRights(const std::string& path, unsigned rights);

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
