// The Windows save and the Windows reader: the cases of the POSIX FIFO, device, mode and owner tests
// in their Windows meaning (NUL and the other device names, named pipes, attributes, a file another
// program holds open). Built into core_tests of the Windows build only.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "io/atomic_file.h"
#include "io/platform/file_system.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

std::wstring wide(const std::string& utf8) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::vector<std::u8string> namesIn(const std::string& folder) {
    std::vector<std::u8string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().u8string());
    std::sort(out.begin(), out.end());
    return out;
}

// One connection to a named pipe served from another thread: the pipe gives `count` bytes to the
// one that opens it (count < 0: without end, until the reader goes), or takes what is written into it.
class PipeServer {
public:
    enum class Role { Gives, Takes };
    explicit PipeServer(Role role, long count = 0) {
        static int serial = 0;
        path_ = "\\\\.\\pipe\\korvane-test-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
        pipe_ =
            ::CreateNamedPipeW(wide(path_).c_str(), role == Role::Gives ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND,
                               PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
        thread_ = std::thread([this, role, count] {
            serve(role, count);
            ::CloseHandle(pipe_); // the reader sees the end
        });
    }
    ~PipeServer() {
        if (thread_.joinable())
            thread_.join();
    }
    const std::string& path() const { return path_; }
    // What was written into the pipe, once the writer has closed it.
    std::string taken() {
        thread_.join();
        return taken_;
    }

private:
    void serve(Role role, long count) {
        // The client may have come first (connected), or even written and gone already (no data left
        // to wait for, but what it wrote is still in the pipe): either way the pipe is served.
        if (!::ConnectNamedPipe(pipe_, nullptr) && ::GetLastError() != ERROR_PIPE_CONNECTED &&
            ::GetLastError() != ERROR_NO_DATA)
            return;
        char buf[4096];
        DWORD n = 0;
        if (role == Role::Takes) {
            while (::ReadFile(pipe_, buf, sizeof buf, &n, nullptr))
                taken_.append(buf, n);
            return;
        }
        std::fill(std::begin(buf), std::end(buf), 'x');
        for (long sent = 0; count < 0 || sent < count; sent += n) {
            const long want = count < 0 ? long{sizeof buf} : std::min<long>(sizeof buf, count - sent);
            if (!::WriteFile(pipe_, buf, static_cast<DWORD>(want), &n, nullptr))
                return;
        }
        ::FlushFileBuffers(pipe_); // until the reader has it all
    }

    std::string path_;
    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    std::thread thread_;
    std::string taken_;
};

} // namespace

TEST(WindowsFiles, theReaderReadsEveryKindOfFileNoFurtherThanItsLimit) {
    TempDir dir;
    const std::string small = dir.file("small.dat");
    const std::string large = dir.file("large.dat");
    std::ofstream(small, std::ios::binary) << "330,\"xx07300-0000\"\r\n";
    std::ofstream(large, std::ios::binary) << std::string(kTextFileLimit + 1, 'x');
    struct Case {
        const char* what;
        std::string path;
        std::optional<long> pipeBytes; // a named pipe that gives this many bytes (-1: without end)
        bool ok;
        bool tooLarge;
        std::string reason;
        std::size_t size;
    };
    const Case cases[]{
        {"a small file", small, {}, true, false, "", 20},
        {"a file one byte over the limit", large, {}, false, true, "more than 1 MB", 0},
        {"the NUL device", "NUL", {}, true, false, "", 0},
        {"NUL under a file's name in a folder", dir.file("nul.zeb"), {}, true, false, "", 0},
        {"a pipe without end", "", -1, false, true, "more than 1 MB", 0},
        {"a pipe that ends", "", 1000, true, false, "", 1000},
        {"a folder", dir.file(""), {}, false, false, "is a folder", 0},
        {"a missing file", dir.file("none.dat"), {}, false, false, "cannot open the file", 0},
        {"a missing pipe", "\\\\.\\pipe\\korvane-none", {}, false, false, "cannot open the file", 0},
    };
    for (const Case& c : cases) {
        std::optional<PipeServer> pipe;
        if (c.pipeBytes)
            pipe.emplace(PipeServer::Role::Gives, *c.pipeBytes);
        std::string bytes = "old";
        const ReadOutcome r = ReadBoundedFile(pipe ? pipe->path() : c.path, kTextFileLimit, bytes);
        EXPECT_EQ(r.ok, c.ok) << c.what;
        EXPECT_EQ(r.tooLarge, c.tooLarge) << c.what;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.what << ": " << r.reason;
        EXPECT_EQ(bytes.size(), c.size) << c.what;
    }
}

TEST(WindowsFiles, aDeviceOrAPipeIsWrittenInPlaceAndNeverReplaced) {
    TempDir dir;
    // NUL takes everything, in any folder and under any extension; no file of that name appears.
    for (const std::string& nul : {std::string("NUL"), dir.file("nul.zeb"), dir.file("Nul")}) {
        const WriteOutcome w = WriteFileAtomically(nul, "into nothing");
        EXPECT_TRUE(w.ok) << nul << ": " << w.reason;
    }
    EXPECT_TRUE(namesIn(dir.file("")).empty());

    PipeServer pipe(PipeServer::Role::Takes);
    const WriteOutcome w = WriteFileAtomically(pipe.path(), "saved into a pipe");
    EXPECT_TRUE(w.ok) << w.reason;
    EXPECT_EQ(pipe.taken(), "saved into a pipe");

    const WriteOutcome none = WriteFileAtomically("\\\\.\\pipe\\korvane-none", "x");
    EXPECT_FALSE(none.ok);
    EXPECT_NE(none.reason.find("cannot open \\\\.\\pipe\\korvane-none"), std::string::npos) << none.reason;
}

