#pragma once
#include <string>
#include <vector>

#include "engine/TextLine.h"

namespace NK {

// A text file held whole as lines of words. parse and serialise are the
// file's rules on their own, with no file system, so they are tested on
// strings; TextFileStore does the reading and writing.
class TextFile {
public:
    TextFile() = default;
    TextFile(std::vector<TextLine> lines, std::string path)
        : lines(std::move(lines)), path(std::move(path)) {}

    // Splits at line feeds, which are dropped. A last line without a line
    // feed still counts; a final line feed adds no empty line; empty lines
    // inside stay as lines with no words; a carriage return before a line
    // feed stays in the text.
    static std::vector<TextLine> parse(const std::string& contents) {
        std::vector<TextLine> lines;
        std::size_t start = 0;
        while (start < contents.size()) {
            std::size_t end = contents.find('\n', start);
            if (end == std::string::npos) end = contents.size();
            lines.emplace_back(contents.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    // Every line's text followed by a line feed, so the result always ends
    // with one (and is empty for no lines).
    static std::string serialise(const std::vector<TextLine>& lines) {
        std::string out;
        for (const TextLine& line : lines) {
            out += line.text;
            out += '\n';
        }
        return out;
    }

    std::vector<TextLine> lines;
    std::string path;
};

}  // namespace NK
