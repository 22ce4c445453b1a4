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
    std::vector<NK::Vec2> points(const std::string& key) {
        std::vector<NK::Vec2> out;
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
    const std::vector<NK::Vec2> p = points("0");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].x, a.x - 50.0f);
    EXPECT_EQ(p[0].y, a.y);
    EXPECT_EQ(p[1].x, a.x);
    EXPECT_EQ(p[2].x, b.x);
    EXPECT_EQ(surfaces.records().size(), 1u);
}

TEST_F(SurfacesTest, AddTwiceLeavesGapsThatRecordsSkipAndReloadNumbersDensely) {
    clickAt(500, 400);
    clickButton("add");
    clickButton("add");
    EXPECT_EQ(surfaces.surfaceCounter, 2);
    EXPECT_EQ(surfaces.selectedSurface, 2);
    EXPECT_FALSE(world.hasSurface("2"));  // nothing until the first click
    clickAt(300, 600);
    EXPECT_FALSE(world.hasSurface("1"));

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
    const std::vector<NK::Vec2> p = points("0");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].x, b.x);
    EXPECT_EQ(p[1].x, a.x - 50.0f);
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
