#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

class Game;
namespace NK {
class ExtBitmapStore;
}

// What the game's stores hold at one moment, store by store: the keys of
// every keyed store (shared bitmaps, every ext-bitmap store, dialog cards,
// text files, animations, lights, the world's bodies by kind, the widgets
// on in each widget system) and the counts of what has no keys (shots,
// Box2D bodies, animations playing). A level that comes and goes must leave
// it as it found it; two censuses compare with ==, and differences() says
// how they part, store by store.
struct Census {
    // Store name -> its keys, sorted: "bitmaps", "ext-bitmaps boxes",
    // "widgets io", ...
    std::map<std::string, std::vector<std::string>> keys;
    // "box2d bodies", "shots", "animations playing", "ground segments".
    std::map<std::string, long> counts;

    bool operator==(const Census& other) const {
        return keys == other.keys && counts == other.counts;
    }
    bool operator!=(const Census& other) const { return !(*this == other); }

    // The share that follows the level's records while it is edited: the
    // pictures of the kinds with one per record, the ground's surfaces and
    // segments, the lights. A NEW, LOAD or RECOVER changes it by design.
    Census levelShare() const;
    // Everything else; the raw Box2D count becomes the bodies off the ground,
    // so it stays comparable across a change of level.
    Census withoutLevel() const;
    // The widgets on, alone and left out: where the game goes after a level
    // (the main menu, another editor tab) decides them, not the level.
    Census widgets() const;
    Census withoutWidgets() const;
};

Census takeCensus(Game& game);

// Every store of pictures with its name: the game's, each kind's, and each
// widget system's button pictures ("widgets io").
std::vector<std::pair<std::string, NK::ExtBitmapStore*>> pictureStores(Game& game);

// One line per store that differs, empty when none does: "cards: extra
// \"2\"; missing \"0\"", "shots: 0, now 3".
std::vector<std::string> differences(const Census& expected, const Census& found);

// What must hold at every tick of a running level (play or test run): each
// box and circle that has not crumbled has exactly its body ("b_" or "c_"
// and its key) and no other body of its kind exists, the player's capsule
// is the only capsule, every Box2D body belongs to a record of the world
// (so the ground has its segments and nothing else lies about), each dialog
// has its card and no other card exists, each NPC its picture, and the
// light system holds exactly the level's lights. One line per breach.
std::vector<std::string> runMismatches(Game& game);
