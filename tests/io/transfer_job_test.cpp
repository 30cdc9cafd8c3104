#include <gtest/gtest.h>

#include "io/transfer_job.h"
#include "tests/support/io_test_support.h"

using namespace korvane;

TEST(JobProgress, oneProgressOverBackupWriteAndVerifyWithTheTimeLeft) {
    // Backup read, write, read-back: the estimates of the reads and the write, the write's own count
    // once it begins.
    JobProgress job({36960, 31000, 36960});
    const auto steps = korvane::testing::dataTable("io_job_progress.txt", 6);
    EXPECT_EQ(steps.size(), 6u);
    for (const auto& s : steps) {
        SCOPED_TRACE(s[0] + " " + s[2]);
        if (const std::int64_t expected = std::stoll(s[1]); expected >= 0)
            job.begin(std::stoi(s[0]), expected);
        job.update(std::stoll(s[2]));
        EXPECT_EQ(job.phase(), std::stoi(s[0]));
        EXPECT_EQ(job.permille(), std::stoi(s[3]));
        EXPECT_EQ(job.secondsLeft(960), std::stoi(s[4]));
        EXPECT_EQ(job.phasePrefix(), s[5]);
    }
    EXPECT_EQ(job.secondsLeft(0), -1) << "a line that takes no time has no time left to tell";
    EXPECT_EQ(JobProgress({1000}).phasePrefix(), "") << "a job of one transfer names no phase number";
    EXPECT_EQ(MinutesSeconds(75), "1:15");
    EXPECT_EQ(MinutesSeconds(5), "0:05");
}
