#include "tests/platform/test_platform.h"

#include <algorithm>
#include <iterator>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace korvane::testing {

namespace {

std::wstring wide(const std::string& utf8) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

// Gives `count` bytes to the one that opens the pipe, or with count 0 takes what is written into it.
void serve(HANDLE pipe, long count, std::string& taken) {
    // The client may have come first (connected), or even written and gone already (no data left
    // to wait for, but what it wrote is still in the pipe): either way the pipe is served.
    if (!::ConnectNamedPipe(pipe, nullptr) && ::GetLastError() != ERROR_PIPE_CONNECTED &&
        ::GetLastError() != ERROR_NO_DATA)
        return;
    char buf[4096];
    DWORD n = 0;
    if (count == 0) {
        while (::ReadFile(pipe, buf, sizeof buf, &n, nullptr))
            taken.append(buf, n);
        return;
    }
    std::fill(std::begin(buf), std::end(buf), 'x');
    for (long sent = 0; count < 0 || sent < count; sent += n) {
        const long want = count < 0 ? long{sizeof buf} : std::min<long>(sizeof buf, count - sent);
        if (!::WriteFile(pipe, buf, static_cast<DWORD>(want), &n, nullptr))
            return;
    }
    ::FlushFileBuffers(pipe); // until the reader has it all
}

} // namespace

std::string WithoutPosixFiles() {
    return "Windows has no FIFO without its server, no /dev/zero or /dev/full, no owners or groups and no "
           "file size limit; its pipes, devices and attributes have their own cases";
}

std::vector<std::string> FileCallsOf(const std::function<void()>& what) {
    what();
    return {};
}

std::vector<SystemFile> SystemFilesToRead(const std::string& folder) {
    return {
        {"the null device", "NUL", true, false, ""},
        {"NUL under a file's name in a folder", folder + "nul.zeb", true, false, ""},
        {"a missing pipe", "\\\\.\\pipe\\korvane-none", false, false, "cannot open the file"},
    };
}

// NUL takes everything, in any folder and under any extension.
std::vector<SystemFile> SystemFilesToWrite(const std::string& folder) {
    return {
        {"the null device", "NUL", true, false, ""},
        {"NUL under a file's name in a folder", folder + "nul.zeb", true, false, ""},
        {"NUL in another case", folder + "Nul", true, false, ""},
        {"a missing pipe", "\\\\.\\pipe\\korvane-none", false, false, "cannot open \\\\.\\pipe\\korvane-none"},
    };
}

ServedPipe::ServedPipe(const std::string&, long count) {
    static int serial = 0;
    path_ = "\\\\.\\pipe\\korvane-test-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
    HANDLE pipe = ::CreateNamedPipeW(wide(path_).c_str(), count == 0 ? PIPE_ACCESS_INBOUND : PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
    thread_ = std::thread([this, pipe, count] {
        serve(pipe, count, taken_);
        ::CloseHandle(pipe); // the reader sees the end
    });
}

bool MakeFifo(const std::string&) {
    return false;
}

void WithDefaultPipeSignal(const std::function<void()>& what) {
    what();
}

const unsigned kSomeRights = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
const unsigned kReadOnly = FILE_ATTRIBUTE_READONLY;

unsigned RightsOf(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kKeptAttributes;
}

bool SetRights(const std::string& path, unsigned rights) {
    return ::SetFileAttributesW(wide(path).c_str(), rights == 0 ? FILE_ATTRIBUTE_NORMAL : rights);
}

Owner OwnerOf(const std::string&) {
    return {};
}

bool GiveTo(const std::string&, Owner) {
    return false;
}

bool IsRoot() {
    return false;
}

void WithFileSizeLimit(long, const std::function<void()>&) {}

long LivingProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

} // namespace korvane::testing
