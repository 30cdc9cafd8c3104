// The save and the bounded reader on every kind of file, on POSIX and on Windows alike: pipes and
// devices are read no further than a limit and written in place, a save keeps the rights of what it
// replaces and removes only its own leftovers. The cases of one system alone are in
// tests/platform/posix_files_test.cpp and tests/platform/windows_files_test.cpp.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

#include "io/atomic_file.h"
#include "io/config_file.h"
#include "io/platform/file_system.h"
#include "io/text_file.h"
#include "tests/platform/test_platform.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

// The names in a folder, in UTF-8.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::u8string name = e.path().filename().u8string();
        out.emplace_back(name.begin(), name.end());
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(BoundedReader, readsEveryKindOfFileNoFurtherThanItsLimit) {
    TempDir dir;
    const std::string small = dir.file("small.dat");
    const std::string large = dir.file("large.dat");
    std::ofstream(small, std::ios::binary) << "330,\"xx07300-0000\"\r\n";
    std::ofstream(large, std::ios::binary) << std::string(kTextFileLimit + 1, 'x');
    struct Case {
        const char* what;
        std::string path;
        std::optional<long> pipeBytes; // a served pipe that gives this many bytes (-1: without end)
        bool ok;
        bool tooLarge;
        std::string reason;
        std::size_t size;
    };
    std::vector<Case> cases{
        {"a small file", small, {}, true, false, "", 20},
        {"a file one byte over the limit", large, {}, false, true, "more than 1 MB", 0},
        {"a pipe without end", "", -1, false, true, "more than 1 MB", 0},
        {"a pipe that ends", "", 1000, true, false, "", 1000},
        {"a pipe that ends at once", "", 1, true, false, "", 1},
        {"a folder", dir.file(""), {}, false, false, "is a folder", 0},
        {"a missing file", dir.file("none.dat"), {}, false, false, "cannot open the file", 0},
    };
    for (const SystemFile& f : SystemFilesToRead(dir.file("")))
        cases.push_back({f.what, f.path, {}, f.ok, f.tooLarge, f.reason, 0});
    for (const Case& c : cases) {
        std::optional<ServedPipe> pipe;
        if (c.pipeBytes)
            pipe.emplace(dir.file(""), *c.pipeBytes);
        std::string bytes = "old";
        const ReadOutcome r = ReadBoundedFile(pipe ? pipe->path() : c.path, kTextFileLimit, bytes, 1000);
        EXPECT_EQ(r.ok, c.ok) << c.what;
        EXPECT_EQ(r.tooLarge, c.tooLarge) << c.what;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.what << ": " << r.reason;
        EXPECT_EQ(bytes.size(), c.size) << c.what;
    }
}

TEST(BoundedReader, everyOutsideFileIsReadThroughIt) {
    // A configuration, a language and a help file on a pipe without end: refused, nothing taken.
    TempDir dir;
    Configuration cfg = busyConfiguration();
    const Configuration before = cfg;
    ServedPipe configuration(dir.file(""), -1), language(dir.file(""), -1), check(dir.file(""), -1);
    const FileResult load = LoadFile(cfg, configuration.path());
    EXPECT_EQ(load.status, FileStatus::Bad);
    EXPECT_NE(load.reason.find("too large"), std::string::npos) << load.message();
    EXPECT_EQ(cfg, before);

    const TextTable texts = ReadTextFile(language.path(), kLanguageTextCount);
    EXPECT_TRUE(texts.opened);
    EXPECT_FALSE(texts.good);
    EXPECT_EQ(texts.texts[1], "");
    const LanguageFileCheck languageCheck = CheckLanguageFileAt(check.path());
    EXPECT_FALSE(languageCheck.valid);
    EXPECT_NE(languageCheck.reason.find("more than 1 MB"), std::string::npos) << languageCheck.reason;
}

TEST(AtomicFile, aDeviceOrAPipeIsWrittenInPlaceAndNeverReplaced) {
    TempDir dir;
    for (const SystemFile& f : SystemFilesToWrite(dir.file(""))) {
        const WriteOutcome w = WriteFileAtomically(f.path, "into nothing");
        EXPECT_EQ(w.ok, f.ok) << f.what << ": " << w.reason;
        EXPECT_NE(w.reason.find(f.reason), std::string::npos) << f.what << ": " << w.reason;
    }
    ServedPipe pipe(dir.file(""), 0);
    const WriteOutcome w = WriteFileAtomically(pipe.path(), "saved into a pipe");
    EXPECT_TRUE(w.ok) << w.reason;
    EXPECT_EQ(pipe.taken(), "saved into a pipe");
    EXPECT_EQ(platform::KindOf(pipe.path()), platform::FileKind::Special) << "the pipe was replaced by a file";

    fs::create_directory(dir.file("sub"));
    const WriteOutcome intoFolder = WriteFileAtomically(dir.file("sub"), "x");
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_NE(intoFolder.reason.find("is a folder"), std::string::npos) << intoFolder.reason;
    for (const std::string& name : namesIn(dir.file("")))
        EXPECT_TRUE(name == "sub" || name.starts_with("pipe-")) << name << " appeared beside the devices";
}

