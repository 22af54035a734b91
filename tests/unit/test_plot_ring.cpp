// The bounded graph buffer: fills, then turns into a ring over its oldest point.
#include <gtest/gtest.h>

#include "quake/plot_ring.h"

TEST(PlotRing, FillsWithoutReallocatingThenOverwritesTheOldest) {
    PlotRingBuffer buffer = makePlotRingBuffer();
    EXPECT_EQ(buffer.maxSize, 2000);
    ASSERT_GE(buffer.data.capacity(), 2000u);
    const Vector2* storage = buffer.data.data();
    for (int i = 0; i < 2000; ++i) addPoint(buffer, static_cast<float>(i), -static_cast<float>(i));
    EXPECT_EQ(buffer.data.data(), storage);
    EXPECT_EQ(buffer.data.size(), 2000u);
    EXPECT_EQ(buffer.offset, 0);

    addPoint(buffer, 2000.0f, -2000.0f);
    EXPECT_EQ(buffer.data.size(), 2000u);
    EXPECT_EQ(buffer.offset, 1);
    EXPECT_EQ(buffer.data[0].x, 2000.0f);
    EXPECT_EQ(buffer.data[0].y, -2000.0f);
    EXPECT_EQ(buffer.data[1].x, 1.0f);  // now the oldest
    EXPECT_EQ(buffer.data.data(), storage);
}

TEST(PlotRing, OffsetWrapsAroundAndReadingFromItGivesTimeOrder) {
    PlotRingBuffer buffer = makePlotRingBuffer(3);
    for (int i = 0; i < 7; ++i) addPoint(buffer, static_cast<float>(i), 0.0f);
    EXPECT_EQ(buffer.offset, 1);  // 3 appended, then offsets 0, 1, 2, 0 written
    float expected = 4.0f;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(buffer.data[static_cast<std::size_t>((buffer.offset + k) % 3)].x, expected);
        expected += 1.0f;
    }
}

TEST(PlotRing, EraseEmptiesAndKeepsTheRoom) {
    PlotRingBuffer buffer = makePlotRingBuffer();
    for (int i = 0; i < 2500; ++i) addPoint(buffer, 1.0f, 2.0f);
    ASSERT_EQ(buffer.offset, 500);
    const std::size_t capacity = buffer.data.capacity();
    erase(buffer);
    EXPECT_TRUE(buffer.data.empty());
    EXPECT_EQ(buffer.offset, 0);
    EXPECT_EQ(buffer.data.capacity(), capacity);
    erase(buffer);  // already empty: nothing to do
    EXPECT_TRUE(buffer.data.empty());
    addPoint(buffer, 5.0f, 6.0f);
    ASSERT_EQ(buffer.data.size(), 1u);
    EXPECT_EQ(buffer.data[0].x, 5.0f);
}
