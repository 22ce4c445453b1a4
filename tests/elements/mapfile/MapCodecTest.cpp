#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "elements/MapCodec.h"
#include "engine/TextFile.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"

namespace {

MapCodec::ReadResult readText(const std::string& text) {
    return MapCodec::read(NK::TextFile::parse(text));
}

std::string writeText(const MapData& data, int surfaceCounter = 0) {
    return NK::TextFile::serialise(MapCodec::write(data, surfaceCounter));
}

}  // namespace

// The ground's blank line follows the surface counter (keys handed out but
// never drawn still leave it; a surface drawn before any "add" leaves none);
// the other sections' blank lines are held by the maps' round trip below.
TEST(MapWrite, GroundsBlankLineOrRealsWrong) {
    const std::string empty = nktest::contentsOf(nktest::sourcePath("tests/data/maps/empty.txt"));
    EXPECT_EQ(writeText(MapData{}, 2), empty + "\n");
    MapData one;
    one.surfaces.push_back({{{0, 0}, {10, 0}}});
    EXPECT_EQ(writeText(one, 0), empty + "SF 0.000000 0.000000 10.000000 0.000000\n");
    // Reals are %f of the float widened to double: against the C library
    // itself, over values whose sixth decimal rounds either way once widened
    // (0.1f is 0.10000000149...).
    for (float v :
         {12.5f, -0.25f, 0.1f, 123.456f, -7.0000005f, 2.5e-7f, -0.0f, 999999.94f, 1234.5675f}) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(v));
        EXPECT_EQ(MapCodec::formatReal(v), buffer) << v;
    }
    // A level with a box dragged past what the reader takes still loads.
    MapData far;
    far.boxes = {{"box.png", false, 2.5e6f, -std::numeric_limits<float>::infinity(), 0.0f, 0.0f,
                  std::numeric_limits<float>::quiet_NaN()}};
    const MapCodec::ReadResult back = readText(writeText(far));
    ASSERT_TRUE(back.ok) << back.error;
    const BlockRecord& b = back.data.boxes[0];
    EXPECT_EQ(std::make_tuple(b.x, b.y, b.angle),
              std::make_tuple(MapCodec::kLargestReal, -MapCodec::kLargestReal, 0.0f));
}

TEST(MapRead, BadRecordReadOrToldWrongFewestWordsWrongOrSkippableLinesOrValuesRead) {
    // The text, the line told and why.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"PLY 1 2\nB p 1 2 3 4 5\nG 1 2\n", 2, "\"B\" needs 12 words, has 7"},
        {"PLY 1\nFE abc\n", 1, "\"PLY\" needs 3 words, has 2"},  // the first fault is the one told
        {"\n\nFE abc\n", 3, "\"FE\" word 1 \"abc\" is not a number"},
        {"G 1 nan\n", 1, "\"G\" word 2 \"nan\" is not a finite number"},
        {"G inf 1\n", 1, "\"G\" word 1 \"inf\" is not a finite number"},
        {"G 1e39 1\n", 1, "\"G\" word 1 \"1e39\" is not a finite number"},
        {"G 1e400 1\n", 1, "\"G\" word 1 \"1e400\" is out of range"},
        {"SF 0 0 1 1 2e6 5\n", 1, "\"SF\" word 5 \"2e6\" is out of range"},
        {"N 1 2 99999999999 0\n", 1, "\"N\" word 3 \"99999999999\" is out of range"},
        {"D 0 0 1 1 a 2 t x 1\n", 1, "\"D\" word 5 \"a\" is not a number"},
    };
    for (const auto& [text, line, why] : cases) {
        const MapCodec::ReadResult r = readText(text);
        EXPECT_EQ(std::make_tuple(r.ok, r.errorLine, r.error), std::make_tuple(false, line, why))
            << text;
    }
    // Each tag needs its fewest words.
    const std::pair<const char*, int> fewest[] = {
        {"PLY", 3}, {"CAM", 5}, {"FE", 2}, {"G", 3},  {"E", 6},  {"LE", 5}, {"D", 10},
        {"N", 5},   {"BG", 7},  {"SF", 5}, {"B", 12}, {"C", 12}, {"L", 12}};
    for (auto [tag, words] : fewest) {
        std::string line = tag;
        for (int i = 1; i < words - 1; ++i) line += " 1";
        EXPECT_FALSE(readText(line + "\n").ok) << line;
        EXPECT_TRUE(readText(line + " 1\n").ok) << line << " 1";
    }
    // Unknown tags, empty lines and carriage returns are skipped; surfaces
    // take pairs after the first segment and ignore an unpaired value.
    MapCodec::ReadResult r = readText("XYZ 1 2\r\n\r\n   \r\nply 1 2\r\nPLY 5 6\r\n");
    ASSERT_TRUE(r.ok);
    EXPECT_FLOAT_EQ(r.data.player.x, 5.0f);
    EXPECT_EQ(MapCodec::describeCounts(r), "1 PLY");
    r = readText("SF 0 0 1 1\nSF 0 0 1 1 2 2\nSF 0 0 1 1 2 2 3\n");
    std::vector<std::size_t> points;
    for (const SurfaceRecord& s : r.data.surfaces) points.push_back(s.points.size());
    EXPECT_EQ(points, (std::vector<std::size_t>{2, 3, 3}));
}

// dovra-map check's verdict and the form a load then a save gives: the
// monkey judges every map the editor writes by these two. Every map kept in
// the repository is in that form, so a save never shows a diff.
TEST(MapCheck, VerdictWrongOrAKeptMapNotAFixedPointOfReadAndWrite) {
    const MapCodec::Check good = MapCodec::check("G 1 2\nPLY 3 4\nSF 0 0 1 1\n");
    EXPECT_EQ(good.verdict, "Loaded 1 PLY, 1 G, 1 SF");
    EXPECT_EQ(good.normalized.find("PLY"), 0u) << "the player comes first in a saved map";
    const MapCodec::Check bad = MapCodec::check("PLY 1 2\nG x 2\n");
    EXPECT_TRUE(good.ok && !bad.ok && bad.normalized.empty());
    EXPECT_EQ(bad.verdict.rfind("Wrong data at line 2: ", 0), 0u) << bad.verdict;
    EXPECT_EQ(MapCodec::check("").verdict, "Loaded");
    int maps = 0;
    for (const char* folder : {"tests/data/maps", "tests/data/replays", "Editor/Levels"})
        for (const std::string& name : nktest::namesIn(nktest::sourcePath(folder))) {
            if (name.find("broken") != std::string::npos ||
                name.compare(name.size() - 4, 4, ".txt") != 0)
                continue;
            ++maps;
            const std::string text = nktest::contentsOf(nktest::sourcePath(folder) + "/" + name);
            EXPECT_EQ(MapCodec::check(text).normalized, text)
                << folder << "/" << name << " is not in saved form";
        }
    EXPECT_GT(maps, 0);
}
