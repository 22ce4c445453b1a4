#pragma once
#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "elements/MapRecords.h"

// One description per map record: its tag, where its records live in a
// MapData, and its fields in file order. The reader, the writer and the
// word count all come from it, so a field added here is read, written and
// counted alike, and the editor and the file cannot drift apart.
namespace MapFields {

enum class Kind { Real, Whole, Flag, Text };

template <class R>
struct Field {
    const char* name;
    Kind kind;
    float R::*real = nullptr;
    int R::*whole = nullptr;
    bool R::*flag = nullptr;
    std::string R::*text = nullptr;
};

template <class R>
constexpr Field<R> real(const char* name, float R::*member) {
    Field<R> f{name, Kind::Real};
    f.real = member;
    return f;
}
template <class R>
constexpr Field<R> whole(const char* name, int R::*member) {
    Field<R> f{name, Kind::Whole};
    f.whole = member;
    return f;
}
template <class R>
constexpr Field<R> flag(const char* name, bool R::*member) {
    Field<R> f{name, Kind::Flag};
    f.flag = member;
    return f;
}
template <class R>
constexpr Field<R> text(const char* name, std::string R::*member) {
    Field<R> f{name, Kind::Text};
    f.text = member;
    return f;
}

// A record with a fixed list of fields: held once in a map (`one`), such as
// the player's start, or as a list (`many`), such as the lights.
template <class R, std::size_t N>
struct Record {
    const char* tag;
    R MapData::*one;
    std::vector<R> MapData::*many;
    std::array<Field<R>, N> fields;
    // The tag and every field: fewer words is wrong data.
    static constexpr std::size_t words = N + 1;
};

template <class R, class... F>
constexpr Record<R, sizeof...(F)> once(const char* tag, R MapData::*where, F... fields) {
    return {tag, where, nullptr, {{fields...}}};
}
template <class R, class... F>
constexpr Record<R, sizeof...(F)> list(const char* tag, std::vector<R> MapData::*where,
                                       F... fields) {
    return {tag, nullptr, where, {{fields...}}};
}

// "SF": a ground polyline holds as many points as it has, two at least, so
// its words are read and written by the codec itself.
struct Surfaces {
    const char* tag;
    static constexpr std::size_t words = 5;
};

constexpr auto block(const char* tag, std::vector<BlockRecord> MapData::*where) {
    using B = BlockRecord;
    return list(tag, where, text("path", &B::path), flag("is_dynamic", &B::isDynamic),
                real("x", &B::x), real("y", &B::y), real("w", &B::w), real("h", &B::h),
                real("angle", &B::angle), real("density", &B::density),
                real("friction", &B::friction), flag("rotation_fix", &B::rotationFix),
                real("delay", &B::delay));
}

// Every record in the order a map file holds them.
constexpr auto kRecords = std::make_tuple(
    once("PLY", &MapData::player, real("x", &PlayerRecord::x), real("y", &PlayerRecord::y)),
    once("CAM", &MapData::cameraArea, real("x", &CameraAreaRecord::x),
         real("y", &CameraAreaRecord::y), real("w", &CameraAreaRecord::w),
         real("h", &CameraAreaRecord::h)),
    once("FE", &MapData::fallEdge, real("y", &FallEdgeRecord::y)),
    once("G", &MapData::gate, real("x", &GateRecord::x), real("y", &GateRecord::y)),
    list("E", &MapData::enemies, real("x", &EnemyRecord::x), real("y", &EnemyRecord::y),
         real("angle_head", &EnemyRecord::angleHead),
         real("angle_holder", &EnemyRecord::angleHolder), real("radius", &EnemyRecord::radius)),
    list("LE", &MapData::levers, real("x", &LeverRecord::x), real("y", &LeverRecord::y),
         real("angle", &LeverRecord::angle), real("delay", &LeverRecord::delay)),
    list("D", &MapData::dialogs, real("x", &DialogRecord::x), real("y", &DialogRecord::y),
         real("w", &DialogRecord::w), real("h", &DialogRecord::h),
         whole("title_size", &DialogRecord::titleSize), whole("text_size", &DialogRecord::textSize),
         text("title", &DialogRecord::title), text("text", &DialogRecord::text),
         real("delay", &DialogRecord::delay)),
    list("N", &MapData::npcs, real("x", &NpcRecord::x), real("y", &NpcRecord::y),
         whole("type", &NpcRecord::type), flag("invert", &NpcRecord::invert)),
    list("BG", &MapData::backgrounds, text("path", &BackgroundRecord::path),
         real("x", &BackgroundRecord::x), real("y", &BackgroundRecord::y),
         real("w", &BackgroundRecord::w), real("h", &BackgroundRecord::h),
         real("angle", &BackgroundRecord::angle)),
    Surfaces{"SF"}, block("B", &MapData::boxes), block("C", &MapData::circles),
    list("L", &MapData::lights, real("x", &LightRecord::x), real("y", &LightRecord::y),
         real("red", &LightRecord::red), real("green", &LightRecord::green),
         real("blue", &LightRecord::blue), real("intensity", &LightRecord::intensity),
         real("hardness", &LightRecord::hardness), real("delay_on", &LightRecord::delayOn),
         real("delay_off", &LightRecord::delayOff), real("delay_speed", &LightRecord::delaySpeed),
         flag("delay_first_on", &LightRecord::delayFirstOn)));

constexpr std::size_t kRecordCount = std::tuple_size<decltype(kRecords)>::value;

// Calls `visit(record, index)` for every record description in file order.
template <class Visit>
void forEach(Visit&& visit) {
    std::apply(
        [&](const auto&... record) {
            std::size_t index = 0;
            (visit(record, index++), ...);
        },
        kRecords);
}

}  // namespace MapFields
