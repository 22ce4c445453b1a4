#pragma once
#include <string>

// Every screen as it looked when it was last approved. The game's frame, drawn
// now, is compared pixel by pixel with tests/data/frames/<name>.png; a picture
// a pixel off, a colour changed, a marker grown or a page left blank all
// differ by far more than the rounding of one renderer against another.
//
// A frame that differs is written to /tmp/dovra-frames-seen/<name>.png: look
// at it, and when the change is meant, copy it over the approved one.
namespace frames {

// "" when the frame drawn now matches the approved `name`, or one line
// saying how far it strays (or that no approved frame exists yet).
std::string compare(const std::string& name);

}  // namespace frames
