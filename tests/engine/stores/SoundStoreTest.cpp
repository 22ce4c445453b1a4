#include <allegro5/allegro_audio.h>

#include "engine/SoundStore.h"
#include "tests/support/Testing.h"

// The engine brings up the audio add-on before the store reserves voices.
const std::string tone = "Resources/Sounds/hit.ogg";

// A fired sound holds one of the reserved voices until it ends; with the
// default mixer held still nothing ends, so the voices left free are counted.
TEST(SoundStore, PlayedSoundTakesNoVoiceOrAMissingKeyPlaysOrSongReloadLeavesItPlayingOrUnlooped) {
    nktest::engine();
    NK::SoundStore sounds;
    ALLEGRO_MIXER* mixer = al_get_default_mixer();
    ASSERT_NE(mixer, nullptr);
    sounds.loadSound(tone, "hit");
    al_stop_samples();
    al_set_mixer_playing(mixer, false);
    sounds.playSound("hit");
    int free = 0;
    ALLEGRO_SAMPLE_ID id;
    while (free <= NK::SoundStore::reservedVoices &&
           al_play_sample(sounds.getSound("hit"), 1, 0, 1, ALLEGRO_PLAYMODE_ONCE, &id))
        ++free;
    al_stop_samples();
    al_set_mixer_playing(mixer, true);
    EXPECT_EQ(free, NK::SoundStore::reservedVoices - 1);
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
}
