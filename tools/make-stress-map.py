#!/usr/bin/env python3
"""Writes the stress level: a map of 1,000 elements of every kind, mixed.

Usage: tools/make-stress-map.py OUT.txt

The level is one long ground of 100 polylines of 20 points; every other kind
is spread evenly along it, so any stretch of the level holds a bit of
everything: 20 backgrounds, 40 cameras, 40 levers, 200 NPCs, 20 lights,
20 dialog areas, and 280 boxes and 280 circles (half static, half dynamic,
a quarter of each with a touch delay). The player starts in the middle.
The output is deterministic: no randomness, so every run measures the same
level.
"""
import sys

SURFACES, POINTS, STEP = 100, 20, 100.0
WIDTH = SURFACES * (POINTS - 1) * STEP  # 190,000 pixels of ground
GROUND = 1000.0
COUNTS = dict(backgrounds=20, cameras=40, levers=40, npcs=200, lights=20, dialogs=20,
              boxes=280, circles=280)
BOXES = ["block1.png", "block2.png", "level1block.png", "level2block.png", "level4block.png",
         "level5block.png", "level7block.png", "level8block.png", "level9block.png"]
CIRCLES = ["level1circle.png", "level2circle.png", "level4circle.png", "level5circle.png",
           "level7circle.png", "level8circle.png", "level9circle.png"]
BACKGROUNDS = ["level%d-%d.png" % (n, k) for n in range(1, 10) for k in (1, 2)]


def f(v):
    return "%f" % v


def spread(count, i):
    """The x of the i-th of `count` elements spaced evenly along the ground."""
    return (i + 0.5) * WIDTH / count


def ground_y(x):
    # A gentle zig-zag, as the ground polylines below draw it.
    return GROUND + (30.0 if int(round(x / STEP)) % 2 else 0.0)


def main(out_path):
    lines = []
    middle = WIDTH / 2
    lines += ["PLY %s %s" % (f(middle), f(GROUND - 150.0)),
              "CAM %s %s %s %s" % (f(0), f(-1000), f(WIDTH), f(2500)),
              "FE %s" % f(2000), "G %s %s" % (f(WIDTH - 500), f(GROUND - 175)), ""]
    for i in range(COUNTS["cameras"]):
        lines.append("E %s %s %s %s %s" % (f(spread(COUNTS["cameras"], i)), f(GROUND - 400),
                                           f(0.5), f(0), f(500)))
    lines.append("")
    for i in range(COUNTS["levers"]):
        delay = [-1.0, 2.0, 0.0, 5.0][i % 4]
        lines.append("LE %s %s %s %s" % (f(spread(COUNTS["levers"], i) + 300), f(GROUND - 150),
                                         f(0), f(delay)))
    lines.append("")
    for i in range(COUNTS["dialogs"]):
        lines.append("D %s %s %s %s 12 8 Stress&%d Area&number&%d %s" % (
            f(spread(COUNTS["dialogs"], i) + 700), f(GROUND - 400), f(300), f(400), i, i,
            f(2.5 if i % 2 else -1)))
    lines.append("")
    for i in range(COUNTS["npcs"]):
        lines.append("N %s %s %d %d" % (f(spread(COUNTS["npcs"], i) + 50), f(GROUND - 300),
                                        i % 4, i % 2))
    lines.append("")
    for i in range(COUNTS["backgrounds"]):
        w = WIDTH / COUNTS["backgrounds"]
        lines.append("BG Editor/Backgrounds/Dovra/%s %s %s %s %s %s" % (
            BACKGROUNDS[i % len(BACKGROUNDS)], f(i * w), f(-1000), f(w), f(2500), f(0)))
    lines.append("")
    for s in range(SURFACES):
        x0 = s * (POINTS - 1) * STEP
        pts = []
        for p in range(POINTS):
            x = x0 + p * STEP
            pts += [f(x), f(ground_y(x))]
        lines.append("SF " + " ".join(pts))
    lines.append("")

    def blocks(tag, folder, images, count, offset):
        out = []
        for i in range(count):
            dynamic = i % 2
            delay = 1.5 if i % 4 == 3 else -1.0
            x = spread(count, i) + offset
            size = 80.0
            # Static ones stand on the ground; dynamic ones drop onto it.
            y = GROUND - size - (0 if not dynamic else 200)
            out.append("%s Editor/%s/Dovra/%s %d %s %s %s %s %s %s %s %d %s" % (
                tag, folder, images[i % len(images)], dynamic, f(x), f(y), f(size), f(size),
                f(0), f(1), f(0.5), i % 3 == 0, f(delay)))
        return out

    lines += blocks("B", "Boxes", BOXES, COUNTS["boxes"], 150) + [""]
    lines += blocks("C", "Circles", CIRCLES, COUNTS["circles"], 450) + [""]
    for i in range(COUNTS["lights"]):
        blink = i % 2 == 1
        lines.append("L %s %s %s %s %s %s %s %s %s %s %d" % (
            f(spread(COUNTS["lights"], i)), f(GROUND - 500), f(1), f(0.8), f(0.5), f(300), f(0.5),
            f(2 if blink else -1), f(1 if blink else -1), f(0.5 if blink else 0), 1))
    lines.append("")
    with open(out_path, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make-stress-map.py OUT.txt")
    main(sys.argv[1])
