#include "elements/CameraRules.h"
#include "elements/MapCodec.h"
#include "elements/PanelRules.h"
#include "engine/TextFile.h"
#include "tests/elements/LevelKit.h"
#include "tests/support/Files.h"

// Every element page as a designer uses it: the level of every_record.txt is
// open, an element is chosen by its number, and each input gets a new value
// typed key by key and Enter. What counts is what the level would save and
// what the page shows afterwards.
namespace {

constexpr float pi = 3.14159265f;

class PageFieldsTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        level.dialogs->designPath = nktest::sourcePath(Dialogs::designImage);
        for (EditorPanel* p : level.panels()) {
            p->build();
            p->setCameraHook([this](NK::Vec2 c) { centres.emplace_back(c.x, c.y); });
        }
        const MapCodec::ReadResult map = MapCodec::read(NK::TextFile::parse(
            nktest::contentsOf(nktest::sourcePath("tests/data/maps/every_record.txt"))));
        ASSERT_TRUE(map.ok);
        level.document().apply(map.data);
    }
    // Opens page `i` of the level's panels, as its tab does.
    EditorPanel* open(int i) {
        openPage(*level.panels()[static_cast<std::size_t>(i)], false);
        return page;
    }
    // Delete empties the input that has the keyboard; then the text key by
    // key, one a tick, and Enter.
    void typeKeys(const std::string& text, bool enter = true) {
        tick(*page, true, {ALLEGRO_KEY_DELETE});
        for (char c : text) {
            const int code = c == '-'   ? ALLEGRO_KEY_MINUS
                             : c == '.' ? ALLEGRO_KEY_FULLSTOP
                                        : ALLEGRO_KEY_0 + (c - '0');
            tick(*page, true, {code});
        }
        if (enter) tick(*page, true, {ALLEGRO_KEY_ENTER});
    }
    bool hasInput(const std::string& key) {
        return gui().layerStore().contains(NK::GUISystem::inputBackgroundKey(key));
    }
    // The records of one tag in the map the level saves, each as its words.
    std::vector<std::vector<std::string>> records(const std::string& tag) {
        std::vector<std::vector<std::string>> out;
        const auto map = MapCodec::write(level.document().collect(), 0);
        for (const NK::TextLine& l : NK::TextFile::parse(NK::TextFile::serialise(map)))
            if (!l.words.empty() && l.words[0] == tag) out.push_back(l.words);
        return out;
    }
    // Chooses element `n` (from 1) by its number, as a designer does.
    void choose(std::size_t n) {
        clickInput("select");
        typeKeys(std::to_string(n));
    }
    float savedValue(const std::string& tag, int record, int word) {
        return std::stof(
            records(tag).at(static_cast<std::size_t>(record)).at(static_cast<std::size_t>(word)));
    }

    nktest::Points centres;
};

// A field, what is typed into it, what it shows then, and where the saved
// map holds it: the record's tag, its number and the word.
struct FieldCase {
    int page;  // in the order of the level's panels
    const char *field, *typed, *shown, *tag;
    int record, word;
    float value;
    const char* reset = nullptr;  // a button clicked after the typing
};

