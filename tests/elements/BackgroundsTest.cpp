#include "elements/Backgrounds.h"

#include <gtest/gtest.h>

#include "engine/ExtBitmap.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/Pixels.h"

namespace {

class BackgroundsTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        backgrounds.build();
    }
    Backgrounds backgrounds{e.input, e.view, fontStore, bitmapStore, e.renderContext};
};

TEST_F(BackgroundsTest, LaterDrawnOnTopYetClickInOverlapSelectsEarlier) {
    backgrounds.add(paneltest::solidImage(al_map_rgb(255, 0, 0)), {100, 200, 300, 300}, 0.0f);
    backgrounds.add(paneltest::solidImage(al_map_rgb(0, 0, 255)), {250, 350, 300, 300}, 0.0f);
    backgrounds.draw();
    EXPECT_EQ(nktest::colours({{300, 400}, {150, 250}}), "BR");  // blue on top, red beside it

    backgrounds.show();
    backgrounds.editor().select(2);  // neither selected
    pointAtLevel(300, 400);
    clickLevel(backgrounds);
    EXPECT_EQ(backgrounds.editor().selected, 0);
}

TEST_F(BackgroundsTest, ClearLeavesNoImageAndStartsKeysAtZeroAgain) {
    for (int i = 0; i < 2; ++i)
        backgrounds.add(paneltest::solidImage(al_map_rgb(0, 0, 0)), {0, 0, 10, 10}, 0.0f);
    backgrounds.editor().select(1);
    backgrounds.clear();
    EXPECT_TRUE(backgrounds.empty());
    EXPECT_EQ(backgrounds.images().size(), 0u);
    EXPECT_EQ(backgrounds.editor().selected, 0);
    backgrounds.add(paneltest::solidImage(al_map_rgb(0, 0, 0)), {0, 0, 10, 10}, 0.0f);
    EXPECT_EQ(backgrounds.keyList(), std::vector<std::string>{"0"});
}

}  // namespace
