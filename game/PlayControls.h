#pragma once
#include "elements/PlayInput.h"

namespace NK {
class Input;
}

// The devices' state for one tick as the PlayInput a level and the editor
// read (and replays hold): A and D walk, W jumps, E uses, R restarts, the
// left button fires, and the pointer is on the 1920x1080 logical screen
// whatever the window's size.
namespace PlayControls {

// The keyboard and mouse alone: the editor is theirs.
PlayInput fromKeyboardAndMouse(const NK::Input& input, int windowWidth, int windowHeight);
// Every device: a controller plays beside the keyboard and mouse.
PlayInput fromDevices(const NK::Input& input, int windowWidth, int windowHeight);
// The other way, for a replay: its pointer and left button onto the mouse
// that cards and widgets read, so a replay closes a card by clicking CLOSE.
void toMouse(const PlayInput& in, NK::Input& input, int windowWidth, int windowHeight);

}  // namespace PlayControls
