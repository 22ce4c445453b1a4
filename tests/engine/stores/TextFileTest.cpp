#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "engine/TextLine.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

std::vector<std::size_t> wordCounts(const std::vector<NK::TextLine>& lines) {
    std::vector<std::size_t> counts;
    for (const auto& l : lines) counts.push_back(l.words.size());
    return counts;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

}  // namespace

TEST(TextFileParse, FinalLineWithoutLineFeedAndEmptyLineInside) {
    auto lines = NK::TextFile::parse("a b\n\nc");
    EXPECT_EQ(wordCounts(lines), (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(lines[0].text, "a b");
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[2].words, std::vector<std::string>{"c"});
}

TEST(TextFileParse, FinalLineFeedAddsNoEmptyLine) {
    EXPECT_EQ(NK::TextFile::parse("a\n").size(), 1u);
    EXPECT_EQ(NK::TextFile::parse("a\n\n").size(), 2u);
    EXPECT_EQ(NK::TextFile::parse("").size(), 0u);
    EXPECT_EQ(NK::TextFile::parse("\n").size(), 1u);
}

TEST(TextFileParse, CarriageReturnStaysInTextButIsNoWord) {
    auto lines = NK::TextFile::parse("x  y\r\n\r\nz\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "x  y\r");
    EXPECT_EQ(lines[0].words, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(lines[1].text, "\r");
    EXPECT_TRUE(lines[1].words.empty());
    EXPECT_EQ(lines[2].words, std::vector<std::string>{"z"});
}

TEST(TextFileParse, TabsAndRunsOfSpacesSeparateWords) {
    NK::TextLine line("\t one \t\ttwo   three ");
    EXPECT_EQ(line.words, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(line.text, "\t one \t\ttwo   three ");
}

TEST(TextFileParse, SerialiseEndsEveryLineWithLineFeed) {
    EXPECT_EQ(NK::TextFile::serialise(NK::TextFile::parse("a b\n\nc")), "a b\n\nc\n");
    EXPECT_EQ(NK::TextFile::serialise(NK::TextFile::parse("x y\r\nz\r\n")), "x y\r\nz\r\n");
    EXPECT_EQ(NK::TextFile::serialise({}), "");
}

TEST(TextLineWords, SetWordRebuildsTextWithSingleSpaces) {
    NK::TextLine line("x   y\tz");
    line.setWord(2, "w");
    EXPECT_EQ(line.text, "x y w");
    EXPECT_EQ(line.words, (std::vector<std::string>{"x", "y", "w"}));
}

TEST(TextLineWords, SetWordPastLastWordIsFatal) {
    NK::TextLine line("x y");
    EXPECT_FATAL(line.setWord(2, "w"), "Index for new word \"w\" is higher than line size");
    NK::TextLine empty("");
    EXPECT_FATAL(empty.setWord(0, "q\"r"), "Index for new word \"q\"r\" is higher than line size");
}

TEST(TextLineWords, AddWordToEmptyLineBeginsWithSpace) {
    NK::TextLine line("");
    line.addWord("w");
    EXPECT_EQ(line.text, " w");
    line.addWord("v");
    EXPECT_EQ(line.text, " w v");
    EXPECT_EQ(line.words, (std::vector<std::string>{"w", "v"}));
}

TEST(TextLineWords, AddWordKeepsTextAsItWas) {
    NK::TextLine line("a  b\r");
    line.addWord("c");
    EXPECT_EQ(line.text, "a  b\r c");
    EXPECT_EQ(line.words, (std::vector<std::string>{"a", "b", "c"}));
}

namespace {

class TextFileStoreTest : public testing::Test {
protected:
    std::string path = "/tmp/nk_stores_textfile.txt";
    NK::TextFileStore store;
};

}  // namespace

TEST_F(TextFileStoreTest, RoundTripGainsOnlyAFinalLineFeed) {
    writeAll(path, "a b\n\nc");
    NK::TextFile& f = store.load(path, "k");
    EXPECT_EQ(wordCounts(f.lines), (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(f.path, path);
    std::vector<NK::TextLine> lines = f.lines;
    store.write("k", lines);
    EXPECT_EQ(readAll(path), "a b\n\nc\n");
}

TEST_F(TextFileStoreTest, CrlfFileIsWrittenBackUnchanged) {
    writeAll(path, "x y\r\nz\r\n");
    std::vector<NK::TextLine> lines = store.load(path, "k").lines;
    EXPECT_EQ(wordCounts(lines), (std::vector<std::size_t>{2, 1}));
    store.write("k", lines);
    EXPECT_EQ(readAll(path), "x y\r\nz\r\n");
}

TEST_F(TextFileStoreTest, WriteReplacesKeptLinesWithACopy) {
    store.create(path, "k");
    std::vector<NK::TextLine> lines{NK::TextLine("one"), NK::TextLine("two 2")};
    store.write("k", lines);
    lines[0].setWord(0, "changed");
    EXPECT_EQ(store.get("k").lines[0].text, "one");
    EXPECT_EQ(readAll(path), "one\ntwo 2\n");
}

TEST_F(TextFileStoreTest, CreateEmptiesTheFileAndKeepsNoLines) {
    writeAll(path, "old contents\n");
    NK::TextFile& f = store.create(path, "k");
    EXPECT_TRUE(f.lines.empty());
    EXPECT_EQ(readAll(path), "");
}

TEST_F(TextFileStoreTest, RemakeLogsAndMissingDestroyLogs) {
    writeAll(path, "a\n");
    store.load(path, "k");
    nktest::LogCapture log;
    store.create(path, "k");
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"INFO: TextFile with key \"k\" remade",
                                        "INFO: TextFile with key \"k\" not found to destroy"}));
}

TEST_F(TextFileStoreTest, DestroyLeavesTheFileOnDisk) {
    writeAll(path, "keep me\n");
    store.load(path, "k");
    store.destroy("k");
    EXPECT_EQ(readAll(path), "keep me\n");
}

TEST_F(TextFileStoreTest, MissingPathAndKeyAreFatal) {
    EXPECT_FATAL(store.load("/tmp/nk_no_such_dir/f.txt", "k"),
                 "File path \"/tmp/nk_no_such_dir/f.txt\" not found");
    EXPECT_FATAL(store.get("nope"), "File key \"nope\" not found");
    EXPECT_FATAL(store.write("nope", {}), "File key \"nope\" not found");
}

TEST_F(TextFileStoreTest, UncreatableFileIsSilentUntilWritten) {
    nktest::LogCapture log;
    store.create("/tmp/nk_no_such_dir/f.txt", "k");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_FATAL(store.write("k", {NK::TextLine("a")}),
                 "File path \"/tmp/nk_no_such_dir/f.txt\" not found");
}
