#include <gtest/gtest.h>

#include "io/transfer_job.h"

using namespace korvane;

TEST(JobProgress, oneProgressOverBackupWriteAndVerifyWithTheTimeLeft) {
    // Backup read, write, read-back: the estimates of the reads and the write, the write's own count
    // once it begins; 960 characters a second on the line.
    JobProgress job({36960, 31000, 36960});
    struct Step {
        int phase;
        std::int64_t expected; // -1: no new phase, only progress
        std::int64_t done;
        int permille;
        int secondsLeft;
        const char* prefix;
    };
    const Step steps[]{
        {0, 0, 0, 0, 110 + 2, "1/3 "},       // 104920 characters and two quiet seconds ahead
        {0, -1, 18480, 176, 91 + 2, "1/3 "}, // half the backup read
        {0, -1, 99999, 352, 71 + 2, "1/3 "}, // never more than the phase's own characters
        {1, 30000, 0, 355, 70 + 1, "2/3 "},  // the write counts 30000 characters, not 31000
        {1, -1, 30000, 644, 39 + 1, "2/3 "}, // written, the verdict is due
        {2, 0, 36960, 1000, 0, "3/3 "},      // read back
    };
    for (const Step& s : steps) {
        if (s.expected >= 0)
            job.begin(s.phase, s.expected);
        job.update(s.done);
        EXPECT_EQ(job.phase(), s.phase);
        EXPECT_EQ(job.permille(), s.permille) << s.phase << " " << s.done;
        EXPECT_EQ(job.secondsLeft(960), s.secondsLeft) << s.phase << " " << s.done;
        EXPECT_EQ(job.phasePrefix(), s.prefix);
    }
    EXPECT_EQ(job.secondsLeft(0), -1) << "a line that takes no time has no time left to tell";
    EXPECT_EQ(JobProgress({1000}).phasePrefix(), "") << "a job of one transfer names no phase number";
    EXPECT_EQ(MinutesSeconds(75), "1:15");
    EXPECT_EQ(MinutesSeconds(5), "0:05");
}
