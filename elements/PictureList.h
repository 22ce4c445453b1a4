#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/ExtBitmapStore.h"

// The list behind a kind whose every element is drawn as one picture of its
// own: the elements in list order (which is drawing order, later ones in
// front) and their pictures, keyed "0", "1", ... as they were added. A
// cleared list starts its keys over, so a level loaded twice makes the same
// keys. An element's picture may come and go (a figure has one only while
// its level plays); `Entry` is any struct with a `std::string key`.
template <class Entry>
class PictureList {
public:
    explicit PictureList(NK::RenderContext* renderContext) : pictures(renderContext) {}

    // Appends `entry` under the next key and returns it, for its picture.
    Entry& add(Entry entry) {
        entry.key = std::to_string(nextKey++);
        entries.push_back(std::move(entry));
        return entries.back();
    }
    void remove(std::size_t index) {
        const auto at = entries.begin() + static_cast<std::ptrdiff_t>(index);
        if (pictures.contains(at->key)) pictures.destroy(at->key);
        entries.erase(at);
    }
    void clear() {
        pictures.destroyAll();
        entries.clear();
        nextKey = 0;
    }
    NK::ExtBitmap& picture(std::size_t index) const { return pictures.get(entries[index].key); }
    void draw() const {
        for (const Entry& e : entries)
            if (pictures.contains(e.key)) pictures.drawExtBitmap(e.key);
    }
    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }

    std::vector<Entry> entries;
    // Engine stores answer look-ups only through non-const calls.
    mutable NK::ExtBitmapStore pictures;

private:
    int nextKey = 0;
};
