// The frame log's line: frames and world steps of each span of at least a second.
#include <gtest/gtest.h>

#include "app/frame_log.h"

TEST(FrameLog, OneLinePerSecondWithFramesAndSteps) {
    FrameCounter counter;
    std::string line;
    EXPECT_FALSE(countFrame(counter, 10.0, {5, 0, 0}, line));  // the first frame starts the span
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(countFrame(counter, 10.0 + 0.25 * i, {5u + i, 0, 0}, line));
    ASSERT_TRUE(countFrame(counter, 11.0, {9, 3, 7, 2}, line));
    EXPECT_EQ(line, "time 11.000 frames 4 steps 4 span 1.000 members 3 joints 7 awake 2\n");
    EXPECT_FALSE(countFrame(counter, 11.5, {9, 3, 7, 2}, line));
    ASSERT_TRUE(countFrame(counter, 12.5, {9, 3, 7, 2}, line));
    EXPECT_EQ(line, "time 12.500 frames 2 steps 0 span 1.500 members 3 joints 7 awake 2\n");
}
