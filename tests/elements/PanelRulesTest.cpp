#include "elements/PanelRules.h"

#include <cmath>

#include "tests/support/Testing.h"

// The rules the panel tests cannot reach through a 1920-wide view and
// upright pictures; the rest is checked tick by tick in ElementPanelTest.
namespace {

constexpr float pi = 3.14159265f;

// Whatever the panel takes, the map reader must take back.
TEST(PanelRules, BadTextOrFolderTakenMouseTruncatedOffCentreHandlesUnturnedOrResizeUnbounded) {
    EXPECT_EQ(PanelRules::parseNumber("7-"), 7.0f);
    EXPECT_EQ(PanelRules::parseNumber("-1000000"), -1000000.0f);
    for (const char* text : {"", "-", "--5", ".-3", "1e3", "2000000", "-1000001",
                             "99999999999999999999999999999999999999999"})
        EXPECT_FALSE(PanelRules::parseNumber(text)) << '"' << text << '"';
    EXPECT_EQ(PanelRules::selectionFromText("1.5", 3), 0);
    EXPECT_EQ(PanelRules::selectionFromText("99999999999", 3), 3);
    // The kind's mark follows a chosen element only, not "none" past the end.
    EXPECT_EQ(PanelRules::selectionText(2, 3, " D") + PanelRules::selectionText(3, 3, " D"),
              "3 D4");
    // A folder is no image (an image found: the screen table's added pages).
    const std::string folder = nktest::sourcePath("Editor/Backgrounds/");
    EXPECT_EQ(PanelRules::checkImagePath(folder, "Dovra"), PanelRules::PathCheck::NotFound);

    // A window twice the view's size: every pixel is half a level unit.
    // The player aims at the exact point; the pages cut toward zero.
    const NK::Vec2 exact = PanelRules::levelPoint({100, 50, 960, 540}, {3, 5}, {1920, 1080});
    EXPECT_EQ(std::make_pair(exact.x, exact.y), std::make_pair(101.5f, 52.5f));
    EXPECT_EQ(PanelRules::wholePoint(exact).x, 101.0f);
    EXPECT_EQ(
        PanelRules::wholePoint(PanelRules::levelPoint({-100, 0, 960, 540}, {3, 5}, {1920, 1080})).x,
        -98.0f);
    const NK::Vec2 zoomed = PanelRules::freeAreaCentre({-100, 0, 3840, 2160});
    EXPECT_EQ(std::make_pair(zoomed.x, zoomed.y), std::make_pair(-100.0f + 1520.0f, 1200.0f));
    // The rotate handle and the hit test turn with the element.
    const NK::Rect r(0, 0, 100, 50);
    const NK::Vec2 down = PanelRules::rotateHandle(r, pi / 2.0f);
    EXPECT_NEAR(down.x, 50.0f, 1e-3);
    EXPECT_NEAR(down.y, 25.0f + 90.0f, 1e-3);
    // Standing upright the 100 x 50 box reaches 45 above its centre, not 45 beside it.
    EXPECT_TRUE(PanelRules::holds(r, pi / 2.0f, {50, -20}) &&
                !PanelRules::holds(r, pi / 2.0f, {95, 25}));
    // Edges count, for an element and for a handle.
    EXPECT_TRUE(PanelRules::holds(r, 0.0f, {100, 50}) &&
                PanelRules::onHandle({15, -15}, {}, {30, 30}));
    // A handle under the pointer shows 0.7 of its colour, its alpha kept; off it, all of it.
    const NK::Color hovered = PanelRules::handleTint({15, -15}, {}, {30, 30}, {1, 0.5f, 0, 0.5f});
    const NK::Color off = PanelRules::handleTint({16, 0}, {}, {30, 30});
    EXPECT_EQ(std::vector<float>({hovered.r, hovered.g, hovered.b, hovered.a, off.r, off.g, off.b}),
              std::vector<float>({0.7f, 0.35f, 0.0f, 0.5f, 1, 1, 1}));
    // A locked resize of a zero side grows a finite square; a tall box stops at five wide.
    for (const NK::Rect& flat : {NK::Rect(0, 0, 0, 40), NK::Rect(0, 0, 40, 0), NK::Rect(0, 0, 0, 0),
                                 NK::Rect(0, 0, 1e-30f, 50)}) {
        const NK::Vec2 size = PanelRules::resized(flat, {120, 90}, true);
        EXPECT_TRUE(std::isfinite(size.x) && size.x >= PanelRules::minimumSide &&
                    std::isfinite(size.y) && size.y <= 1000000.0f)
            << flat.width << "x" << flat.height << " to " << size.x << "x" << size.y;
    }
    const NK::Vec2 square = PanelRules::resized({0, 0, 0, 40}, {120, 90}, true);
    EXPECT_EQ(std::make_pair(square.x, square.y), std::make_pair(90.0f, 90.0f));
    const NK::Vec2 tall = PanelRules::resized({0, 0, 50, 100}, {-40, -40}, true);
    EXPECT_EQ(std::make_pair(tall.x, tall.y), std::make_pair(5.0f, 10.0f));
}

}  // namespace
