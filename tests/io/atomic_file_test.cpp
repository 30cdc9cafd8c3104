#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

#include "io/atomic_file.h"
#include "io/config_file.h"
#include "io/text_file.h"
#include "tests/platform/test_platform.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

// Feeds a FIFO from another thread: `count` bytes, or without end (count < 0) until the reader goes.
class FifoWriter {
public:
    FifoWriter(const std::string& path, long count) : thread_([path, count] { FeedFifo(path, count); }) {}
    ~FifoWriter() { thread_.join(); }

private:
    std::thread thread_;
};

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(BoundedReader, readsEveryKindOfFileNoFurtherThanItsLimit) {
    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string small = dir.file("small.dat");
    const std::string large = dir.file("large.dat");
    const std::string fifo = dir.file("pipe");
    std::ofstream(small) << "330,\"xx07300-0000\"\r\n";
    std::ofstream(large) << std::string(kTextFileLimit + 1, 'x');
    ASSERT_TRUE(MakeFifo(fifo));
    struct Case {
        const char* what;
        std::string path;
        long fifoBytes; // bytes a writer feeds the FIFO (-1: without end); 0: no writer
        bool ok;
        bool tooLarge;
        std::string reason;
        std::size_t size;
    };
    const Case cases[]{
        {"a small file", small, 0, true, false, "", 20},
        {"a file one byte over the limit", large, 0, false, true, "more than 1 MB", 0},
        {"a device without end", "/dev/zero", 0, false, true, "more than 1 MB", 0},
        {"a pipe without end", fifo, -1, false, true, "more than 1 MB", 0},
        {"a pipe that ends", fifo, 1000, true, false, "", 1000},
        {"a pipe that ends at once", fifo, 1, true, false, "", 1},
        {"a pipe that no program writes to", fifo, 0, false, false, "no program writes to it", 0},
        {"a folder", dir.file(""), 0, false, false, "is a folder", 0},
        {"a missing file", dir.file("none.dat"), 0, false, false, "cannot open the file", 0},
    };
    for (const Case& c : cases) {
        std::optional<FifoWriter> writer;
        if (c.fifoBytes != 0)
            writer.emplace(c.path, c.fifoBytes);
        std::string bytes = "old";
        const ReadOutcome r = ReadBoundedFile(c.path, kTextFileLimit, bytes, 1000);
        EXPECT_EQ(r.ok, c.ok) << c.what;
        EXPECT_EQ(r.tooLarge, c.tooLarge) << c.what;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.what << ": " << r.reason;
        EXPECT_EQ(bytes.size(), c.size) << c.what;
    }
}

TEST(BoundedReader, everyOutsideFileIsReadThroughIt) {
    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    // A configuration, a language and a help file on a device without end: refused, nothing taken.
    Configuration cfg = busyConfiguration();
    const Configuration before = cfg;
    const FileResult load = LoadFile(cfg, "/dev/zero");
    EXPECT_EQ(load.status, FileStatus::Bad);
    EXPECT_NE(load.reason.find("too large"), std::string::npos) << load.message();
    EXPECT_EQ(cfg, before);

    const TextTable texts = ReadTextFile("/dev/zero", kLanguageTextCount);
    EXPECT_TRUE(texts.opened);
    EXPECT_FALSE(texts.good);
    EXPECT_EQ(texts.texts[1], "");
    const LanguageFileCheck check = CheckLanguageFileAt("/dev/zero");
    EXPECT_FALSE(check.valid);
    EXPECT_NE(check.reason.find("more than 1 MB"), std::string::npos) << check.reason;
}

TEST(AtomicFile, onlyARegularFileIsReplacedAndADeviceOrFifoIsWrittenInPlace) {
    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_TRUE(MakeFifo(fifo));
    std::string got;
    std::thread reader([&] {
        std::string bytes;
        ReadBoundedFile(fifo, kConfigFileLimit, bytes);
        got = bytes;
    });
    const WriteOutcome w = WriteFileAtomically(fifo, "saved into a pipe");
    reader.join();
    EXPECT_TRUE(w.ok) << w.reason;
    EXPECT_EQ(got, "saved into a pipe");
    EXPECT_TRUE(fs::is_fifo(fifo)) << "the FIFO was replaced by a regular file";
    EXPECT_EQ(namesIn(dir.file("")), std::vector<std::string>{"pipe"});

    // A FIFO that no program reads, or whose reader goes away: the save fails after a short wait
    // (the reader's going does not end the program), and the FIFO stays.
    const WriteOutcome noReader = WriteFileAtomically(fifo, "saved into a pipe", 200);
    EXPECT_FALSE(noReader.ok);
    EXPECT_NE(noReader.reason.find("no program reads from"), std::string::npos) << noReader.reason;
    WriteOutcome gone;
    WithDefaultPipeSignal([&] {
        std::thread leaving([&] { EXPECT_EQ(TakeOneByteAndLeave(fifo), 1); });
        gone = WriteFileAtomically(fifo, std::string(std::size_t{1} << 20, 'x'), 1000);
        leaving.join();
    });
    EXPECT_FALSE(gone.ok);
    EXPECT_NE(gone.reason.find("Broken pipe"), std::string::npos) << gone.reason;
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A device that takes nothing: the failure is reported, the device stays.
    const WriteOutcome full = WriteFileAtomically("/dev/full", "x");
    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.reason.find("/dev/full"), std::string::npos) << full.reason;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    // A folder is no file to save into.
    fs::create_directory(dir.file("sub"));
    const WriteOutcome intoFolder = WriteFileAtomically(dir.file("sub"), "x");
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_NE(intoFolder.reason.find("is a folder"), std::string::npos) << intoFolder.reason;
}

TEST(AtomicFile, keepsModeOwnerAndGroupAndRefusesAFileWithoutWritePermission) {
    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const std::string path = dir.file("house.zeb");
    ASSERT_TRUE(WriteFileAtomically(path, "first").ok);
    ASSERT_TRUE(SetMode(path, 0640));
    const bool root = IsRoot();
    if (root) {
        ASSERT_TRUE(GiveTo(path, {4321, 8765}));
    }
    ASSERT_TRUE(WriteFileAtomically(path, "second").ok);
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(readBytes(path), "second");
    if (root) {
        EXPECT_EQ(OwnerOf(path).user, 4321u);
        EXPECT_EQ(OwnerOf(path).group, 8765u);
    }

    // A file without write permission is write-protected for everyone, root too.
    ASSERT_TRUE(SetMode(path, 0444));
    EXPECT_TRUE(IsWriteProtected(path));
    const WriteOutcome locked = WriteFileAtomically(path, "third");
    EXPECT_FALSE(locked.ok);
    EXPECT_EQ(locked.reason, "the file is write-protected");
    EXPECT_EQ(readBytes(path), "second");
    EXPECT_FALSE(IsWriteProtected(dir.file("new.zeb")));
    if (!root)
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
