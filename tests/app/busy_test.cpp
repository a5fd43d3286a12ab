#include "app/busy.h"

#include <gtest/gtest.h>

using namespace aethrian;

TEST(BusyCaption, FiveAdvancesCycleTheDots) {
    BusyCaption busy;
    EXPECT_EQ(busy.advance(), ".Working.");
    EXPECT_EQ(busy.advance(), "..Working..");
    EXPECT_EQ(busy.advance(), "...Working...");
    EXPECT_EQ(busy.advance(), "Working");
    EXPECT_EQ(busy.advance(), ".Working.");
    EXPECT_EQ(NextDots("xyz"), "");
}

TEST(RefreshCounter, EveryIntervalItems) {
    RefreshCounter counter(101);
    int refreshes = 0;
    for (int i = 1; i <= 250; ++i) {
        if (counter.tick()) {
            ++refreshes;
            EXPECT_TRUE(i == 101 || i == 202) << i;
        }
    }
    EXPECT_EQ(refreshes, 2);
}