// Each value differs from what the map holds; the odd ones go through the
// input's own rule (a floor, a stand-in for "none", whole sizes, degrees).
// Each RESET puts back what a new element has, whatever was typed before;
// each kind's delay button switches by what its delay input shows: a delay
// that is on goes off (-1), one that is off comes on at one second; each
// switch turns its setting over, but a block's kind only shows.
const FieldCase fieldCases[] = {
    {0, "position_x", "250", "250.00", "PLY", 0, 1, 250.0f},
    {0, "camera_area_w", "-5", "0.00", "CAM", 0, 3, 0.0f},
    {0, "fall_edge_y", "1750.5", "1750.50", "FE", 0, 1, 1750.5f},
    {1, "position_x", "3300", "3300.00", "G", 0, 1, 3300.0f},
    {1, "position_y", "640", "640.00", "G", 0, 2, 640.0f},
    {1, "position_x", "77", "0.00", "G", 0, 1, 0.0f, "position_reset"},
    {2, "position_y", "320", "320.00", "E", 0, 2, 320.0f},
    {2, "angle_head", "135", "135.00", "E", 0, 3, 3.0f * pi / 4.0f},
    {2, "angle_holder", "-90", "-90.00", "E", 0, 4, -pi / 2.0f},
    {2, "radius", "450", "450.00", "E", 0, 5, 450.0f},
    {2, "angle_head", "77", "0.00", "E", 0, 3, 0.0f, "angle_head_reset"},
    {2, "radius", "77", "500.00", "E", 0, 5, 500.0f, "sight_reset"},
    {3, "position_x", "2100", "2100.00", "LE", 0, 1, 2100.0f},
    {3, "delay", "-7.25", "-1.00", "LE", 0, 4, -1.0f},
    {3, "delay", "", "1.00", "LE", 0, 4, 1.0f},
    {3, "delay", "2", "-1.00", "LE", 0, 4, -1.0f, "delay_use"},
    {3, "delay", "-2", "1.00", "LE", 0, 4, 1.0f, "delay_use"},
    {4, "trigger_area_h", "240", "240.00", "D", 0, 4, 240.0f},
    {4, "trigger_area_w", "77", "1920.00", "D", 0, 3, 1920.0f, "trigger_area_reset"},
    {4, "trigger_area_h", "77", "1080.00", "D", 0, 4, 1080.0f, "trigger_area_reset"},
    {4, "title_size", "33.9", "33.00", "D", 0, 5, 33.0f},
    {4, "text_size", "16", "16.00", "D", 0, 6, 16.0f},
    {4, "delay", "0", "0.00", "D", 0, 9, 0.0f},
    {4, "delay", "2", "-1.00", "D", 0, 9, -1.0f, "delay_use"},
    {4, "delay", "-2", "1.00", "D", 0, 9, 1.0f, "delay_use"},
    {5, "position_y", "780", "780.00", "N", 0, 2, 780.0f},
    {6, "size_x", "640", "640.00", "BG", 0, 4, 640.0f},
    {6, "size_y", ".", "1080.00", "BG", 0, 5, 1080.0f},
    {6, "angle", "90", "90.00", "BG", 0, 6, pi / 2.0f},
    {6, "position_y", "77", "0.00", "BG", 0, 3, 0.0f, "position_reset"},
    {6, "angle", "77", "0.00", "BG", 0, 6, 0.0f, "angle_reset"},
    {8, "size_y", "120", "120.00", "B", 0, 6, 120.0f},
    {8, "density", "2.5", "2.50", "B", 0, 8, 2.5f},
    {8, "friction", "0.759", "0.75", "B", 0, 9, 0.759f},
    {8, "delay", "-0.25", "-1.00", "B", 0, 11, -1.0f},
    {8, "delay", "-", "1.00", "B", 0, 11, 1.0f},
    {8, "delay", "2", "-1.00", "B", 0, 11, -1.0f, "delay_use"},
    {8, "delay", "-2", "1.00", "B", 0, 11, 1.0f, "delay_use"},
    {8, "density", "2.5", "2.50", "B", 0, 2, 1.0f, "is_dynamic"},
    {8, "density", "2.5", "2.50", "B", 0, 10, 1.0f, "rotation_fix"},
    {9, "position_y", "650", "650.00", "C", 0, 4, 650.0f},
    {9, "density", "3", "3.00", "C", 0, 8, 3.0f},
    {10, "position_x", "1000", "1000.00", "L", 0, 1, 1000.0f},
    {10, "red", "1.7", "1.00", "L", 0, 3, 1.0f},
    {10, "green", "-0.2", "0.00", "L", 0, 4, 0.0f},
    {10, "intensity", "200", "200.00", "L", 0, 6, 200.0f},
    {10, "hardness", "0.25", "0.25", "L", 0, 7, 0.25f},
    {10, "delay_on", "-3", "-1.00", "L", 0, 9, -1.0f},  // switches both off
    {10, "delay_on", "0", "0.00", "L", 0, 9, 1.0f},     // and both on
    {10, "delay_off", "2.5", "2.50", "L", 0, 8, 0.0f},  // on already: kept
    {10, "delay_off", "3", "3.00", "L", 0, 9, 3.0f},
    {10, "delay_speed", "-4", "0.00", "L", 0, 10, 0.0f},
    {10, "delay_on", "2", "-1.00", "L", 0, 9, -1.0f, "delay_use"},
    {10, "delay_on", "-2", "1.00", "L", 0, 9, 1.0f, "delay_use"},
    {10, "intensity", "200", "200.00", "L", 0, 11, 1.0f, "delay_first_on"},
};

