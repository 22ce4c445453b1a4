#include "elements/Surfaces.h"

#include "engine/PhysicsWorld.h"
#include "tests/elements/PanelTestKit.h"

namespace {

class SurfacesTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        surfaces.build();
        surfaces.setCameraHook([this](NK::Vec2 c) { centres.push_back(c); });
        surfaces.show();
        usePage(surfaces, surfaces.panel().gui());
    }

    // The polyline under `key`: first segment's start, then every end.
    std::vector<std::pair<float, float>> points(const std::string& key) {
        std::vector<std::pair<float, float>> out;
        const auto& segments = world.getSurface(key).segments;
        out.emplace_back(segments.front()->x1, segments.front()->y1);
        for (const auto& s : segments) out.emplace_back(s->x2, s->y2);
        return out;
    }
    NK::Vec2 clickAt(float x, float y) {
        const NK::Vec2 at = pointAtLevel(x, y);
        clickLevel(surfaces);
        return at;
    }

    NK::PhysicsWorld world{{0.0f, 10.0f}, e.renderContext};
    Surfaces surfaces{&world, e.input, e.view, fontStore, bitmapStore, e.renderContext};
    std::vector<NK::Vec2> centres;
};

TEST_F(SurfacesTest, FirstClickMakesSurfaceZeroFromFiftyToTheLeftNextClicksExtendIt) {
    const NK::Vec2 a = clickAt(500, 400);
    const NK::Vec2 b = clickAt(700, 450);
    EXPECT_EQ(points("0"),
              (std::vector<std::pair<float, float>>{{a.x - 50.0f, a.y}, {a.x, a.y}, {b.x, b.y}}));
    EXPECT_EQ(surfaces.records().size(), 1u);
}

// Keys handed out but never drawn leave no record, and a reload numbers
// the surfaces densely again.
TEST_F(SurfacesTest, AddTwiceLeavesGapsThatRecordsSkipAndReloadNumbersDensely) {
    clickAt(500, 400);
    clickButton("add");
    clickButton("add");
    clickAt(300, 600);
    EXPECT_TRUE(world.hasSurface("2") && !world.hasSurface("1"));
    const std::vector<SurfaceRecord> records = surfaces.records();
    ASSERT_EQ(records.size(), 2u);
    surfaces.clear();
    for (const SurfaceRecord& r : records) surfaces.addFromRecord(r);
    EXPECT_TRUE(world.hasSurface("0") && world.hasSurface("1"));
    EXPECT_EQ(surfaces.surfaceCounter, 2);
}

TEST_F(SurfacesTest, PreviousPointPutsClicksBeforeTheFirstPoint) {
    const NK::Vec2 a = clickAt(500, 400);
    clickButton("prev");
    EXPECT_TRUE(surfaces.prependMode);
    const NK::Vec2 b = clickAt(200, 300);
    EXPECT_EQ(points("0"),
              (std::vector<std::pair<float, float>>{{b.x, b.y}, {a.x - 50.0f, a.y}, {a.x, a.y}}));
    for (int i = 0; i < 20; ++i) tick(surfaces, true);
    EXPECT_EQ(gui().buttonImages().get("next").alpha.current, 0.4f);
}

TEST_F(SurfacesTest, RemovingTheLastSegmentRemovesTheSurfaceSoSavingSkipsIt) {
    clickAt(500, 400);
    clickAt(600, 400);
    clickButton("last");
    EXPECT_EQ(points("0").size(), 2u);
    clickButton("first");
    EXPECT_FALSE(world.hasSurface("0"));
    EXPECT_TRUE(surfaces.records().empty());
    EXPECT_TRUE(surfaces.empty());

    clickAt(500, 400);
    tick(surfaces, true, {ALLEGRO_KEY_DELETE});
    EXPECT_FALSE(world.hasSurface("0"));
}

}  // namespace
