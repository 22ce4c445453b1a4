#include <filesystem>

#include "engine/TextFileStore.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

using Words = std::vector<std::string>;

// A line built word by word starts with a space (the files the game writes
// are read that way); replacing a word rebuilds the text with single spaces
// whatever separated the words before; a word past either end is fatal and
// leaves the line as it was.
TEST(TextLine, BuiltWithoutTheLeadingSpaceOrRebuiltWithOldSpacingOrReplacedPastTheEnd) {
    NK::TextLine built;
    built.addWord("block"), built.addWord("12");
    EXPECT_EQ(built.text, " block 12");
    EXPECT_EQ(built.words, (Words{"block", "12"}));
    NK::TextLine read("  light\t3   4\r");
    EXPECT_EQ(read.words, (Words{"light", "3", "4"}));
    read.setWord(1, "7");
    EXPECT_EQ(read.text, "light 7 4");
    EXPECT_FATAL(read.setWord(3, "9"), "Index for new word \"9\" is higher than line size");
    EXPECT_FATAL(read.setWord(-1, "9"), "Index for new word \"9\" is higher than line size");
    EXPECT_EQ(read.words, (Words{"light", "7", "4"}));
}

// A CRLF file keeps its carriage returns in the text and out of the words;
// blank lines stay lines; the last line needs no line feed, and writing puts
// one after every line, so a file read and written again is unchanged.
TEST(TextFile, CarriageReturnTakenForAWordOrBlankLinesDroppedOrLastLineLost) {
    const std::string crlf = "a b\r\n\r\n\nc";
    const std::vector<NK::TextLine> lines = NK::TextFile::parse(crlf);
    std::vector<std::string> texts;
    for (const NK::TextLine& line : lines) texts.push_back(line.text);
    EXPECT_EQ(texts, (Words{"a b\r", "\r", "", "c"}));
    EXPECT_EQ(lines[0].words, (Words{"a", "b"}));
    EXPECT_TRUE(lines[1].words.empty());
    EXPECT_EQ(NK::TextFile::serialise(lines), crlf + "\n");
    EXPECT_EQ(NK::TextFile::parse("a\n").size(), 1u);
    EXPECT_EQ(NK::TextFile::serialise(NK::TextFile::parse("")), "");
}

// A save goes through a temporary beside the file: when that cannot be
// written the old file stays whole, and the store's write is fatal with the
// path; when it can, the file is replaced and no temporary is left.
TEST(TextFile, FailedSaveTouchesTheOldFileOrLeavesItsTemporary) {
    const std::string folder = nktest::tempPath("saves"), path = folder + "/map.txt";
    std::filesystem::create_directories(folder +
                                        "/map.txt.saving");  // not a file: cannot be opened
    nktest::writeFile(path, "old\n");
    EXPECT_FALSE(NK::replaceWhole(path, "new\n"));
    NK::TextFileStore files;
    files.prepare(path, "map");
    EXPECT_FATAL(files.write("map", NK::TextFile::parse("new")),
                 "File path \"" + path + "\" not found");
    EXPECT_FALSE(NK::replaceWhole(folder + "/none/map.txt", "new\n"));
    EXPECT_EQ(nktest::contentsOf(path), "old\n");
    std::filesystem::remove(folder + "/map.txt.saving");
    EXPECT_TRUE(NK::replaceWhole(path, "new\n"));
    EXPECT_EQ(nktest::contentsOf(path), "new\n");
    EXPECT_EQ(nktest::namesIn(folder), Words{"map.txt"});
}
