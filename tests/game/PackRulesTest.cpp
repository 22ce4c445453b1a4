#include <gtest/gtest.h>

#include <fstream>

#include "game/PackArchive.h"
#include "game/PackRules.h"
#include "tests/support/Files.h"

// The refusals of whole archives are in the hostile corpus; these are the
// rules under them that a corpus reaches only by luck.

// Overlong forms, surrogates and code points past Unicode spell one name as
// another, so an id, a name or an entry holding them is refused; every
// other character of every length is taken.
TEST(PackRules, Utf8OverlongSurrogateOrCutShortTakenAsText) {
    const std::vector<std::pair<std::string, bool>> rows = {
        {"", true},
        {"Level é", true},
        {"\xF0\x9F\x98\x80", true},
        {"\xC0\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xE2\x82", false},
        {"\xF4\x90\x80\x80", false},
        {"\x80", false},
        {"\xE0\x83\xA9", false},
        {"\xF0\x82\x82\xAC", false},
        // Each length's first and last code point, and those beside the
        // surrogates, are text.
        {"\xC2\x80\xDF\xBF", true},
        {"\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF", true},
        {"\xED\x9F\xBF\xEE\x80\x80", true},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true},
    };
    for (const auto& [text, valid] : rows) EXPECT_EQ(PackRules::validUtf8(text), valid) << text;
    EXPECT_NE(PackRules::nameProblem("Deep_Core"), "");  // "_" is a blank in the list
    EXPECT_NE(PackRules::nameProblem("A\tB"), "");
    EXPECT_EQ(PackRules::nameProblem("Forest Trail 2"), "");
    EXPECT_EQ(PackRules::nameProblem(std::string(61, 'a')), "longer than 60 bytes");
    for (const char* id : {"", "-a", "A", "a b", "a/b", "a.b"})
        EXPECT_NE(PackRules::idProblem(id), "") << id;
    EXPECT_EQ(PackRules::idProblem("forest_trail-2"), "");
}

// Every picture a pack's map names is checked, of every kind: one from
// another kind's folder, or missing from its own, refuses the map.
TEST(PackRules, MapPictureOfSomeKindLeftUnchecked) {
    const std::string source = std::string(NK_SOURCE_DIR) + "/";
    const std::string map = nktest::contentsOf(source + "tests/data/maps/every_record.txt");
    const auto there = [&](const std::string& p) { return std::ifstream(source + p).good(); };
    EXPECT_EQ(PackRules::mapProblem(map, there), "");
    const std::pair<std::string, std::string> kinds[] = {
        {"Editor/Backgrounds/Dovra/level1-1.png", "Editor/Boxes/x.png"},
        {"Editor/Boxes/Dovra/block1.png", "Editor/Circles/x.png"},
        {"Editor/Circles/Dovra/level1circle.png", "Editor/Backgrounds/x.png"}};
    for (const auto& [path, elsewhere] : kinds) {
        for (const std::string& bad : {elsewhere, path.substr(0, path.rfind('/')) + "/no.png"}) {
            std::string text = map;
            text.replace(text.find(path), path.size(), bad);
            EXPECT_NE(PackRules::mapProblem(text, there).find('"' + bad + "\" is not"), std::string::npos)
                << bad;
        }
    }
}

// A pack written and read back is the pack; installed, its first level is
// open, and a level the player opened in an earlier version stays open by
// its map's name although its folder is a new one.
TEST(PackRules, RoundTripLosesAnEntryOrUpgradeLosesProgress) {
    PackRules::Pack pack;
    pack.manifest = {1, "trail", "Forest Trail", "Ana", 2};
    pack.levels = {{"maps/a.txt", "proofs/a.replay", "First"},
                   {"maps/b.txt", "proofs/b.replay", "Second"},
                   {"maps/c.txt", "proofs/c.replay", "Third"}};
    for (const char* name : {"maps/a.txt", "proofs/a.replay", "maps/b.txt", "proofs/b.replay",
                             "maps/c.txt", "proofs/c.replay"})
        pack.entries.push_back({name, std::string("data of ") + name});
    const PackArchive::Read archive =
        PackArchive::readBytes(PackArchive::zipBytes(PackRules::toEntries(pack)));
    ASSERT_EQ(archive.status, PackArchive::Read::Status::Ok) << archive.error;
    const PackRules::PackRead read = PackRules::fromEntries(archive.entries);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(PackRules::writeManifest(read.pack.manifest),
              PackRules::writeManifest(pack.manifest));
    ASSERT_EQ(read.pack.levels.size(), 3u);
    EXPECT_EQ(*read.pack.entry("proofs/c.replay"), "data of proofs/c.replay");

    const std::string before = "E/trail/v1/a.txt First 0\nE/trail/v1/c.txt Third 1\n";
    EXPECT_EQ(PackRules::packFileText(read.pack, "E/trail/v2/", before),
              "E/trail/v2/a.txt First 1\nE/trail/v2/b.txt Second 0\nE/trail/v2/c.txt Third 1\n");
    EXPECT_EQ(PackRules::listLine("P/trail-v2.txt", "Forest Trail"), "P/trail-v2.txt Forest_Trail");
}
