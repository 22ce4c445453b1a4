#include "engine/FontStore.h"

#include <allegro5/allegro_ttf.h>

#include "engine/Log.h"

namespace NK {

FontStore::FontStore(RenderContext* rc) : renderContext(rc) {}

FontStore::~FontStore() {
    destroyAll();
}

ALLEGRO_FONT* FontStore::load(const std::string& path, const std::string& key) {
    fonts.clearForRemake(key);
    Sizes sizes;
    for (int n = minSize; n <= maxSize; ++n) {
        sizes[n].reset(al_load_ttf_font(path.c_str(), 3 * n, 0));
        if (!sizes[n]) {
            fatalError("Font path \"" + path + "\" not found or initialization fails");
        }
    }
    return fonts.insert(key, std::move(sizes))[maxSize].get();
}

int FontStore::clampSize(const std::string& key, int size) {
    if (size < minSize) {
        logInfo("Font with key \"" + key + "\" size lower than minimum font size - " +
                std::to_string(minSize));
        return minSize;
    }
    if (size > maxSize) {
        logInfo("Font with key \"" + key + "\" size higher than maximum font size - " +
                std::to_string(maxSize));
        return maxSize;
    }
    return size;
}

ALLEGRO_FONT* FontStore::get(const std::string& key, int size) {
    // Clamped first, so a bad size is logged even when the key then proves fatal.
    size = clampSize(key, size);
    return fonts.get(key)[size].get();
}

void FontStore::destroy(const std::string& key) {
    fonts.destroy(key);
}

void FontStore::destroyAll() {
    fonts.clear();
}

void FontStore::drawText(const std::string& key, int size, const Color& color, Vec2 position,
                         int flags, const std::string& text) {
    al_draw_text(get(key, size), color.toAllegro(), position.x, position.y, flags, text.c_str());
}

void FontStore::drawMultilineText(const std::string& key, int size, const Color& color,
                                  Vec2 position, float maxWidth, int flags,
                                  const std::string& text) {
    al_draw_multiline_text(get(key, size), color.toAllegro(), position.x, position.y, maxWidth, 0,
                           flags, text.c_str());
}

std::vector<std::string> FontStore::wrappedLines(const std::string& key, int size, float maxWidth,
                                                 const std::string& text) {
    std::vector<std::string> lines;
    auto collect = [](int, const char* line, int length, void* out) -> bool {
        static_cast<std::vector<std::string>*>(out)->emplace_back(line,
                                                                  static_cast<std::size_t>(length));
        return true;
    };
    al_do_multiline_text(get(key, size), maxWidth, text.c_str(), collect, &lines);
    return lines;
}

float FontStore::lineHeight(const std::string& key, int size) {
    return static_cast<float>(al_get_font_line_height(get(key, size)));
}

float FontStore::textWidth(const std::string& key, int size, const std::string& text) {
    return static_cast<float>(al_get_text_width(get(key, size), text.c_str()));
}

}  // namespace NK