TEST(WindowsFiles, aSaveReplacesTheTargetWholeKeepsItsAttributesAndTakesAnyName) {
    TempDir dir;
    const std::string path = dir.file("house.zeb");
    ASSERT_TRUE(WriteFileAtomically(path, std::string(5000, 'a')).ok);
    ASSERT_TRUE(::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const WriteOutcome w = WriteFileAtomically(path, "short");
    ASSERT_TRUE(w.ok) << w.reason;
    EXPECT_EQ(readBytes(path), "short");
    const DWORD attrs = ::GetFileAttributesW(wide(path).c_str());
    EXPECT_EQ(attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(namesIn(dir.file("")), std::vector<std::u8string>{u8"house.zeb"});

    // A name in UTF-8 reaches the disk as those characters, not as bytes of a code page.
    const std::string name = "K\xc3\xa6lder \xc3\xb8st \xe2\x82\xac \xce\xa9.zeb"; // Kælder øst € Ω
    ASSERT_TRUE(WriteFileAtomically(dir.file("") + name, "first").ok);
    ASSERT_TRUE(WriteFileAtomically(dir.file("") + name, "second").ok);
    EXPECT_NE(::GetFileAttributesW((wide(dir.file("")) + L"K\u00e6lder \u00f8st \u20ac \u03a9.zeb").c_str()),
              INVALID_FILE_ATTRIBUTES);
    std::string bytes;
    EXPECT_TRUE(ReadBoundedFile(dir.file("") + name, kConfigFileLimit, bytes).ok);
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(namesIn(dir.file("")).size(), 2u);
}

TEST(WindowsFiles, aFailedSaveKeepsTheTargetWholeAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        DWORD attributes;                 // of the target before the save
        std::optional<DWORD> openSharing; // another handle holds the target open, sharing this
        bool ok;
        std::string reason;
    };
    const Case cases[]{
        {"a read-only target", FILE_ATTRIBUTE_READONLY, {}, false, "the file is write-protected"},
        {"a target open for reading, shared with no one", FILE_ATTRIBUTE_NORMAL, 0, false, "cannot replace"},
        {"a target open for reading, shared for reading", FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ, false,
         "cannot replace"},
        {"a target open, shared for everything", FILE_ATTRIBUTE_NORMAL,
         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("house.zeb");
        ASSERT_TRUE(WriteFileAtomically(path, "old content").ok);
        ASSERT_TRUE(::SetFileAttributesW(wide(path).c_str(), c.attributes));
        HANDLE other = INVALID_HANDLE_VALUE;
        if (c.openSharing)
            other = ::CreateFileW(wide(path).c_str(), GENERIC_READ, *c.openSharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        const WriteOutcome w = WriteFileAtomically(path, "new content");
        if (other != INVALID_HANDLE_VALUE)
            ::CloseHandle(other);
        ::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(w.ok, c.ok) << c.what << ": " << w.reason;
        EXPECT_NE(w.reason.find(c.reason), std::string::npos) << c.what << ": " << w.reason;
        EXPECT_EQ(readBytes(path), c.ok ? "new content" : "old content") << c.what;
        EXPECT_EQ(namesIn(dir.file("")), std::vector<std::u8string>{u8"house.zeb"}) << c.what;
    }
}

TEST(WindowsFiles, devicesAreToldByTheirNamesAndPathsSplitAtEitherSlash) {
    TempDir dir;
    std::ofstream(dir.file("house.zeb")) << "x";
    using platform::FileKind;
    const std::pair<std::string, FileKind> kinds[]{
        {"NUL", FileKind::Special},
        {"nul", FileKind::Special},
        {"C:\\jobs\\Nul.zeb", FileKind::Special},
        {"COM1", FileKind::Special},
        {"com9.txt", FileKind::Special},
        {"LPT1:", FileKind::Special},
        {"CON", FileKind::Special},
        {"\\\\.\\COM12", FileKind::Special},
        {"//./pipe/name", FileKind::Special},
        {dir.file("COM10"), FileKind::Missing},
        {dir.file("nullify.zeb"), FileKind::Missing},
        {dir.file("house.zeb"), FileKind::Regular},
        {dir.file(""), FileKind::Folder},
    };
    for (const auto& [path, kind] : kinds)
        EXPECT_EQ(platform::KindOf(path), kind) << path;

    const std::tuple<std::string, std::string, std::string> splits[]{
        {"C:\\jobs\\house.zeb", "C:\\jobs", "house.zeb"},
        {"C:\\house.zeb", "C:\\", "house.zeb"},
        {"C:house.zeb", "C:", "house.zeb"},
        {"C:/jobs/sub\\house.zeb", "C:/jobs/sub", "house.zeb"},
        {"house.zeb", ".", "house.zeb"},
        {"\\\\server\\jobs\\house.zeb", "\\\\server\\jobs", "house.zeb"},
    };
    for (const auto& [path, folder, name] : splits) {
        EXPECT_EQ(platform::FolderOf(path), folder) << path;
        EXPECT_EQ(platform::NameOf(path), name) << path;
        EXPECT_EQ(platform::InFolder(folder, name), folder == "." ? ".\\house.zeb" : path) << path;
    }
}
