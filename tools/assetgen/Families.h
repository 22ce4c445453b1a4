#pragma once
// The asset families of the generator, one source file each. Every family
// writes its files under the current directory (the repository root).
namespace gen {
void makeCharacters();  // Characters.cpp, Npcs.cpp: player parts and sheets, NPC sheets
void makeProps();       // Props.cpp, Effects.cpp: gate, lever, camera, shot, health, effect sheets
void makeUi();          // Ui.cpp, Screens.cpp: menu, logo, splash, editor UI, windows, design
void makeTutorial();    // Tutorial.cpp: the five tutorial pages
void makeTiles();       // Tiles.cpp, Backgrounds.cpp: precreated boxes, circles, backgrounds
void makeSounds();      // Sounds.cpp: the OGG sound effects
void makeIcon();        // Icon.cpp: the desktop icon at every size the package installs
void makeContactSheet();  // Contact.cpp: docs/contact-sheet.png from the images made
}  // namespace gen
