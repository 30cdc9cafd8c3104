// The bounded reader against what only POSIX systems have: a FIFO whose writer keeps sending a
// byte now and then, slower than the silence allowed but without end.
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

#include "io/atomic_file.h"
#include "io/config_file.h"
#include "tests/platform/test_platform.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

TEST(BoundedReader, aFifoThatTricklesEndsAtTheDeadlineAndTheWaitKeepsTheWindowsAlive) {
    TempDir dir;
    const std::string fifo = dir.file("trickle");
    ASSERT_TRUE(MakeFifo(fifo));
    // A writer that sends a byte every 100 ms, far less than the silence allowed, for up to 10 s.
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        std::signal(SIGPIPE, SIG_IGN);
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        for (int i = 0; i < 100 && !stop && fd >= 0 && ::write(fd, "x", 1) == 1; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (fd >= 0)
            ::close(fd);
    });
    int calls = 0;
    SetReadWaitHook([&] { ++calls; });
    std::string bytes;
    const ReadOutcome r = ReadBoundedFile(fifo, kConfigFileLimit, bytes, 1000, 600);
    SetReadWaitHook(nullptr);
    stop = true;
    writer.join();
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.tooLarge);
    EXPECT_NE(r.reason.find("still sending after 1 second"), std::string::npos) << r.reason;
    EXPECT_TRUE(bytes.empty());
    EXPECT_GT(calls, 0) << "the wait never let the windows draw";
}
