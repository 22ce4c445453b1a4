#pragma once
// Level themes for the precreated editor images: one per
// level name level1 .. level9, each a material colour and a lamp colour.
#include "tools/assetgen/Paint.h"

namespace gen {

struct Theme {
    const char* name;  // what the area is, for ART_STYLE.md and comments
    unsigned base;     // the main surface colour
    unsigned lamp;     // the coloured light of the area
    unsigned trim;     // stripes and edges
};

inline const Theme& theme(int level) {
    static const Theme themes[10] = {{"studio", 0x2c3540, 0x2fd3c3, 0x2fd3c3},
                                     {"loading dock", 0x5a4030, 0xffb347, 0xf2c12e},
                                     {"server hall", 0x26333c, 0x2fd3c3, 0x2fd3c3},
                                     {"drain tunnels", 0x2e3a2e, 0x6dff8a, 0x9acd32},
                                     {"foundry", 0x3e2a26, 0xff6a2a, 0xff9a3a},
                                     {"laboratory", 0x58626e, 0x8ab4ff, 0xdfe6ee},
                                     {"cold storage", 0x2e4a5c, 0x9fe8ff, 0xbfefff},
                                     {"reactor", 0x2e3626, 0xc8ff3a, 0xc8ff3a},
                                     {"control rooms", 0x33283e, 0xff4fd8, 0xff4fd8},
                                     {"rooftop", 0x1e2636, 0xff3b3b, 0x8aa0c8}};
    return themes[level < 0 || level > 9 ? 0 : level];
}

// Grimy metal or concrete filling x, y, w, h; tiles with itself when
// `period` (in noise cells) divides the size. Made from noise per pixel.
void grime(float x, float y, int w, int h, Col base, int seed, float amount, int period = 0);

}  // namespace gen
