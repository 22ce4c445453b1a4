#include "engine/SoundStore.h"

#include <cstdint>

#include "engine/Log.h"

namespace NK {

SoundStore::SoundStore() {
    // Failing here leaves no default mixer; songs then fail to attach and
    // sounds stay silent, which is all a machine without audio can do.
    al_reserve_samples(reservedVoices);
}

ALLEGRO_SAMPLE* SoundStore::loadSound(const std::string& path, const std::string& key) {
    sounds.clearForRemake(key);
    SamplePtr sample(al_load_sample(path.c_str()));
    if (!sample) fatalError("Sound path \"" + path + "\" not found or initialization failed");
    return sounds.insert(key, std::move(sample)).get();
}

Song& SoundStore::loadSong(const std::string& path, const std::string& key) {
    songs.clearForRemake(key);
    SamplePtr sample(al_load_sample(path.c_str()));
    if (!sample) fatalError("Song path \"" + path + "\" not found or initialization failed");
    return addSong(key, std::move(sample));
}

SamplePtr SoundStore::silence() {
    // One sample of silence; the sample owns and frees its buffer.
    void* buffer = al_calloc(1, sizeof(std::int16_t));
    return SamplePtr(al_create_sample(buffer, 1, 44100, ALLEGRO_AUDIO_DEPTH_INT16,
                                      ALLEGRO_CHANNEL_CONF_1, true));
}

void SoundStore::makeSilentSound(const std::string& key) {
    sounds.clearForRemake(key);
    sounds.insert(key, silence());
}

void SoundStore::makeSilentSong(const std::string& key) {
    songs.clearForRemake(key);
    addSong(key, silence());
}

Song& SoundStore::addSong(const std::string& key, SamplePtr sample) {
    Song song;
    song.sample = std::move(sample);
    song.instance.reset(al_create_sample_instance(song.sample.get()));
    al_set_sample_instance_playmode(song.instance.get(), ALLEGRO_PLAYMODE_LOOP);
    al_attach_sample_instance_to_mixer(song.instance.get(), al_get_default_mixer());
    return songs.insert(key, std::move(song));
}

void SoundStore::playSound(const std::string& key) {
    ++cues[key];
    al_play_sample(getSound(key), 1.0f, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

void SoundStore::destroyAll() {
    sounds.clear();
    songs.clear();
}

}  // namespace NK
