#pragma once
namespace gen {
// The dim facility hall behind the menu and the splash, in a w x h space,
// with two lamp colours (0xRRGGBB).
void backdrop(float w, float h, unsigned lampA, unsigned lampB);
void makeScreens();
}  // namespace gen
