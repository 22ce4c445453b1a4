#include "engine/FontStore.h"

#include <allegro5/allegro_ttf.h>

#include "engine/Log.h"

namespace NK {

FontStore::FontStore(RenderContext* rc) : renderContext(rc) {}

FontStore::~FontStore() {
    destroyAll();
}

ALLEGRO_FONT* FontStore::load(const std::string& path, const std::string& key) {
    if (fonts[minSize].count(key)) {
        logInfo("Font with key \"" + key + "\" remade");
        destroy(key);
    }
    ALLEGRO_FONT* last = nullptr;
    for (int n = minSize; n <= maxSize; ++n) {
        last = al_load_ttf_font(path.c_str(), 3 * n, 0);
        if (!last) {
            fatalError("Font path \"" + path + "\" not found or initialization fails");
            return nullptr;
        }
        fonts[n][key] = last;
    }
    return last;
}

ALLEGRO_FONT* FontStore::get(const std::string& key, int size) {
    if (size < minSize) {
        logInfo("Font with key \"" + key + "\" size lower than minimum font size - " +
                std::to_string(minSize));
        size = minSize;
    } else if (size > maxSize) {
        logInfo("Font with key \"" + key + "\" size higher than maximum font size - " +
                std::to_string(maxSize));
        size = maxSize;
    }
    auto it = fonts[size].find(key);
    if (it == fonts[size].end()) {
        fatalError("Font with key \"" + key + "\" not found");
        return nullptr;
    }
    return it->second;
}

void FontStore::destroy(const std::string& key) {
    if (!fonts[minSize].count(key)) {
        logInfo("Font with key \"" + key + "\" not found to destroy");
        return;
    }
    for (auto& bySize : fonts) {
        auto it = bySize.find(key);
        if (it == bySize.end()) continue;
        al_destroy_font(it->second);
        bySize.erase(it);
    }
}

void FontStore::destroyAll() {
    for (auto& bySize : fonts) {
        for (auto& [key, font] : bySize) al_destroy_font(font);
        bySize.clear();
    }
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

}  // namespace NK
