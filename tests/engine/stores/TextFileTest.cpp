#include "engine/TextFileStore.h"
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
