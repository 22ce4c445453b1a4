#pragma once
#include <allegro5/allegro_audio.h>

#include <map>
#include <string>

#include "engine/AllegroPtr.h"
#include "engine/KeyedStore.h"

namespace NK {

// A looping sample: its instance is made when the song is loaded, set to
// loop, attached to Allegro's default mixer and left stopped. Game code
// starts and stops it with al_play_sample_instance / al_stop_sample_instance.
struct Song {
    Song() = default;
    Song(Song&&) = default;
    Song& operator=(Song&& other) {
        release();
        sample = std::move(other.sample);
        instance = std::move(other.instance);
        return *this;
    }
    ~Song() { release(); }

    // The sample goes first, then its instance: al_destroy_sample stops an
    // instance playing it, and the instance keeps its own copy of the
    // sample's description, so it is still safe to destroy afterwards.
    void release() {
        sample.reset();
        instance.reset();
    }

    SamplePtr sample;
    SampleInstancePtr instance;
};

// Sounds (fired and forgotten) and songs (looping instances) by key.
class SoundStore {
public:
    // The voices al_play_sample can use at once; a sound fired while all are
    // busy is simply not heard.
    static constexpr int reservedVoices = 30;

    // Reserves the voices (al_reserve_samples), which also makes the default
    // mixer that songs attach to. The audio add-on must already be installed.
    SoundStore();

    ALLEGRO_SAMPLE* loadSound(const std::string& path, const std::string& key);
    Song& loadSong(const std::string& path, const std::string& key);
    ALLEGRO_SAMPLE* getSound(const std::string& key) { return sounds.get(key).get(); }
    Song& getSong(const std::string& key) { return songs.get(key); }
    bool containsSound(const std::string& key) const { return sounds.contains(key); }
    bool containsSong(const std::string& key) const { return songs.contains(key); }
    // Once, at full gain, centred, normal speed; no id is kept and a sound
    // that finds no free voice is dropped without a word.
    void playSound(const std::string& key);
    // Silent stand-ins under a key whose file is missing: every later use of
    // the key plays nothing rather than ending the game.
    void makeSilentSound(const std::string& key);
    void makeSilentSong(const std::string& key);
    void destroySound(const std::string& key) { sounds.destroy(key); }
    void destroySong(const std::string& key) { songs.destroy(key); }
    void destroyAll();
    std::vector<std::string> songKeys() const { return songs.keys(); }
    // How often each sound was asked for since the store was made: the cues
    // a check can hear on a machine without a sound card.
    const std::map<std::string, long>& cuesPlayed() const { return cues; }

private:
    static SamplePtr silence();
    Song& addSong(const std::string& key, SamplePtr sample);
    KeyedStore<SamplePtr> sounds{"Sound"};
    // A missing song is reported with the sound's words, "Sound key ...".
    KeyedStore<Song> songs{"Song", "Sound"};
    std::map<std::string, long> cues;
};

}  // namespace NK
