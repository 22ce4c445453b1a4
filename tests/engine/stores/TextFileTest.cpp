
#include <fstream>
#include <sstream>

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "engine/TextLine.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/Testing.h"

using nktest::Lines;

TEST(TextFileParse, LinesSplitAtLineFeedsWithNoEmptyLineAfterTheLast) {
    const std::pair<std::string, Lines> cases[] = {
        {"a b\n\nc", {"a b", "", "c"}},  // last line without line feed, empty line inside
        {"a\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"", {}},
        {"\n", {""}},
        {"x  y\r\n\r\nz\r\n", {"x  y\r", "\r", "z\r"}},  // carriage returns stay in the text
    };
    for (const auto& [contents, texts] : cases) {
        Lines got;
        for (const NK::TextLine& line : NK::TextFile::parse(contents)) got.push_back(line.text);
        EXPECT_EQ(got, texts) << testing::PrintToString(contents);
    }
}

// Spaces, tabs and carriage returns separate words and are none; setting a
// word rebuilds the text with single spaces, adding one appends after a
// space even to an empty line.
TEST(TextLineWords, WrongWordsOrTextAfterSettingOrAddingAWord) {
    EXPECT_EQ(NK::TextLine("\t one \t\ttwo   three ").words, (Lines{"one", "two", "three"}));
    EXPECT_EQ(NK::TextLine("x  y\r").words, (Lines{"x", "y"}));
    EXPECT_TRUE(NK::TextLine("\r").words.empty());
    NK::TextLine set("x   y\tz");
    set.setWord(2, "w");
    EXPECT_EQ(set.text, "x y w");
    EXPECT_EQ(set.words, (Lines{"x", "y", "w"}));
    NK::TextLine added("");
    added.addWord("w");
    added.addWord("v");
    EXPECT_EQ(added.text, " w v");
    EXPECT_EQ(added.words, (Lines{"w", "v"}));
    NK::TextLine kept("a  b\r");
    kept.addWord("c");
    EXPECT_EQ(kept.text, "a  b\r c");
}

TEST(TextLineWords, SetWordPastTheLastIsFatal) {
    NK::TextLine line("x y");
    EXPECT_FATAL(line.setWord(2, "v"), "Index for new word \"v\" is higher than line size");
    NK::TextLine empty("");
    EXPECT_FATAL(empty.setWord(0, "q\"r"), "Index for new word \"q\"r\" is higher than line size");
}

namespace {

std::string readAll(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

void writeAll(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

class TextFileStoreTest : public testing::Test {
protected:
    std::string path = nktest::tempPath("textfile.txt");
    NK::TextFileStore store;
};

}  // namespace

TEST_F(TextFileStoreTest, RoundTripGainsOnlyAFinalLineFeed) {
    const std::pair<std::string, std::string> cases[] = {
        {"a b\n\nc", "a b\n\nc\n"}, {"x y\r\nz\r\n", "x y\r\nz\r\n"}, {"", ""}};
    for (const auto& [before, after] : cases) {
        writeAll(path, before);
        std::vector<NK::TextLine> lines = store.load(path, "k").lines;
        store.write("k", lines);
        EXPECT_EQ(readAll(path), after) << testing::PrintToString(before);
    }
}

TEST_F(TextFileStoreTest, CreateEmptiesTheFileWriteFillsItAndDestroyLeavesIt) {
    writeAll(path, "old contents\n");
    EXPECT_TRUE(store.create(path, "k").lines.empty());
    EXPECT_EQ(readAll(path), "");
    store.write("k", {NK::TextLine("one"), NK::TextLine("two 2")});
    EXPECT_EQ(store.get("k").lines[1].text, "two 2");
    store.destroy("k");
    EXPECT_EQ(readAll(path), "one\ntwo 2\n");
}

TEST_F(TextFileStoreTest, WrongWordsOnRemakeMissingDestroyPathOrKey) {
    const std::string nowhere = nktest::tempPath("no_such_dir/f.txt");
    writeAll(path, "a\n");
    store.load(path, "k");
    nktest::LogCapture log;
    store.create(path, "k");
    store.destroy("k");
    store.destroy("k");
    // A file that cannot be created is reported only when written.
    store.create(nowhere, "n");
    EXPECT_EQ(log.lines(), (Lines{"INFO: TextFile with key \"k\" remade",
                                  "INFO: TextFile with key \"k\" not found to destroy"}));
    EXPECT_FATAL(store.get("k"), "File key \"k\" not found");
    EXPECT_FATAL(store.load(nowhere, "k"), "File path \"" + nowhere + "\" not found");
    EXPECT_FATAL(store.write("n", {NK::TextLine("a")}), "File path \"" + nowhere + "\" not found");
}
