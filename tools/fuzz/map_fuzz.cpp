// libFuzzer target: any bytes as a map file. The reader must answer "read"
// or "wrong data" and never crash, hang or leak; a map it accepts must build
// its ground in a real Box2D world and survive a few steps of it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "elements/MapCodec.h"
#include "elements/SurfaceBuilder.h"
#include "engine/PhysicsWorld.h"
#include "engine/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string contents(reinterpret_cast<const char*>(data), size);
    MapCodec::ReadResult result = MapCodec::read(NK::TextFile::parse(contents));
    if (!result.ok) return 0;

    // A saved map must read back to the same lines.
    int counter = static_cast<int>(result.data.surfaces.size());
    std::vector<NK::TextLine> saved = MapCodec::write(result.data, counter);
    MapCodec::ReadResult again = MapCodec::read(saved);
    if (!again.ok || NK::TextFile::serialise(MapCodec::write(again.data, counter)) !=
                         NK::TextFile::serialise(saved))
        __builtin_trap();

    NK::PhysicsWorld world(NK::Vec2(0.0f, 10.0f), nullptr);
    world.cullRect = NK::Rect(-960000.0f, -540000.0f, 1920000.0f, 1080000.0f);
    int key = 0;
    for (const SurfaceRecord& surface : result.data.surfaces)
        buildSurface(world, std::to_string(key++), surface);
    // Something falling onto the ground makes Box2D collide with it.
    world.createSquare(NK::Vec2(result.data.player.x, result.data.player.y), NK::Vec2(20, 40),
                       false, 0.0f, "probe", 1.0f, 0.5f);
    for (int tick = 0; tick < 3; ++tick) world.step(60.0f);
    return 0;
}
