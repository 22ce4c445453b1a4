#pragma once
#include <allegro5/allegro_audio.h>

#include "engine/SoundStore.h"

namespace nktest {

// How many sounds `act` fires: with the default mixer held still none ends,
// so the reserved voices left free afterwards (filled with `any`) are
// counted.
template <class Act>
int soundsFired(ALLEGRO_SAMPLE* any, Act act) {
    al_stop_samples();
    al_set_mixer_playing(al_get_default_mixer(), false);
    act();
    int free = 0;
    while (free < NK::SoundStore::reservedVoices &&
           al_play_sample(any, 1, 0, 1, ALLEGRO_PLAYMODE_ONCE, nullptr))
        ++free;
    al_stop_samples();
    al_set_mixer_playing(al_get_default_mixer(), true);
    return NK::SoundStore::reservedVoices - free;
}

}  // namespace nktest
