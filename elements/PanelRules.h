#pragma once
#include <optional>
#include <string>

#include "engine/Color.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

// The arithmetic and text rules every element panel shares, free of Allegro
// so each one can be checked without a window: how values are shown and
// read back, how the selection input and the list arrows move the
// selection, where the mouse is in the level, and the geometry of the
// move, resize and rotate handles.
class PanelRules {
public:
    // The two factors as 32-bit floats, so degrees shown and typed match the
    // map file's radians to the last bit.
    static constexpr float degreesPerRadian = 57.29578f;
    static constexpr float radiansPerDegree = 0.017453292f;
    // No side of an element shrinks below this under the resize handle.
    static constexpr float minimumSide = 5.0f;
    // How far beyond the right edge the rotate handle sits.
    static constexpr float rotateHandleReach = 40.0f;

    // Six decimals cut to two by dropping four characters: the value is
    // truncated, not rounded (3.999 shows "3.99").
    static std::string fieldText(float value);
    // The leading number of a text that holds only digits, '.', '-' and
    // spaces; none when no number can be read from it, or when the map
    // reader would refuse it (not finite, or beyond MapCodec::kLargestReal).
    static std::optional<float> parseNumber(const std::string& text);

    // The record a typed "select" text picks among `count`: n > 0 picks n - 1
    // (or none, which is `count`, past the end); n <= 0 and text that is not
    // a whole number pick the first.
    static int selectionFromText(const std::string& text, int count);
    // What "select" shows: the 1-based number, with the kind's suffix only
    // when the selection is valid.
    static std::string selectionText(int selected, int count, const std::string& suffix);
    // One step back or forward; neither wraps. Back from "none" reaches the
    // last record, forward from it stays put.
    static int previous(int selected);
    static int next(int selected, int count);

    // A point on the screen (of this size) in level coordinates through the
    // view, exact: the player aims at it. The element pages work on whole
    // units: wholePoint cuts it toward zero.
    static NK::Vec2 levelPoint(const NK::Rect& view, NK::Vec2 screen, NK::Vec2 screenSize);
    static NK::Vec2 wholePoint(NK::Vec2 point);
    // Centre of the part of the view the editor's top bar (120) and right
    // panel (400) leave free, at any zoom.
    static NK::Vec2 freeAreaCentre(const NK::Rect& view);
    static NK::Rect centredOn(NK::Vec2 centre, NK::Vec2 size);
    static NK::Vec2 centreOf(const NK::Rect& rect);

    // True when the rectangle turned by `angle` about its centre holds the point.
    static bool holds(const NK::Rect& rect, float angle, NK::Vec2 point);
    // The resize handle stays at the bottom-right corner whatever the angle.
    static NK::Vec2 resizeHandle(const NK::Rect& rect);
    static NK::Vec2 rotateHandle(const NK::Rect& rect, float angle);
    // The handles are 30 units of the 1920x1080 screen at every zoom; the
    // frame hands the overlay the same size.
    static NK::Vec2 handleSize(const NK::Rect& view);
    // Within half the handle size on both axes.
    static bool onHandle(NK::Vec2 point, NK::Vec2 handle, NK::Vec2 handleSize);
    // A handle is drawn in its colour, and at 0.7 of it while the pointer is
    // on it, so a designer sees what a press would grab.
    static NK::Color handleTint(NK::Vec2 pointer, NK::Vec2 handle, NK::Vec2 handleSize,
                                NK::Color colour = NK::Color(1.0f, 1.0f, 1.0f, 1.0f));
    // The size the resize handle gives when dragged to `mouse`; with
    // `keepRatio` the rectangle's current width to height ratio holds, and
    // either way no side falls below minimumSide.
    static NK::Vec2 resized(const NK::Rect& rect, NK::Vec2 mouse, bool keepRatio);
    // The angle the rotate handle gives: from the centre toward the mouse.
    static float turnedToward(const NK::Rect& rect, NK::Vec2 mouse);

    enum class PathCheck { Empty, Found, NotFound };
    // Whether folder + path names a file that opens for reading. An empty
    // path is not checked at all, so the panel can stay silent about it.
    static PathCheck checkImagePath(const std::string& folder, const std::string& path);
};
