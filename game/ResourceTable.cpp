#include "game/ResourceTable.h"

#include <allegro5/allegro.h>

#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/FontStore.h"
#include "engine/Log.h"
#include "engine/SoundStore.h"
#include "game/MainMenuScreen.h"

const std::vector<ResourceEntry>& sharedResources() {
    using K = ResourceEntry;
    static const std::vector<ResourceEntry> table = {
        {K::Font, "font", "Resources/Fonts/NK-ClearSans.ttf"},
        {K::Bitmap, "editor_bg_t", "Resources/Images/Editor/editor_bg_t.png"},
        {K::Bitmap, "editor_bg_r", "Resources/Images/Editor/editor_bg_r.png"},
        {K::Bitmap, "button", "Resources/Images/Editor/button.png"},
        {K::Bitmap, "button_g", "Resources/Images/Editor/button_g.png"},
        {K::Bitmap, "button_slide", "Resources/Images/Icons/button_slide.png"},
        {K::Bitmap, "set_precreated_path", "Resources/Images/Icons/set_precreated_path.png"},
        {K::Bitmap, "arrow_right", "Resources/Images/Icons/arrow_right.png"},
        {K::Bitmap, "resize", "Resources/Images/Icons/resize.png"},
        {K::Bitmap, "rotate", "Resources/Images/Icons/rotate.png"},
        {K::Bitmap, "change-row", "Resources/Images/Icons/change-row.png"},
        {K::Animation, "block", "Resources/Images/Ingame/Animations/block_anim.png", 8, 8},
        {K::Animation, "shot", "Resources/Images/Ingame/Animations/shot_anim.png", 8, 4},
        {K::Bitmap, "restart_level_text", "Resources/Images/Ingame/restart_level.png"},
        {K::Sound, "shot_player", "Resources/Sounds/gun.ogg"},
        {K::Sound, "shot_enemy", "Resources/Sounds/camera.ogg"},
        {K::Sound, "destroy_enemy", "Resources/Sounds/camera_destroy.ogg"},
        // Breaking a block sounds like breaking a camera: one file, two keys.
        {K::Sound, "destroy_block", "Resources/Sounds/camera_destroy.ogg"},
        {K::Sound, "destroy_shot", "Resources/Sounds/shot_destroy.ogg"},
        {K::Sound, "hit", "Resources/Sounds/hit.ogg"},
        {K::Song, "steps", "Resources/Sounds/steps.ogg"},
        {K::Sound, "win", "Resources/Sounds/win.ogg"},
        {K::Sound, "lose", "Resources/Sounds/lose.ogg"},
        {K::Bitmap, "menu_bg", "Resources/Images/Menu/menu_bg.png"},
        {K::Bitmap, "menu_button", "Resources/Images/Menu/menu_button.png"},
    };
    return table;
}

std::string missingResourceMessage(const ResourceEntry& e) {
    switch (e.kind) {
        case ResourceEntry::Font:
            return "Font path \"" + e.path + "\" not found or initialization fails";
        case ResourceEntry::Bitmap:
            return "Bitmap path \"" + e.path + "\" not found or initialization failed";
        case ResourceEntry::Animation:
            return "Animation bitmap path \"" + e.path + "\" not found or initialization failed";
        case ResourceEntry::Sound:
            return "Sound path \"" + e.path + "\" not found or initialization failed";
        case ResourceEntry::Song:
            return "Song path \"" + e.path + "\" not found or initialization failed";
    }
    return {};
}

void loadBitmapOrStandIn(NK::BitmapStore& bitmaps, const std::string& path,
                         const std::string& key) {
    if (al_filename_exists(path.c_str())) {
        bitmaps.load(path, key);
        return;
    }
    NK::logError(missingResourceMessage({ResourceEntry::Bitmap, key, path}));
    NK::BitmapEntry& standIn = bitmaps.create(NK::Rect(0, 0, 1, 1), key);
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_set_target_bitmap(standIn.get());
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_set_target_bitmap(target);
}

bool standInIfMissing(NK::BitmapStore& bitmaps, const std::string& path, const std::string& key) {
    if (al_filename_exists(path.c_str())) return false;
    loadBitmapOrStandIn(bitmaps, path, key);
    return true;
}

void loadSoundOrSilence(NK::SoundStore& sounds, const ResourceEntry& entry) {
    const bool song = entry.kind == ResourceEntry::Song;
    if (al_filename_exists(entry.path.c_str())) {
        if (song)
            sounds.loadSong(entry.path, entry.key);
        else
            sounds.loadSound(entry.path, entry.key);
        return;
    }
    NK::logError(missingResourceMessage(entry));
    if (song)
        sounds.makeSilentSong(entry.key);
    else
        sounds.makeSilentSound(entry.key);
}

void loadSharedResources(NK::FontStore& fonts, NK::BitmapStore& bitmaps,
                         NK::AnimationStore& animations, NK::SoundStore& sounds) {
    for (const ResourceEntry& r : sharedResources()) {
        switch (r.kind) {
            case ResourceEntry::Font:
                fonts.load(r.path, r.key);
                break;
            case ResourceEntry::Bitmap:
                loadBitmapOrStandIn(bitmaps, r.path, r.key);
                break;
            case ResourceEntry::Animation:
                if (al_filename_exists(r.path.c_str()))
                    animations.loadAnimation(r.path, r.columns, r.rows, r.key);
                else
                    NK::logError(missingResourceMessage(r));
                break;
            case ResourceEntry::Sound:
            case ResourceEntry::Song:
                loadSoundOrSilence(sounds, r);
                break;
        }
    }
}

void showSplash(NK::BitmapStore& bitmaps, NK::Display& display) {
    if (al_filename_exists(splashFile)) {
        bitmaps.load(splashFile, "TORV");
        bitmaps.drawOnScreen("TORV", NK::Rect(0.0f, 0.0f, static_cast<float>(display.windowWidth),
                                              static_cast<float>(display.windowHeight)));
    } else {
        NK::logError(missingResourceMessage({ResourceEntry::Bitmap, "TORV", splashFile}));
    }
    al_flip_display();
    ++display.frameCount;
}

std::vector<std::string> startupImages() {
    std::vector<std::string> files = {splashFile};
    for (const ResourceEntry& r : sharedResources())
        if (r.kind == ResourceEntry::Bitmap || r.kind == ResourceEntry::Animation)
            files.push_back(r.path);
    files.push_back(MainMenuScreen::logoFile);
    for (const std::vector<std::string>& element :
         {Player::imageFiles(), Gate::imageFiles(), NPCs::imageFiles()})
        files.insert(files.end(), element.begin(), element.end());
    files.push_back(Enemies::headPath);
    files.push_back(Enemies::holderPath);
    return files;
}
