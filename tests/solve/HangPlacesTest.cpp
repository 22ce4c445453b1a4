#include <gtest/gtest.h>

#include "tools/solve/HangSearch.h"

// Hangs the search meets, in the order it meets them: the list keeps one
// place per 20 px, each with the earliest hang there and the way to it.
TEST(HangPlaces, NearHangsListedTwiceOrLaterOneKept) {
    HangPlaces places;
    const std::vector<PlayInput> slow(300), quick(120), late(400), other(50), soonest(11);
    places.add({700.0f, 580.0f}, 299, slow);
    places.add({712.0f, 596.0f}, 119, quick);   // 20 px off: the same place, sooner
    places.add({700.0f, 580.0f}, 399, late);    // 20 px from the one kept, later
    places.add({450.0f, 583.0f}, 49, other);    // another place
    places.add({700.0f, 601.0f}, 10, soonest);  // 13 px from the one kept, sooner

    const std::vector<HangPlace> listed = places.byTick();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].tick, 10);
    EXPECT_EQ(listed[0].place.y, 601.0f);
    EXPECT_EQ(listed[0].way.size(), soonest.size());
    EXPECT_EQ(listed[1].tick, 49);
    EXPECT_EQ(listed[1].place.x, 450.0f);
}
