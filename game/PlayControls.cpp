#include "game/PlayControls.h"

#include <cmath>

#include "engine/GUIPointer.h"
#include "engine/Input.h"
#include "engine/View.h"
#include "game/PadControls.h"

namespace PlayControls {

PlayInput fromKeyboardAndMouse(const NK::Input& input, int windowWidth, int windowHeight) {
    PlayInput in;
    in.left = input.keyDown(ALLEGRO_KEY_A);
    in.right = input.keyDown(ALLEGRO_KEY_D);
    in.jumpPressed = input.keyPressed[ALLEGRO_KEY_W] != 0;
    in.usePressed = input.keyPressed[ALLEGRO_KEY_E] != 0;
    in.restartPressed = input.keyPressed[ALLEGRO_KEY_R] != 0;
    in.firePressed = input.mousePressed[1] != 0;
    in.pointer = NK::GUIPointer::onScreen(
        static_cast<float>(input.mouse.x), static_cast<float>(input.mouse.y),
        static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    return in;
}

PlayInput fromDevices(const NK::Input& input, int windowWidth, int windowHeight) {
    PlayInput in = fromKeyboardAndMouse(input, windowWidth, windowHeight);
    PadControls::addTo(in, input.pad.state);
    return in;
}

void toMouse(const PlayInput& in, NK::Input& input, int windowWidth, int windowHeight) {
    input.mouse.x = static_cast<int>(
        std::lround(in.pointer.x * static_cast<float>(windowWidth) / NK::kScreenWidth));
    input.mouse.y = static_cast<int>(
        std::lround(in.pointer.y * static_cast<float>(windowHeight) / NK::kScreenHeight));
    input.mousePressed[1] = in.firePressed ? 1 : 0;
}

}  // namespace PlayControls
