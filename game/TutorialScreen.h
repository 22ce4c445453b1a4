#pragma once
#include <functional>
#include <string>
#include <vector>

class TutorialBook;
namespace NK {
class BitmapStore;
class GUISystem;
class View;
}  // namespace NK

// Five full-screen pages, turned with two buttons and left with a third.
class TutorialScreen {
public:
    TutorialScreen(NK::GUISystem* gui, NK::BitmapStore* bitmaps, TutorialBook* book);
    void build(std::function<void()> back);
    void show(bool shown);
    void draw(const NK::View& view);

private:
    NK::GUISystem* gui;
    NK::BitmapStore* bitmaps;
    TutorialBook* book;
};
