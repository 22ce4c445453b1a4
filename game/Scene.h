#pragma once

// The five scenes the game switches between by one number.
enum Scene : int {
    MainMenu = 0,
    LevelBrowser = 1,
    Tutorial = 2,
    Editor = 3,
    Play = 4,
};
