#include <gtest/gtest.h>

#include "engine/SoundStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

class SoundStoreTest : public testing::Test {
protected:
    void SetUp() override { nktest::engine(); }
    void TearDown() override { sounds.destroyAll(); }
    NK::SoundStore sounds;
    std::string tone = nktest::toneFile();
};

}  // namespace

TEST_F(SoundStoreTest, StoreReservesVoicesAndMakesDefaultMixer) {
    EXPECT_NE(al_get_default_mixer(), nullptr);
}

TEST_F(SoundStoreTest, LoadedSoundPlays) {
    ALLEGRO_SAMPLE* s = sounds.loadSound(tone, "shot");
    EXPECT_EQ(sounds.getSound("shot"), s);
    EXPECT_EQ(al_get_sample_length(s), 2205u);
    sounds.playSound("shot");
    sounds.playSound("shot");  // a second, overlapping copy; nothing to report
}

TEST_F(SoundStoreTest, SongIsStoppedLoopingAndAttached) {
    NK::Song& song = sounds.loadSong(tone, "steps");
    ASSERT_NE(song.instance, nullptr);
    EXPECT_FALSE(al_get_sample_instance_playing(song.instance.get()));
    EXPECT_EQ(al_get_sample_instance_playmode(song.instance.get()), ALLEGRO_PLAYMODE_LOOP);
    EXPECT_TRUE(al_get_sample_instance_attached(song.instance.get()));
}

TEST_F(SoundStoreTest, SongReloadedUnderItsKeyStaysOneStoppedLoopingInstance) {
    NK::Song& first = sounds.loadSong(tone, "steps");
    al_play_sample_instance(first.instance.get());
    nktest::LogCapture log;
    NK::Song& second = sounds.loadSong(tone, "steps");
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Song with key \"steps\" remade"});
    EXPECT_EQ(&sounds.getSong("steps"), &second);
    EXPECT_FALSE(al_get_sample_instance_playing(second.instance.get()));
    EXPECT_EQ(al_get_sample_instance_playmode(second.instance.get()), ALLEGRO_PLAYMODE_LOOP);
}

TEST_F(SoundStoreTest, SoundsAndSongsAreSeparateKinds) {
    sounds.loadSound(tone, "same");
    nktest::LogCapture log;
    sounds.loadSong(tone, "same");  // not a remake: songs are looked for among songs
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(sounds.containsSound("same"));
    EXPECT_TRUE(sounds.containsSong("same"));
}

TEST_F(SoundStoreTest, SoundRemadeLogsOnce) {
    sounds.loadSound(tone, "hit");
    nktest::LogCapture log;
    sounds.loadSound(tone, "hit");
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Sound with key \"hit\" remade"});
}

TEST_F(SoundStoreTest, MissingFilesAreFatal) {
    EXPECT_FATAL(sounds.loadSound("/tmp/nk_no_such.ogg", "a"),
                 "Sound path \"/tmp/nk_no_such.ogg\" not found or initialization failed");
    EXPECT_FATAL(sounds.loadSong("/tmp/nk_no_such.ogg", "a"),
                 "Song path \"/tmp/nk_no_such.ogg\" not found or initialization failed");
}

TEST_F(SoundStoreTest, MissingKeysAreFatalWithSoundWordingForSongsToo) {
    EXPECT_FATAL(sounds.getSound("nope"), "Sound key \"nope\" not found");
    EXPECT_FATAL(sounds.getSong("nope"), "Sound key \"nope\" not found");
    EXPECT_FATAL(sounds.playSound("nope"), "Sound key \"nope\" not found");
}

TEST_F(SoundStoreTest, DestroyingMissingKeysLogsAndChangesNothing) {
    sounds.loadSound(tone, "kept");
    nktest::LogCapture log;
    sounds.destroySound("never");
    sounds.destroySong("never");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"INFO: Sound with key \"never\" not found to destroy",
                                        "INFO: Song with key \"never\" not found to destroy"}));
    EXPECT_TRUE(sounds.containsSound("kept"));
}

TEST_F(SoundStoreTest, DestroyingAPlayingSongIsSafe) {
    NK::Song& song = sounds.loadSong(tone, "loop");
    al_play_sample_instance(song.instance.get());
    sounds.destroySong("loop");
    EXPECT_FALSE(sounds.containsSong("loop"));
}
