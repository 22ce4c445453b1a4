#pragma once
#include <string>
#include <vector>

// The shared resources the game loads at start, in load order.
struct ResourceEntry {
    enum Kind { Font, Bitmap, Animation, Sound, Song };
    Kind kind;
    std::string key;
    std::string path;
    int columns = 0;  // animations only
    int rows = 0;
};

const std::vector<ResourceEntry>& sharedResources();

// The store's own words for a file it could not load; the game logs them and
// goes on, so one missing file costs a picture or a sound, not the program.
std::string missingResourceMessage(const ResourceEntry& entry);

namespace NK {
struct Display;
class AnimationStore;
class BitmapStore;
class FontStore;
class SoundStore;
}  // namespace NK
// Loads an image under `key`; a missing file is logged and leaves a
// transparent stand-in, so every later use of the key draws nothing rather
// than ending the game.
void loadBitmapOrStandIn(NK::BitmapStore& bitmaps, const std::string& path, const std::string& key);
// A picture read only when first shown is still looked for at load, so a
// missing file is reported with the rest: then it gets its stand-in under
// `key` at once (true); a file that is there waits to be read (false).
bool standInIfMissing(NK::BitmapStore& bitmaps, const std::string& path, const std::string& key);
// Loads a sound or a song entry; a missing file is logged and leaves a
// silent stand-in, so playing the key is simply not heard.
void loadSoundOrSilence(NK::SoundStore& sounds, const ResourceEntry& entry);
// Every shared resource into its store, in the table's order. A missing
// picture or sound gets its stand-in and a missing animation its log line;
// without its font the game has no words to show, so that one is the font
// store's fatal error.
void loadSharedResources(NK::FontStore& fonts, NK::BitmapStore& bitmaps,
                         NK::AnimationStore& animations, NK::SoundStore& sounds);

constexpr const char* splashFile = "Resources/Images/VAZEzadide-screen.png";
// The splash over the whole window, shown at once; a missing one is logged.
void showSplash(NK::BitmapStore& bitmaps, NK::Display& display);
// The pictures the start-up loads, roughly in its order, for the workers
// that decode them ahead of it.
std::vector<std::string> startupImages();
