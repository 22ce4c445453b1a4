
#include "engine/SoundStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/Testing.h"

namespace {

class SoundStoreTest : public testing::Test {
protected:
    std::string tone = nktest::toneFile();  // first: it brings up the audio add-on
    NK::SoundStore sounds;
};

void expectStoppedLoopingAttached(const NK::Song& song) {
    ALLEGRO_SAMPLE_INSTANCE* i = song.instance.get();
    ASSERT_NE(i, nullptr);
    EXPECT_FALSE(al_get_sample_instance_playing(i));
    EXPECT_EQ(al_get_sample_instance_playmode(i), ALLEGRO_PLAYMODE_LOOP);
    EXPECT_TRUE(al_get_sample_instance_attached(i));
}

}  // namespace

// A fired sound holds one of the reserved voices until it ends; with the
// default mixer held still nothing ends, so the voices left free are counted.
TEST_F(SoundStoreTest, PlayedSoundTakesNoVoiceOrAMissingKeyPlays) {
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
}

TEST_F(SoundStoreTest, WrongWordsOnRemakeOrMissingDestroyOrSoundsAndSongsShareKeys) {
    ALLEGRO_SAMPLE* first = sounds.loadSound(tone, "k");
    nktest::LogCapture log;
    sounds.loadSong(tone, "k");  // not a remake: songs are looked for among songs
    EXPECT_EQ(sounds.getSound("k"), first);
    sounds.loadSound(tone, "k");
    sounds.loadSong(tone, "k");
    sounds.destroySound("never");
    sounds.destroySong("never");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Sound with key \"k\" remade",
                                          "INFO: Song with key \"k\" remade",
                                          "INFO: Sound with key \"never\" not found to destroy",
                                          "INFO: Song with key \"never\" not found to destroy"}));
}

TEST_F(SoundStoreTest, SongReloadedWhilePlayingStaysOneStoppedLoopingInstanceAndGoesSafely) {
    NK::Song& first = sounds.loadSong(tone, "steps");
    expectStoppedLoopingAttached(first);
    al_play_sample_instance(first.instance.get());
    NK::Song& second = sounds.loadSong(tone, "steps");
    EXPECT_EQ(&sounds.getSong("steps"), &second);
    expectStoppedLoopingAttached(second);
    al_play_sample_instance(second.instance.get());
    sounds.destroySong("steps");
    EXPECT_FALSE(sounds.containsSong("steps"));
}

TEST_F(SoundStoreTest, MissingFilesAndKeysAreFatalWithSoundWordingForSongKeys) {
    const std::string missing = nktest::tempPath("missing.ogg");
    EXPECT_FATAL(sounds.loadSound(missing, "a"),
                 "Sound path \"" + missing + "\" not found or initialization failed");
    EXPECT_FATAL(sounds.loadSong(missing, "a"),
                 "Song path \"" + missing + "\" not found or initialization failed");
    EXPECT_FATAL(sounds.getSound("nope"), "Sound key \"nope\" not found");
    EXPECT_FATAL(sounds.getSong("nope"), "Sound key \"nope\" not found");
}
