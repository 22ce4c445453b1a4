#pragma once
#include <allegro5/allegro_font.h>

#include <string>
#include <unordered_map>

#include "engine/Color.h"
#include "engine/RenderContext.h"
#include "engine/Vec2.h"

namespace NK {

// One TrueType file per key, loaded at every size the engine supports so
// nothing is ever loaded during play; a request is one hash look-up.
// Size n is Allegro's TrueType size 3n.
class FontStore {
public:
    static constexpr int minSize = 5;
    static constexpr int maxSize = 100;

    explicit FontStore(RenderContext* renderContext);
    ~FontStore();
    FontStore(const FontStore&) = delete;
    FontStore& operator=(const FontStore&) = delete;

    // Returns the largest size, the last one loaded.
    ALLEGRO_FONT* load(const std::string& path, const std::string& key);
    // Out-of-range sizes are clamped, with a line each time.
    ALLEGRO_FONT* get(const std::string& key, int size);
    void destroy(const std::string& key);
    void destroyAll();

    void drawText(const std::string& key, int size, const Color& color, Vec2 position, int flags,
                  const std::string& text);
    void drawMultilineText(const std::string& key, int size, const Color& color, Vec2 position,
                           float maxWidth, int flags, const std::string& text);

private:
    RenderContext* renderContext;
    std::unordered_map<std::string, ALLEGRO_FONT*> fonts[maxSize + 1];
};

}  // namespace NK
