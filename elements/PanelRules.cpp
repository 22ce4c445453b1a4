#include "elements/PanelRules.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <fstream>
#include "engine/View.h"

#include "elements/MapCodec.h"
#include "engine/TextEntry.h"

std::string PanelRules::fieldText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    std::string text = buffer;
    return text.size() > 4 ? text.substr(0, text.size() - 4) : text;
}

std::optional<float> PanelRules::parseNumber(const std::string& text) {
    // The byte check lets through texts such as "--5" or ".-3" that hold no
    // leading number; strtof tells those apart by reading nothing.
    if (!NK::TextEntry::isDecimalNumber(text)) return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    const float value = std::strtof(begin, &end);
    if (end == begin) return std::nullopt;
    // What the map reader would refuse is no number here either, or the
    // level would save and then load back as wrong data.
    if (!std::isfinite(value) || std::fabs(value) > MapCodec::kLargestReal) return std::nullopt;
    return value;
}

int PanelRules::selectionFromText(const std::string& text, int count) {
    if (!NK::TextEntry::isInteger(text)) return 0;
    const char* begin = text.c_str();
    char* end = nullptr;
    const long n = std::strtol(begin, &end, 10);
    if (end == begin || n <= 0) return 0;
    return n > count ? count : static_cast<int>(n - 1);
}

std::string PanelRules::selectionText(int selected, int count, const std::string& suffix) {
    std::string text = std::to_string(selected + 1);
    return selected < count ? text + suffix : text;
}

int PanelRules::previous(int selected) {
    return selected > 0 ? selected - 1 : selected;
}

int PanelRules::next(int selected, int count) {
    return selected < count - 1 ? selected + 1 : selected;
}

NK::Vec2 PanelRules::levelPoint(const NK::Rect& view, NK::Vec2 screen, NK::Vec2 screenSize) {
    return {view.x + screen.x * view.width / screenSize.x,
            view.y + screen.y * view.height / screenSize.y};
}

NK::Vec2 PanelRules::wholePoint(NK::Vec2 point) {
    return {std::trunc(point.x), std::trunc(point.y)};
}

NK::Vec2 PanelRules::freeAreaCentre(const NK::Rect& view) {
    // Beside the 400-wide page on the right and below the 120-high bar on top.
    return NK::screenToLevel(
        view, NK::Vec2((NK::kScreenWidth - 400.0f) / 2.0f, (NK::kScreenHeight + 120.0f) / 2.0f));
}

NK::Rect PanelRules::centredOn(NK::Vec2 centre, NK::Vec2 size) {
    return {centre.x - size.x / 2.0f, centre.y - size.y / 2.0f, size.x, size.y};
}

NK::Vec2 PanelRules::centreOf(const NK::Rect& rect) {
    return {rect.x + rect.width / 2.0f, rect.y + rect.height / 2.0f};
}

bool PanelRules::holds(const NK::Rect& rect, float angle, NK::Vec2 point) {
    // Turn the point back by the angle and test it against the upright rectangle.
    const NK::Vec2 c = centreOf(rect);
    const float dx = point.x - c.x;
    const float dy = point.y - c.y;
    const float cs = std::cos(angle);
    const float sn = std::sin(angle);
    const float localX = dx * cs + dy * sn;
    const float localY = -dx * sn + dy * cs;
    return std::fabs(localX) <= rect.width / 2.0f && std::fabs(localY) <= rect.height / 2.0f;
}

NK::Vec2 PanelRules::resizeHandle(const NK::Rect& rect) {
    return {rect.x + rect.width, rect.y + rect.height};
}

NK::Vec2 PanelRules::rotateHandle(const NK::Rect& rect, float angle) {
    const NK::Vec2 c = centreOf(rect);
    const float reach = rect.width / 2.0f + rotateHandleReach;
    return {c.x + std::cos(angle) * reach, c.y + std::sin(angle) * reach};
}

NK::Vec2 PanelRules::handleSize(const NK::Rect& view) {
    const NK::Vec2 unit = NK::perScreenPixel(view);
    return {2.0f * 15.0f * unit.x, 2.0f * 15.0f * unit.y};
}

bool PanelRules::onHandle(NK::Vec2 point, NK::Vec2 handle, NK::Vec2 handleSize) {
    return std::fabs(point.x - handle.x) <= handleSize.x / 2.0f &&
           std::fabs(point.y - handle.y) <= handleSize.y / 2.0f;
}

NK::Color PanelRules::handleTint(NK::Vec2 pointer, NK::Vec2 handle, NK::Vec2 handleSize,
                                 NK::Color colour) {
    if (!onHandle(pointer, handle, handleSize)) return colour;
    return NK::Color(colour.r * 0.7f, colour.g * 0.7f, colour.b * 0.7f, colour.a);
}

NK::Vec2 PanelRules::resized(const NK::Rect& rect, NK::Vec2 mouse, bool keepRatio) {
    const float dx = mouse.x - rect.x;
    const float dy = mouse.y - rect.y;
    // Never wider or taller than a map may hold (a sliver of a ratio scales far).
    auto held = [](NK::Vec2 size) {
        return NK::Vec2(std::fmin(size.x, MapCodec::kLargestReal),
                        std::fmin(size.y, MapCodec::kLargestReal));
    };
    if (!keepRatio) return held({std::fmax(dx, minimumSide), std::fmax(dy, minimumSide)});

    // A side of zero (typed in) has no ratio to keep: it grows as a square.
    const bool flat = !(rect.width > 0.0f && rect.height > 0.0f);
    const float w0 = flat ? 1.0f : rect.width;
    const float h0 = flat ? 1.0f : rect.height;
    // The corner follows whichever axis gives the smaller rectangle.
    NK::Vec2 size = dy <= dx * h0 / w0 ? NK::Vec2(dy * w0 / h0, dy) : NK::Vec2(dx, dx * h0 / w0);
    if (size.x < minimumSide) size = {minimumSide, minimumSide * h0 / w0};
    if (size.y < minimumSide) size = {minimumSide * w0 / h0, minimumSide};
    return held(size);
}

float PanelRules::turnedToward(const NK::Rect& rect, NK::Vec2 mouse) {
    const NK::Vec2 c = centreOf(rect);
    return std::atan2(mouse.y - c.y, mouse.x - c.x);
}

PanelRules::PathCheck PanelRules::checkImagePath(const std::string& folder,
                                                 const std::string& path) {
    if (path.empty()) return PathCheck::Empty;
    const std::string file = folder + path;
    // A folder opens for reading too, but loading it as an image would be fatal.
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return PathCheck::NotFound;
    std::ifstream in(file, std::ios::binary);
    return in.is_open() ? PathCheck::Found : PathCheck::NotFound;
}
