#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "engine/Log.h"

namespace NK {

// One line of a text file: its text as read or rebuilt, and the words in it.
// Words are what stream extraction finds, so runs of spaces, tabs and a
// carriage return left by a CRLF file all separate words and none is a word.
class TextLine {
public:
    TextLine() = default;
    explicit TextLine(std::string text) : text(std::move(text)) {
        std::istringstream in(this->text);
        for (std::string word; in >> word;) words.push_back(word);
    }

    // Appends to the text as well, after one space, even when the text was
    // empty: a line built word by word begins with a space.
    void addWord(const std::string& word) {
        words.push_back(word);
        text += " " + word;
    }

    // Replaces one word (counted from 0) and rebuilds the text as the words
    // joined by single spaces; an index past the last word is fatal.
    void setWord(int index, const std::string& word) {
        if (index < 0 || static_cast<std::size_t>(index) >= words.size()) {
            fatalError("Index for new word \"" + word + "\" is higher than line size");
        }
        words[static_cast<std::size_t>(index)] = word;
        text.clear();
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (i) text += ' ';
            text += words[i];
        }
    }

    std::vector<std::string> words;
    std::string text;
};

}  // namespace NK
