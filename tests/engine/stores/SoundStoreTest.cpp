#include <gtest/gtest.h>

#include "engine/SoundStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

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

TEST_F(SoundStoreTest, SoundIsKeptUnderItsKeyPlaysAndRemakeLogsOnce) {
    ALLEGRO_SAMPLE* s = sounds.loadSound(tone, "hit");
    EXPECT_EQ(sounds.getSound("hit"), s);
    sounds.playSound("hit");
    nktest::LogCapture log;
    sounds.loadSound(tone, "hit");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Sound with key \"hit\" remade"});
}

TEST_F(SoundStoreTest, SongReloadedUnderItsKeyStaysOneStoppedLoopingInstance) {
    NK::Song& first = sounds.loadSong(tone, "steps");
    expectStoppedLoopingAttached(first);
    al_play_sample_instance(first.instance.get());
    nktest::LogCapture log;
    NK::Song& second = sounds.loadSong(tone, "steps");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Song with key \"steps\" remade"});
    EXPECT_EQ(&sounds.getSong("steps"), &second);
    expectStoppedLoopingAttached(second);
}

TEST_F(SoundStoreTest, SoundsAndSongsAreSeparateKinds) {
    sounds.loadSound(tone, "same");
    nktest::LogCapture log;
    sounds.loadSong(tone, "same");  // not a remake: songs are looked for among songs
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(sounds.containsSound("same"));
}

TEST_F(SoundStoreTest, MissingFilesAndKeysAreFatalWithSoundWordingForSongKeys) {
    EXPECT_FATAL(sounds.loadSound("/tmp/nk_no_such.ogg", "a"),
                 "Sound path \"/tmp/nk_no_such.ogg\" not found or initialization failed");
    EXPECT_FATAL(sounds.loadSong("/tmp/nk_no_such.ogg", "a"),
                 "Song path \"/tmp/nk_no_such.ogg\" not found or initialization failed");
    EXPECT_FATAL(sounds.getSound("nope"), "Sound key \"nope\" not found");
    EXPECT_FATAL(sounds.getSong("nope"), "Sound key \"nope\" not found");
}

TEST_F(SoundStoreTest, DestroyingMissingKeysLogsAndDestroyingAPlayingSongIsSafe) {
    NK::Song& song = sounds.loadSong(tone, "loop");
    al_play_sample_instance(song.instance.get());
    nktest::LogCapture log;
    sounds.destroySound("never");
    sounds.destroySong("never");
    sounds.destroySong("loop");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Sound with key \"never\" not found to destroy",
                                          "INFO: Song with key \"never\" not found to destroy"}));
    EXPECT_FALSE(sounds.containsSong("loop"));
}
