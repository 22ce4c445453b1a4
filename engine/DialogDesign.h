#pragma once
#include <string>

#include "engine/Color.h"
#include "engine/Vec2.h"

namespace NK {

// The look shared by a family of message cards. Its three images live in the
// bitmap store under the design's key plus "_bg", "_close" and "_next".
struct DialogDesign {
    static constexpr int alignLeft = 0;
    static constexpr int alignCentre = 1;
    static constexpr int alignRight = 2;

    std::string fontKey;
    int titleSize = 20;
    int textSize = 20;
    Color titleColour = Color::white();
    Color textColour = Color::white();
    int titleAlign = alignCentre;
    int textAlign = alignCentre;
    Vec2 titleMargin{10.0f, 10.0f};
    Vec2 textMargin{10.0f, 10.0f};

    // Where a line with this alignment is anchored across an image `width`
    // wide. Anything but left or right (old files use -1) is centred.
    static float anchorX(int align, float width, float margin) {
        if (align == alignLeft) return margin;
        if (align == alignRight) return width - margin;
        return width * 0.5f;
    }
    // Allegro's text flag for the alignment, with the same fallback to centre.
    static int textFlags(int align) {
        if (align == alignLeft || align == alignRight) return align;
        return alignCentre;
    }
};

}  // namespace NK