// Where the camera goes when element 1 of a page is chosen: the centre of
// its picture, or a camera's head.
const std::pair<float, float> chosenCentres[] = {{},         {},          {1200, 300}, {2045, 925},
                                                 {250, 750}, {800, 970},  {960, 540},  {},
                                                 {950, 750}, {1140, 640}, {960, 400}};

// A value typed and committed must reach the saved level and be what the
// input shows; an input left half typed for another shows its value again;
// choosing the element by number brings the camera to it.
TEST_F(PageFieldsTest, TypedResetOrDelayButtonValueNotSavedNotShownOrHalfTypedTextKept) {
    int shownPage = -1;
    const FieldCase* previous = nullptr;
    for (const FieldCase& c : fieldCases) {
        const std::string where = std::string(c.field) + " of page " + std::to_string(c.page);
        if (c.page != shownPage) {
            if (shownPage >= 0) page->hide();
            open(c.page);
            shownPage = c.page;
            previous = nullptr;
            if (hasInput("select")) {
                centres.clear();
                choose(1);
                EXPECT_EQ(centres, nktest::Points{chosenCentres[c.page]}) << where;
            }
        }
        // The input before, left half typed, shows its value again.
        const bool other = previous && std::string(previous->field) != c.field;
        if (other) {
            clickInput(previous->field);
            typeKeys("77", false);
        }
        clickInput(c.field);
        EXPECT_TRUE(!other || shown(previous->field) == previous->shown) << where;
        typeKeys(c.typed);
        if (c.reset) clickButton(c.reset);
        EXPECT_EQ(shown(c.field), c.shown) << where;
        EXPECT_NEAR(savedValue(c.tag, c.record, c.word), c.value, 1e-5f) << where;
        EXPECT_FALSE(page->typing()) << where;
        previous = &c;
    }
}

// Control and a click put a copy of the chosen element at the pointer: the
// same in every setting but its place. (That the one copied stays chosen:
// the screen table's copied states.)
TEST_F(PageFieldsTest, CtrlClickCopyChangesASettingOrTakesTheSelection) {
    // The page, the kind's tag, the chosen element, the word of its x, and
    // from the pointer to the copy's saved place.
    const std::tuple<int, const char*, std::size_t, std::size_t, float, float> cases[] = {
        {2, "E", 0, 1, 0, 0},        {3, "LE", 0, 1, -45, -75}, {5, "N", 0, 1, -100, -150},
        {6, "BG", 0, 2, -960, -540}, {8, "B", 1, 3, -100, -25}, {10, "L", 0, 1, 0, 0}};
    for (const auto& [pageNo, tag, chosen, xWord, dx, dy] : cases) {
        EditorPanel* p = open(pageNo);
        choose(chosen + 1);
        const auto before = records(tag);
        nktest::holdKey(input(), ALLEGRO_KEY_LCTRL);
        const NK::Vec2 at = clickLevel(*p, {600.0f, 500.0f});
        nktest::holdKey(input(), ALLEGRO_KEY_LCTRL, false);
        const auto after = records(tag);
        ASSERT_EQ(after.size(), before.size() + 1) << tag;
        std::vector<std::string> expected = before[chosen];
        expected[xWord] = MapCodec::formatReal(at.x + dx);
        expected[xWord + 1] = MapCodec::formatReal(at.y + dy);
        EXPECT_EQ(after.back(), expected) << tag;
        p->hide();
    }
}

