#include <allegro5/allegro_audio.h>

#include "engine/SoundStore.h"
#include "tests/support/Testing.h"
#include "tests/support/Voices.h"

// The engine brings up the audio add-on before the store reserves voices.
const std::string tone = "Resources/Sounds/hit.ogg";

// A fired sound holds one of the reserved voices until it ends.
TEST(SoundStore, PlayedSoundTakesNoVoiceOrAMissingKeyPlaysOrSongReloadLeavesItPlayingOrUnlooped) {
    nktest::engine();
    NK::SoundStore sounds;
    sounds.loadSound(tone, "hit");
    EXPECT_EQ(nktest::soundsFired(sounds.getSound("hit"), [&] { sounds.playSound("hit"); }), 1);
    EXPECT_FATAL(sounds.playSound("nope"), "Sound key \"nope\" not found");

    // A song reloaded while it plays is replaced by one stopped, looping
    // instance on the mixer; songs live apart from sounds of the same key,
    // yet a missing song is reported in the sound's words.
    ALLEGRO_SAMPLE* sound = sounds.loadSound(tone, "steps");
    al_play_sample_instance(sounds.loadSong(tone, "steps").instance.get());
    ALLEGRO_SAMPLE_INSTANCE* i = sounds.loadSong(tone, "steps").instance.get();
    ASSERT_NE(i, nullptr);
    EXPECT_FALSE(al_get_sample_instance_playing(i));
    EXPECT_EQ(al_get_sample_instance_playmode(i), ALLEGRO_PLAYMODE_LOOP);
    EXPECT_TRUE(al_get_sample_instance_attached(i));
    EXPECT_EQ(sounds.getSound("steps"), sound);
    al_play_sample_instance(i);
    sounds.destroySong("steps");
    EXPECT_FALSE(sounds.containsSong("steps"));
    EXPECT_FATAL(sounds.getSong("steps"), "Sound key \"steps\" not found");
    sounds.loadSong(tone, "steps");
    sounds.destroyAll();
    EXPECT_TRUE(sounds.songKeys().empty());
    EXPECT_FATAL(sounds.getSound("hit"), "Sound key \"hit\" not found");
}
