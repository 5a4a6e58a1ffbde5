// The split into two halves runs both halves whatever the thread count,
// the second on another thread only when two are asked for, and passes on
// what either half throws.

#include "triangulation/SecondHalf.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

TEST(SecondHalf, RunsBothHalvesOnOneOrTwoThreads) {
    for (int threads : {0, 1, 2}) {
        std::thread::id firstRanOn, secondRanOn;
        const bool alongside = runSecondHalfAlongside(
            threads, [&] { firstRanOn = std::this_thread::get_id(); },
            [&] { secondRanOn = std::this_thread::get_id(); });
        EXPECT_EQ(firstRanOn, std::this_thread::get_id()) << threads;
        EXPECT_EQ(alongside, threads == 2);
        EXPECT_EQ(secondRanOn != firstRanOn, threads == 2);
    }
    for (int threads : {1, 2}) {
        bool firstRan = false;
        EXPECT_THROW(
            runSecondHalfAlongside(
                threads, [&] { firstRan = true; }, [] { throw std::runtime_error("second"); }),
            std::runtime_error);
        EXPECT_TRUE(firstRan);
        EXPECT_THROW(runSecondHalfAlongside(
                         threads, [] { throw std::runtime_error("first"); }, [] {}),
                     std::runtime_error);
    }
}