// A drag from off an element's centre moves it by the pointer's way, not to
// the pointer, whether it was chosen before or is picked by the same press,
// straight across or up and then the other way; with the button up nothing
// moves. (The kit's tick holds that the page shows where.)
TEST_F(PageFieldsTest, DragMovesToThePointerOrWithoutTheButton) {
    level.gate->setPosition(1000.0f, 800.0f);
    // The page, the kind's tag and the word of its x, and where it is grabbed
    // and by how much it is moved.
    const std::tuple<int, const char*, std::size_t, float, float, float, float>
        cases[] = {{0, "PLY", 1, 420, 800, 200, -100},
                   {1, "G", 1, 1040, 760, 200, 0},
                   {2, "E", 1, 1180, 290, 0, -100},
                   {4, "D", 1, 150, 650, 200, 0},
                   {5, "N", 1, 750, 900, 0, -100},
                   {8, "B", 3, 920, 720, 200, 0},
                   {10, "L", 1, 970, 400, 200, -100}};
    for (const auto& [pageNo, tag, xWord, gx, gy, dx, dy] : cases) {
        NK::Vec2 movedBy(0.0f, 0.0f);  // by the drags before
        for (const bool chosenFirst : {true, false}) {
            EditorPanel* p = open(pageNo);
            if (hasInput("select") && chosenFirst) choose(1);
            if (!chosenFirst) clickLevel(*p, {20.0f, 20.0f});  // nothing there
            const float x = savedValue(tag, 0, xWord), y = savedValue(tag, 0, xWord + 1);
            const NK::Vec2 from = pointAtLevel(gx + movedBy.x, gy + movedBy.y);
            // The second drag goes the other way round: both fields move.
            const NK::Vec2 by = chosenFirst ? NK::Vec2(dx, dy) : NK::Vec2(dy, dx);
            const NK::Vec2 to = pointAtLevel(from.x + by.x, from.y + by.y);
            drag(*p, from, to, true);
            movedBy = movedBy + to - from;
            const float movedX = x + to.x - from.x, movedY = y + to.y - from.y;
            EXPECT_EQ(savedValue(tag, 0, xWord), movedX) << tag << chosenFirst;
            EXPECT_EQ(savedValue(tag, 0, xWord + 1), movedY) << tag << chosenFirst;
            pointAtLevel(300.0f, 300.0f);
            tick(*p, false);
            EXPECT_EQ(savedValue(tag, 0, xWord), movedX) << tag;
            p->hide();
        }
    }
    EXPECT_TRUE(level.gate->changed);
}

// A camera's head and holder turn toward the pointer; its sight widens to
// the pointer's distance across but never below 5.
TEST_F(PageFieldsTest, CameraHandlesTurnOrWidenTheWrongWay) {
    open(2);
    choose(1);
    const NK::Vec2 head(1200.0f, 300.0f);  // head pi / 2, holder 0.25, sight 600
    drag(*page, CameraRules::headHandle(head, pi / 2.0f), {1200.0f, 0.0f}, true);
    EXPECT_NEAR(savedValue("E", 0, 3), -pi / 2.0f, 0.02f);
    drag(*page, CameraRules::holderHandle(head, 0.25f), {1500.0f, 300.0f}, true);
    EXPECT_NEAR(savedValue("E", 0, 4), -pi / 2.0f, 0.02f);
    const NK::Vec2 to = pointAtLevel(1600.0f, 700.0f);
    drag(*page, CameraRules::sightHandle(head, 600.0f), to);
    EXPECT_EQ(savedValue("E", 0, 5), to.x - 1200.0f);
    pointAtLevel(100.0f, 300.0f);
    tick(*page, false);
    EXPECT_EQ(savedValue("E", 0, 5), 5.0f);
    release(*page);
}

// A corner of the player's camera area drags that corner alone, never a
// side below the minimum: the far corner stays where it was.
TEST_F(PageFieldsTest, CameraAreaCornerMovesTheOtherCornerOrShrinksPastTheMinimum) {
    open(0);
    for (const auto& [key, text] : {std::pair{"camera_area_x", "300"}, {"camera_area_y", "200"},
                                    {"camera_area_w", "800"}, {"camera_area_h", "500"}})
        enter(key, text);
    const NK::Rect& area = level.player->cameraArea;
    const NK::Vec2 out = pointAtLevel(1300, 900);
    drag(*page, {1100, 700}, out, true);
    EXPECT_EQ(area, NK::Rect(300, 200, out.x - 300, out.y - 200));
    drag(*page, out, {100, 100}, true);
    EXPECT_EQ(area, NK::Rect(300, 200, 5, 5));
    // The corners now overlap; the top-left one is taken.
    const NK::Vec2 in = pointAtLevel(250, 150);
    drag(*page, {300, 200}, in, true);
    EXPECT_EQ(area, NK::Rect(in.x, in.y, 305 - in.x, 205 - in.y));
    drag(*page, in, {400, 400}, true);
    EXPECT_EQ(area, NK::Rect(300, 200, 5, 5));
}

}  // namespace
