// The save and the file names on Windows alone: a target another program holds open, the device
// names and paths split at either slash. Built into core_tests of the Windows build only; the cases
// both systems share are in tests/io/atomic_file_test.cpp.
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "io/atomic_file.h"
#include "io/platform/file_system.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

TEST(WindowsFiles, aTargetHeldOpenIsReplacedOnlyWhenItsHolderSharesEverything) {
    struct Case {
        const char* what;
        DWORD sharing; // of the other handle that holds the target open
        bool ok;
        std::string reason;
    };
    const Case cases[]{
        {"shared with no one", 0, false, "cannot replace"},
        {"shared for reading", FILE_SHARE_READ, false, "cannot replace"},
        {"shared for everything", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("house.zeb");
        ASSERT_TRUE(WriteFileAtomically(path, "old content").ok);
        const fs::path native(std::u8string(path.begin(), path.end()));
        HANDLE other = ::CreateFileW(native.c_str(), GENERIC_READ, c.sharing, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        const WriteOutcome w = WriteFileAtomically(path, "new content");
        ::CloseHandle(other);
        EXPECT_EQ(w.ok, c.ok) << c.what << ": " << w.reason;
        EXPECT_NE(w.reason.find(c.reason), std::string::npos) << c.what << ": " << w.reason;
        EXPECT_EQ(readBytes(path), c.ok ? "new content" : "old content") << c.what;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), fs::directory_iterator()), 1) << c.what;
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
