#include "game/ResourceTable.h"

#include <allegro5/allegro_audio.h>

#include "engine/BitmapStore.h"
#include "engine/SoundStore.h"
#include "tests/game/GameKit.h"

// A sound file missing from the game folder costs that sound, never the
// program: the first play of a missing "steps" used to be a fatal look-up.
// Pictures read when first shown (tutorial pages, the win and lose windows)
// are still looked for at load: a deleted one used to go unreported until a
// player opened it. A file that is there is left to be read when shown.
TEST(ResourceTable, MissingSoundReportedTwiceOrNotSilentOrPictureReadLaterMissingUnreported) {
    NK::BitmapStore bitmaps{gamekit::game().renderContext};  // the audio add-on, no second window
    NK::SoundStore sounds;
    nktest::LogCapture log;
    loadSoundOrSilence(sounds, {ResourceEntry::Sound, "hit", "Resources/Sounds/gone.ogg"});
    loadSoundOrSilence(sounds, {ResourceEntry::Song, "steps", "Resources/Sounds/gone2.ogg"});
    sounds.playSound("hit");
    NK::Song& steps = sounds.getSong("steps");
    EXPECT_TRUE(al_play_sample_instance(steps.instance.get()));
    al_stop_sample_instance(steps.instance.get());
    // A file that is there still loads as itself.
    loadSoundOrSilence(
        sounds, {ResourceEntry::Sound, "real", nktest::sourcePath("Resources/Sounds/hit.ogg")});
    EXPECT_GT(al_get_sample_length(sounds.getSound("real")), 1u);
    EXPECT_EQ(al_get_sample_length(sounds.getSound("hit")), 1u);

    EXPECT_TRUE(standInIfMissing(bitmaps, "Resources/Images/Tutorial/gone.png", "page"));
    EXPECT_FALSE(standInIfMissing(
        bitmaps, nktest::sourcePath("Resources/Images/Ingame/win-window.png"), "win"));
    const std::string missing = "\" not found or initialization failed";
    EXPECT_EQ(log.lines(),
              nktest::Lines({"ERROR: Sound path \"Resources/Sounds/gone.ogg" + missing,
                             "ERROR: Song path \"Resources/Sounds/gone2.ogg" + missing,
                             "ERROR: Bitmap path \"Resources/Images/Tutorial/gone.png" + missing}));
    EXPECT_TRUE(bitmaps.contains("page"));
    EXPECT_FALSE(bitmaps.contains("win"));
}
