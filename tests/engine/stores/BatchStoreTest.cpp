#include <gtest/gtest.h>

#include "engine/BatchStore.h"
#include "engine/BitmapStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Pixels.h"

namespace {

class BatchStoreTest : public testing::Test {
protected:
    void SetUp() override { nktest::resetDrawing(); }
    void TearDown() override { nktest::resetDrawing(); }  // off the batch before it goes
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BatchStore batches{&rc};
    NK::BitmapStore bitmaps{&rc};
};

}  // namespace

TEST_F(BatchStoreTest, CreateMakesBlankBitmapWithBatchPath) {
    NK::BitmapEntry& b = batches.create({10, 20, 64.7f, 32.2f}, "b");
    EXPECT_EQ(b.source, NK::Rect(0, 0, 64, 32));
    EXPECT_EQ(b.placement, NK::Rect(10, 20, 64.7f, 32.2f));
    EXPECT_EQ(b.path, "RuntimCreatedBitmap");
}

TEST_F(BatchStoreTest, BeginTargetsTheBatchAndDrawingIgnoresTheView) {
    // The view is far away: with culling on this draw would be skipped.
    nktest::engine().view->x = 50000;
    nktest::fill(bitmaps.create({0, 0, 8, 8}, "red").get(), al_map_rgb(255, 0, 0));
    NK::BitmapEntry& b = batches.create({0, 0, 64, 64}, "b");
    batches.begin("b");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    bitmaps.draw("red", {0, 0, 32, 32});
    EXPECT_TRUE(nktest::near(nktest::pixelAt(16, 16, b.get()), 255, 0, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(48, 48, b.get()), 0, 0, 0));
}

TEST_F(BatchStoreTest, RemakeLogsOneLineAndKeepsTheNewBatch) {
    batches.create({0, 0, 8, 8}, "b");
    nktest::LogCapture log;
    batches.create({0, 0, 16, 4}, "b");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Batch with key \"b\" remade"});
    EXPECT_EQ(batches.get("b").width(), 16);
}

TEST_F(BatchStoreTest, MissingKeyIsFatalLeavingCullingOnAndMissingDestroyLogs) {
    EXPECT_FATAL(batches.begin("nope"), "Batch key \"nope\" not found");
    EXPECT_FALSE(rc.noCulling);
    nktest::LogCapture log;
    batches.destroy("nope");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Batch with key \"nope\" not found to destroy"});
}
