#pragma once
#include "elements/MapRecords.h"

namespace NK {
class BitmapStore;
}
class Backgrounds;
class Dialogs;
class Enemies;
class Boxes;
class Circles;
class Gate;
class Lights;
class Levers;
class NPCs;
class Player;
class Surfaces;

// The level in memory: every element collection and the ground, seen as one
// document that turns into map records and back. It owns nothing; the game
// owns the collections and hands them over, every one of them.
class LevelDocument {
public:
    struct Parts {
        NK::BitmapStore* bitmaps = nullptr;  // for the images of "BG", "B" and "C" records
        Player* player = nullptr;
        Gate* gate = nullptr;
        Backgrounds* backgrounds = nullptr;
        Surfaces* surfaces = nullptr;
        Dialogs* dialogs = nullptr;
        Lights* lights = nullptr;
        Levers* levers = nullptr;
        NPCs* npcs = nullptr;
        Enemies* enemies = nullptr;
        Boxes* boxes = nullptr;
        Circles* circles = nullptr;
    };

    explicit LevelDocument(const Parts& parts) : parts(parts) {}

    // The level as the map file holds it, in list order within each kind.
    MapData collect() const;
    // The highest surface key handed out: the saved file's surface section
    // depends on it, not only on the surfaces that exist.
    int surfaceCounter() const;
    // Adds every record to its collection, after what is already there.
    void apply(const MapData& data);
    // Undo and redo: the level becomes these records, and the change counts
    // as an edit, so the player and the gate stay changed once they were and
    // become so when the records move them.
    void replace(const MapData& data);
    // Empties every collection and puts the player and the gate back.
    void clear();
    bool isEmpty() const;

private:
    Parts parts;
};
