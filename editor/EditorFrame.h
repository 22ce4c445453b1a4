#pragma once
#include <array>
#include <functional>
#include <string>

#include "editor/EditorCamera.h"
#include "editor/EditorTabs.h"
#include "editor/UndoHistory.h"
#include "elements/LevelRun.h"
#include "elements/PlayInput.h"
#include "engine/Vec2.h"

namespace NK {
class AnimationStore;
class BitmapStore;
class GUISystem;
class Input;
class RenderContext;
class View;
struct Display;
}  // namespace NK
class EditorPanel;
class ImportExportPanel;
class Level;

// Everything around the element pages: the top bar with its two rows of
// tabs and the show toggles, the right panel's "Run" and "Import/Export",
// the editor camera, and the test run, which steps the level in the play
// scene's own tick order (LevelRun) with the editor's differences.
class EditorFrame {
public:
    struct Services {
        NK::Input* input = nullptr;
        NK::Display* display = nullptr;
        NK::View* view = nullptr;
        NK::GUISystem* gui = nullptr;  // the game's own: the frame's widgets live there
        NK::BitmapStore* bitmaps = nullptr;
        NK::AnimationStore* animations = nullptr;
        NK::RenderContext* renderContext = nullptr;
        ImportExportPanel* importExport = nullptr;
    };
    using Panels = std::array<EditorPanel*, EditorTabs::elementTabs>;

    // The frame around `level`'s pages, in its tab order.
    EditorFrame(const Services& services, Level& level);

    // Once, when the game loads: the frame's widgets, hidden.
    void build(std::function<void()> leaveToMenu);
    // The scene was entered (or left: the widgets then hide).
    void enter(bool inEditor);
    // One tick of the editor scene, with this tick's keys and pointer.
    void update(const PlayInput& input);
    // Escape: ends a test run (false), or leaves the editor (true).
    bool escape();
    void draw();
    // Brings every widget and page into line with the tab, the row and the scene.
    void applyEditorTab();

    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: the level as it was before or after
    // the last change; a test run changes nothing and cannot be undone.
    void undo();
    void redo();
    // Whether the test run's player hangs in mid-air (see HangWatch).
    const HangWatch& hangWatch() const { return run.hang; }
    // The element page of the tab in view; null on the run and file tabs.
    EditorPanel* activePanel() const;
    UndoHistory history;

    EditorTabs tabs;
    EditorCamera camera;
    bool showSurfaces = true;
    bool showLights = true;
    bool showArea = false;
    bool showFallEdge = true;
    bool mouseOutside = false;
    bool inEditor = false;
    NK::Vec2 handleSize{30.0f, 30.0f};

private:
    void buildTabs();
    void buildToggles();
    void bindView();
    void startRun();
    void endRun(const char* sound);
    void toggle(const std::string& key, bool& flag, const std::string& text);
    void applyLightPass();
    bool typing() const;
    void drawScreenOverlay();
    // The frame's own buttons in drawing order: icons, tabs, show toggles.
    static std::vector<const char*> frameButtons();
    bool restore(const std::string& snapshot);
    void noteEdges();
    void recordChange();
    void takeUnrecordedChange();
    void leave();

    Services services;
    Level& level;
    LevelRun run;
    Panels panels;
    std::function<void()> toMenu;
    bool changePending = false;         // an edge was seen and its change not yet taken
    bool pointerChangePending = false;  // one of those edges was the mouse's
};