TEST(AtomicFile, keepsTheRightsOfWhatItReplacesTakesAnyNameAndRefusesAReadOnlyFile) {
    TempDir dir;
    const std::string path = dir.file("house.zeb");
    ASSERT_TRUE(WriteFileAtomically(path, std::string(5000, 'a')).ok);
    ASSERT_TRUE(SetRights(path, kSomeRights));
    const bool root = IsRoot();
    if (root) {
        ASSERT_TRUE(GiveTo(path, {4321, 8765}));
    }
    // The content is on the disk before it takes the old file's place, and the new name is made durable.
    const std::vector<std::string> calls = FileCallsOf([&] { ASSERT_TRUE(WriteFileAtomically(path, "short").ok); });
    if (WithoutPosixFiles().empty()) {
        EXPECT_EQ(calls, (std::vector<std::string>{"write", "fsync", "close", "rename", "fsync folder", "close"}));
    }
    EXPECT_EQ(RightsOf(path), kSomeRights);
    EXPECT_EQ(readBytes(path), "short");
    if (root) {
        EXPECT_EQ(OwnerOf(path).user, 4321u);
        EXPECT_EQ(OwnerOf(path).group, 8765u);
    }

    // A name in UTF-8 reaches the disk as those characters, not as bytes of a code page.
    const std::string name = "K\xc3\xa6lder \xc3\xb8st \xe2\x82\xac \xce\xa9.zeb"; // Kælder øst € Ω
    ASSERT_TRUE(WriteFileAtomically(dir.file("") + name, "first").ok);
    ASSERT_TRUE(WriteFileAtomically(dir.file("") + name, "second").ok);
    std::string bytes;
    EXPECT_TRUE(ReadBoundedFile(dir.file("") + name, kConfigFileLimit, bytes).ok);
    EXPECT_EQ(bytes, "second");
    const std::vector<std::string> names{name, "house.zeb"}; // sorted: "K" before "h"
    EXPECT_EQ(namesIn(dir.file("")), names);

    // A file nobody may write is write-protected for everyone, root too: refused, kept, nothing left.
    ASSERT_TRUE(SetRights(path, kReadOnly));
    EXPECT_TRUE(IsWriteProtected(path));
    const WriteOutcome locked = WriteFileAtomically(path, "third");
    EXPECT_FALSE(locked.ok);
    EXPECT_EQ(locked.reason, "the file is write-protected");
    EXPECT_EQ(readBytes(path), "short");
    EXPECT_EQ(namesIn(dir.file("")), names);
    EXPECT_FALSE(IsWriteProtected(dir.file("new.zeb")));
    SetRights(path, 0); // Windows removes no read-only file
    if (!root && WithoutPosixFiles().empty())
        GTEST_SKIP() << "owner and group can only be given away as root; the mode was checked";
}

TEST(AtomicFile, aSaveRemovesOnlyTheTemporaryFilesAKilledSaveOfItsTargetLeft) {
    TempDir dir;
    const std::string path = dir.file("house.zeb");
    const std::string temp = "house.zeb" + std::string(kSaveTempMarker);
    const std::string deadPid = "2147483646"; // no process has this number
    const std::string alivePid = std::to_string(LivingProcessId());
    struct Case {
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {temp + deadPid + "-a1b2c3", true},
        {temp + "4194305-Zz09Aa", true},
        {temp + alivePid + "-d4e5f6", false}, // a save still running elsewhere
        {"other.zeb" + std::string(kSaveTempMarker) + deadPid + "-a1b2c3", false},
        {"house.zeb.bak", false},
        // a user's files that only start like a temporary file
        {temp + "notes.txt", false},
        {temp + "0-abcdef", false},
        {temp + "04194305-abcdef", false},
        {temp + deadPid + "-a1b2c3.zeb", false},
        {temp + deadPid + "-a1b2c", false},
        {temp + deadPid + "-a1_2c3", false},
        {temp + "-a1b2c3", false},
        {temp + "12345678901-a1b2c3", false},
    };
    for (const Case& c : cases)
        std::ofstream(dir.file(c.name)) << "left over";
    ASSERT_TRUE(WriteFileAtomically(path, "saved").ok);
    for (const Case& c : cases)
        EXPECT_EQ(!fs::exists(dir.file(c.name)), c.removed) << c.name;
    EXPECT_EQ(readBytes(path), "saved");
}

TEST(AtomicFile, aFifoThatNobodyReadsOrWhoseReaderGoesFailsTheSaveAndStays) {
    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string fifo = dir.file("fifo");
    ASSERT_TRUE(MakeFifo(fifo));
    // Fails after a short wait; the reader's going does not end the program.
    const WriteOutcome noReader = WriteFileAtomically(fifo, "saved into a pipe", 200);
    EXPECT_FALSE(noReader.ok);
    EXPECT_NE(noReader.reason.find("no program reads from"), std::string::npos) << noReader.reason;
    WriteOutcome gone;
    WithDefaultPipeSignal([&] {
        std::thread leaving([&] { // takes one byte and goes away
            std::ifstream reader(fifo, std::ios::binary);
            EXPECT_EQ(reader.get(), 'x');
        });
        gone = WriteFileAtomically(fifo, std::string(std::size_t{1} << 20, 'x'), 1000);
        leaving.join();
    });
    EXPECT_FALSE(gone.ok);
    EXPECT_NE(gone.reason.find("Broken pipe"), std::string::npos) << gone.reason;
    EXPECT_TRUE(fs::is_fifo(fifo));
}
