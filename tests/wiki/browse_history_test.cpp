#include "wiki/BrowseHistory.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

QString Id(int n) { return QString::number(n); }

TEST(BrowseHistory, StartsUnusedAndAtSlotOneAfterStart)
{
    TBrowseHistory h;
    EXPECT_EQ(h.HistoryIndex(), 0);
    for (int slot = 1; slot <= TBrowseHistory::kSlotCount; ++slot)
        EXPECT_EQ(h.Slot(slot), "0");
    h.Start("1");
    EXPECT_EQ(h.HistoryIndex(), 1);
    EXPECT_EQ(h.Slot(1), "1");
}

TEST(BrowseHistory, KeepsTheFirstFiftyOfSixtyVisitsAndWalksBackToSlotOne)
{
    TBrowseHistory h;
    h.Start("1");
    int recorded = 0;
    for (int link = 0; link < 60; ++link)
        recorded += h.Record(Id(100 + link)) ? 1 : 0;
    EXPECT_EQ(recorded, 49);
    EXPECT_EQ(h.HistoryIndex(), 50);
    EXPECT_EQ(h.Slot(2), "100");
    EXPECT_EQ(h.Slot(50), "148");

    // Forward at the last slot does nothing.
    EXPECT_TRUE(h.StepForward().isEmpty());
    EXPECT_EQ(h.HistoryIndex(), 50);

    for (int slot = 49; slot >= 1; --slot) {
        EXPECT_EQ(h.StepBack(), slot == 1 ? QString("1") : Id(100 + slot - 2));
        EXPECT_EQ(h.HistoryIndex(), slot);
    }
    // At slot 1 Back stays there and shows nothing.
    EXPECT_TRUE(h.StepBack().isEmpty());
    EXPECT_EQ(h.HistoryIndex(), 1);
}

TEST(BrowseHistory, ForwardOntoUnusedSlotDoesNotMove)
{
    TBrowseHistory h;
    h.Start("1");
    h.Record("7");
    EXPECT_TRUE(h.StepForward().isEmpty());
    EXPECT_EQ(h.HistoryIndex(), 2);
    EXPECT_EQ(h.StepBack(), "1");
    EXPECT_EQ(h.StepForward(), "7");
    EXPECT_EQ(h.HistoryIndex(), 2);
}

TEST(BrowseHistory, BackOntoUnusedSlotLeavesTheIndexThere)
{
    // An unused slot below the index: visits recorded before the start page
    // was (the window records nothing before it is shown, so only here).
    TBrowseHistory h;
    h.Record("0");
    h.Record("9");
    EXPECT_EQ(h.HistoryIndex(), 2);
    EXPECT_TRUE(h.StepBack().isEmpty());
    EXPECT_EQ(h.HistoryIndex(), 1);
}

TEST(BrowseHistory, FollowingALinkAfterBackOverwritesOnlyTheNextSlot)
{
    TBrowseHistory h;
    h.Start("1");
    h.Record("2");
    h.Record("3");
    EXPECT_EQ(h.StepBack(), "2");
    EXPECT_EQ(h.StepBack(), "1");
    h.Record("8");
    EXPECT_EQ(h.HistoryIndex(), 2);
    EXPECT_EQ(h.Slot(2), "8");
    // Forward leads to the entry recorded before.
    EXPECT_EQ(h.StepForward(), "3");
}

TEST(BrowseHistory, ListEntriesUseTheirOwnLimitAndSkipRepeats)
{
    TBrowseHistory h;
    h.Start("1");
    EXPECT_TRUE(h.RecordUnlessInView("-1", TBrowseHistory::kListLimit));
    EXPECT_FALSE(h.RecordUnlessInView("-1", TBrowseHistory::kListLimit));
    EXPECT_EQ(h.HistoryIndex(), 2);
    while (h.HistoryIndex() < TBrowseHistory::kListLimit)
        h.Record("4");
    EXPECT_FALSE(h.RecordUnlessInView("-3", TBrowseHistory::kListLimit));
    EXPECT_EQ(h.HistoryIndex(), 30);
    EXPECT_TRUE(h.Record("5"));  // pages still go up to 50
    EXPECT_EQ(h.HistoryIndex(), 31);
}

}  // namespace
}  // namespace quorvel
