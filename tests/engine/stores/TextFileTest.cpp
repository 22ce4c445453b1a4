#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "engine/TextLine.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

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

TEST(TextLineWords, SpacesTabsAndCarriageReturnsSeparateWordsAndAreNone) {
    EXPECT_EQ(NK::TextLine("\t one \t\ttwo   three ").words, (Lines{"one", "two", "three"}));
    EXPECT_EQ(NK::TextLine("x  y\r").words, (Lines{"x", "y"}));
    EXPECT_TRUE(NK::TextLine("\r").words.empty());
}

TEST(TextLineWords, SetWordRebuildsTextWithSingleSpacesAndPastTheLastIsFatal) {
    NK::TextLine line("x   y\tz");
    line.setWord(2, "w");
    EXPECT_EQ(line.text, "x y w");
    EXPECT_EQ(line.words, (Lines{"x", "y", "w"}));
    EXPECT_FATAL(line.setWord(3, "v"), "Index for new word \"v\" is higher than line size");
    NK::TextLine empty("");
    EXPECT_FATAL(empty.setWord(0, "q\"r"), "Index for new word \"q\"r\" is higher than line size");
}

TEST(TextLineWords, AddWordAppendsAfterOneSpaceEvenToAnEmptyLine) {
    NK::TextLine line("");
    line.addWord("w");
    line.addWord("v");
    EXPECT_EQ(line.text, " w v");
    EXPECT_EQ(line.words, (Lines{"w", "v"}));
    NK::TextLine kept("a  b\r");
    kept.addWord("c");
    EXPECT_EQ(kept.text, "a  b\r c");
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
    std::string path = "/tmp/nk_stores_textfile.txt";
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

TEST_F(TextFileStoreTest, RemakeLogsAndMissingDestroyLogs) {
    writeAll(path, "a\n");
    store.load(path, "k");
    nktest::LogCapture log;
    store.create(path, "k");
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(), (Lines{"INFO: TextFile with key \"k\" remade",
                                  "INFO: TextFile with key \"k\" not found to destroy"}));
}

TEST_F(TextFileStoreTest, MissingPathOrKeyIsFatalAndAnUncreatableFileOnlyOnWrite) {
    EXPECT_FATAL(store.load("/tmp/nk_no_such_dir/f.txt", "k"),
                 "File path \"/tmp/nk_no_such_dir/f.txt\" not found");
    EXPECT_FATAL(store.get("nope"), "File key \"nope\" not found");
    nktest::LogCapture log;
    store.create("/tmp/nk_no_such_dir/f.txt", "k");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_FATAL(store.write("k", {NK::TextLine("a")}),
                 "File path \"/tmp/nk_no_such_dir/f.txt\" not found");
}
