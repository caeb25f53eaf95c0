// PaneSelectionTest.cpp -- a pane's selection is held by its id across rebuilds of the rows.
#include <gtest/gtest.h>

#include "lobby/PaneSelection.h"

using g2lobby::PaneSelection;

TEST(PaneSelection, FollowsItsIdToTheNewRowAndIsClearedWhenTheRowIsGone) {
    PaneSelection s(7);  // an id handed over from the last visit, its row not known yet
    EXPECT_EQ(s.Index(), -1);
    EXPECT_TRUE(s.Follow(3));
    EXPECT_TRUE(s.Is(3, 7));
    EXPECT_TRUE(s.Follow(0));  // rows above it went away
    EXPECT_EQ(s.Index(), 0);
    EXPECT_FALSE(s.Follow(-1));  // its own row went away
    EXPECT_EQ(s.Index(), -1);
    EXPECT_EQ(s.Id(), -1);
    EXPECT_TRUE(s.Follow(-1)) << "nothing selected: nothing is lost";
}

TEST(PaneSelection, SelectingAnIdWithoutARowChangesNothing) {
    PaneSelection s;
    EXPECT_TRUE(s.Select(12, 2, false));
    EXPECT_FALSE(s.Select(40, -1, false));
    EXPECT_TRUE(s.Is(2, 12));
    EXPECT_TRUE(s.Select(-1, 5, false));  // a negative id clears, whatever the row
    EXPECT_EQ(s.Index(), -1);
    EXPECT_EQ(s.Id(), -1);
}
