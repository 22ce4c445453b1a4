#pragma once
#include <allegro5/allegro_font.h>

#include <array>
#include <string>
#include <vector>

#include "engine/AllegroPtr.h"
#include "engine/Color.h"
#include "engine/KeyedStore.h"
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
    bool contains(const std::string& key) const { return fonts.contains(key); }
    void destroy(const std::string& key);
    void destroyAll();
    std::vector<std::string> keys() const { return fonts.keys(); }

    void drawText(const std::string& key, int size, const Color& color, Vec2 position, int flags,
                  const std::string& text);
    void drawMultilineText(const std::string& key, int size, const Color& color, Vec2 position,
                           float maxWidth, int flags, const std::string& text);

    // The lines drawMultilineText breaks `text` into at `maxWidth`: Allegro's
    // own wrapping, so a caller can measure a block before it is printed.
    std::vector<std::string> wrappedLines(const std::string& key, int size, float maxWidth,
                                          const std::string& text);
    float lineHeight(const std::string& key, int size);
    float textWidth(const std::string& key, int size, const std::string& text);

    // The size a request is served at; logs when it had to be moved into range.
    static int clampSize(const std::string& key, int size);

private:
    // Indexed by size; only minSize..maxSize are filled.
    using Sizes = std::array<FontPtr, maxSize + 1>;

    RenderContext* renderContext;
    // Fonts name themselves "Font with key" in their failed look-up, where
    // other stores say "<kind> key".
    KeyedStore<Sizes> fonts{"Font", "Font with"};
};

}  // namespace NK
