#include "editor/EditorFrame.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <iterator>

#include "editor/ImportExportPanel.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/EditorPanel.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/PanelRules.h"
#include "elements/Player.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/GUISystem.h"
#include "engine/Input.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/View.h"

namespace {

// In tab order: the button of tab i is tabButtons[i].
const std::array<Level::Tab, Level::kindCount>& tabButtons = Level::tabs();
const char* const toggleKeys[4] = {"show_surfaces", "show_lights", "show_area", "show_fall_edge"};
const char* const iconKeys[] = {"change", "back", "run", "run_control", "importexport"};

}  // namespace

std::vector<const char*> EditorFrame::frameButtons() {
    std::vector<const char*> keys(std::begin(iconKeys), std::end(iconKeys));
    for (const Level::Tab& t : tabButtons) keys.push_back(t.key);
    keys.insert(keys.end(), std::begin(toggleKeys), std::end(toggleKeys));
    return keys;
}

namespace {

// The top bar: usable from x 66 (right of the two icons), 1454 wide.
constexpr float barLeft = 66.0f;
constexpr float barWidth = 1454.0f;
constexpr float tabTop = 12.0f, tabHeight = 48.0f;
constexpr float toggleTop = 70.0f, toggleHeight = 40.0f;

std::string onOff(const std::string& text, bool on) {
    return text + (on ? ": ON" : ": OFF");
}

}  // namespace

EditorFrame::EditorFrame(const Services& s, Level& l) : services(s), level(l), run(l.run()) {
    const std::vector<EditorPanel*> inTabOrder = l.panels();
    std::copy(inTabOrder.begin(), inTabOrder.end(), panels.begin());
}

void EditorFrame::build(std::function<void()> leaveToMenu) {
    toMenu = std::move(leaveToMenu);
    NK::GUISystem& gui = *services.gui;
    NK::BitmapStore& bitmaps = *services.bitmaps;
    if (!bitmaps.contains("change-row"))
        bitmaps.load("Resources/Images/Icons/change-row.png", "change-row");

    gui.setNextButtonsFont("font", 8, NK::Color::white());
    gui.createButton(bitmaps.get("change-row"), NK::Rect(6, 10, 60, 60), "change", false);
    gui.createButton(bitmaps.get("arrow_right"), NK::Rect(6, 75, 60, 40), "back", false);
    gui.setButtonFirstCallback("change", [this](std::string) {
        tabs.changeRow();
        applyEditorTab();
    });
    gui.setButtonFirstCallback("back", [this](std::string) {
        leave();
        toMenu();
    });
    gui.createButton(bitmaps.get("button_g"), NK::Rect(1525, 10, 190, 50), "run", false);
    gui.setButtonText("run", "Run", 1);
    gui.setButtonFirstCallback("run", [this](std::string) {
        tabs.toggleRun();
        applyEditorTab();
    });
    gui.createButton(bitmaps.get("button_g"), NK::Rect(1725, 10, 190, 50), "importexport", false);
    gui.setButtonText("importexport", "Import/Export", 1);
    gui.setButtonFirstCallback("importexport", [this](std::string) {
        tabs.chooseImportExport();
        applyEditorTab();
    });
    gui.createButton(bitmaps.get("button_g"), NK::Rect(1525, 70, 390, 50), "run_control", false);
    gui.setButtonText("run_control", "Control: PLAYER", 1);
    gui.setButtonFirstCallback("run_control", [this](std::string) {
        if (tabs.editorTab != EditorTabs::TestRun) return;
        tabs.controlPlayer = !tabs.controlPlayer;
        services.gui->setButtonText("run_control",
                                    tabs.controlPlayer ? "Control: PLAYER" : "Control: CAMERA", 1);
        if (tabs.controlPlayer)
            bindView();
        else
            services.view->bounded = false;
    });
    buildTabs();
    buildToggles();
    // C, Q and E and the "select" field on a page look at what they select.
    for (EditorPanel* panel : panels)
        panel->setCameraHook([this](NK::Vec2 c) { camera.centre = c; });
    applyEditorTab();
}

void EditorFrame::buildTabs() {
    NK::GUISystem& gui = *services.gui;
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        NK::Rect r;
        if (EditorTabs::rowOf(tab) == 0) {
            const float column = barWidth / 6.0f;
            r = NK::Rect(barLeft + tab * column + 10.0f, tabTop, column - 20.0f, tabHeight);
        } else {
            const float column = barWidth / 5.0f;
            const int c = tab - EditorTabs::firstOfRow1;
            r = NK::Rect(barLeft + c * column + 12.5f, tabTop, column - 25.0f, tabHeight);
        }
        const char* key = tabButtons[tab].key;
        gui.createButton(services.bitmaps->get("button_g"), r, key, false);
        gui.setButtonText(key, tabButtons[tab].label, 1);
        gui.setButtonFirstCallback(key, [this, tab](std::string) {
            tabs.chooseElement(tab);
            applyEditorTab();
        });
    }
    // Tabs and icons dim under the pointer unless they are the active tab.
    auto hover = [this](const std::string& key, bool entering) {
        if (tabs.editorTab < EditorTabs::elementTabs && key == tabButtons[tabs.editorTab].key)
            return;
        services.gui->animateButtonOpacity(key, entering ? 0.7f : 1.0f, 0.02f);
    };
    std::vector<std::string> hovered = {"change", "back"};
    for (const Level::Tab& t : tabButtons) hovered.push_back(t.key);
    for (const std::string& key : hovered) {
        gui.setButtonSecondCallback(key, [hover](std::string k) { hover(k, true); });
        gui.setButtonThirdCallback(key, [hover](std::string k) { hover(k, false); });
    }
}

void EditorFrame::buildToggles() {
    services.gui->setNextButtonsFont("font", 7, NK::Color::white());
    struct Toggle {
        bool* flag;
        const char* text;
    };
    const Toggle toggles[4] = {{&showSurfaces, "Show surfaces"},
                               {&showLights, "Show lights"},
                               {&showArea, "Show area"},
                               {&showFallEdge, "Show fall edge"}};
    const float column = barWidth / 5.0f;
    for (int c = 0; c < 4; ++c) {
        const char* key = toggleKeys[c];
        services.gui->createButton(
            services.bitmaps->get("button_g"),
            NK::Rect(barLeft + c * column + 10.0f, toggleTop, column - 20.0f, toggleHeight), key,
            false);
        services.gui->setButtonText(key, onOff(toggles[c].text, *toggles[c].flag), 1);
        Toggle t = toggles[c];
        services.gui->setButtonFirstCallback(
            key, [this, t](std::string k) { toggle(k, *t.flag, t.text); });
    }
}

void EditorFrame::toggle(const std::string& key, bool& flag, const std::string& text) {
    flag = !flag;
    services.gui->setButtonText(key, onOff(text, flag), 1);
    if (key == "show_lights") applyLightPass();
}

void EditorFrame::enter(bool editor) {
    inEditor = editor;
    tabs.enter();
    applyEditorTab();
    camera.enter(services.input->mouse.z);
    if (!editor) return;
    history.reset(services.importExport->snapshot());
    changePending = pointerChangePending = false;
}

bool EditorFrame::escape() {
    if (!tabs.escape()) {
        applyEditorTab();
        return false;
    }
    leave();
    return true;
}

void EditorFrame::leave() {
    // Out of the editor first, so the widgets hide and a test run ends: the
    // level offered for saving is the one edited, not one halfway through a
    // run. Then it is cleared, as on every way out.
    inEditor = false;
    tabs.leave();
    applyEditorTab();
    services.importExport->unsavedMapPrompt();
    services.importExport->clearMap();
    applyEditorTab();
}

EditorPanel* EditorFrame::activePanel() const {
    const int tab = tabs.editorTab;
    return tab >= 0 && tab < EditorTabs::elementTabs ? panels[static_cast<std::size_t>(tab)]
                                                     : nullptr;
}

void EditorFrame::applyEditorTab() {
    NK::GUISystem& gui = *services.gui;
    for (const char* key : iconKeys) gui.setButtonShown(key, true);
    for (const char* key : toggleKeys) gui.setButtonShown(key, true);
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab)
        gui.setButtonShown(tabButtons[tab].key, EditorTabs::rowOf(tab) == tabs.tabRow);
    gui.setButtonText("run", "Run", 1);
    gui.setButtonShown("run_control", false);
    for (const Level::Tab& t : tabButtons) {
        gui.setButtonOpacity(t.key, 1.0f);
        gui.setButtonTint(t.key, 1.0f, 1.0f, 1.0f);
    }
    for (EditorPanel* panel : panels) panel->hide();
    services.importExport->hide();

    if (!inEditor) {
        // A run still going when the editor closes ends with it.
        if (tabs.apply().ending) run.end();
        services.view->bounded = false;
        for (const char* key : iconKeys) gui.setButtonShown(key, false);
        for (const char* key : toggleKeys) gui.setButtonShown(key, false);
        for (const Level::Tab& t : tabButtons) gui.setButtonShown(t.key, false);
        return;
    }

    const int tab = tabs.editorTab;
    // A run that ends puts the level back before the page shows it: the
    // page reads the level as edited, not where the run left the player.
    const EditorTabs::Apply a = tabs.apply();
    if (a.ending) {
        run.end();
        services.view->bounded = false;
    }
    if (EditorPanel* panel = activePanel()) {
        // The chosen tab stands out: green, full opacity.
        gui.setButtonTint(tabButtons[tab].key, 0.55f, 1.0f, 0.55f);
        panel->show();
    } else if (tab == EditorTabs::ImportExport) {
        services.importExport->show();
    } else if (tab == EditorTabs::TestRun) {
        gui.setButtonText("run", "Stop", 1);
        gui.setButtonShown("run_control", true);
    }

    auto fadeInPictures = [this] {
        for (int t : {EditorTabs::EnemiesTab, EditorTabs::LeversTab, EditorTabs::BackgroundsTab,
                      EditorTabs::BoxesTab, EditorTabs::CirclesTab})
            panels[static_cast<std::size_t>(t)]->fadeIn();
    };
    if (a.running) {
        fadeInPictures();
        if (a.starting) startRun();
    }
    if (tab == EditorTabs::LightsTab) fadeInPictures();
    applyLightPass();
}

void EditorFrame::startRun() {
    if (tabs.controlPlayer) bindView();
    run.start();
}

void EditorFrame::bindView() {
    // The player's camera area, widened so the bars cover none of it.
    const NK::Rect& area = run.player->cameraArea;
    services.view->setBounds(NK::Rect(area.x, area.y - 1.5f * 120.0f, area.width + 1.5f * 400.0f,
                                      area.height + 1.5f * 120.0f));
}

void EditorFrame::endRun(const char* sound) {
    tabs.editorTab = tabs.previousTab;
    applyEditorTab();
    run.sounds->playSound(sound);
    run.stopSteps();
}

void EditorFrame::applyLightPass() {
    run.lights->system().lightsOn = showLights || tabs.editorTab == EditorTabs::LightsTab;
}

bool EditorFrame::typing() const {
    if (EditorPanel* panel = activePanel()) return panel->typing();
    return tabs.editorTab == EditorTabs::ImportExport && services.importExport->typing();
}

void EditorFrame::update(const PlayInput& in) {
    NK::Input& input = *services.input;
    recordChange();
    const bool typingNow = typing();
    // Z and Y alone are left to the pages; only Control makes them undo keys.
    // A quick Ctrl+Z can be over by the tick that sees it: a modifier pressed
    // in this tick counts as held.
    auto held = [&input](int key) { return input.keyDown(key) || input.keyPressed[key]; };
    const bool control = held(ALLEGRO_KEY_LCTRL) || held(ALLEGRO_KEY_RCTRL);
    const bool shift = held(ALLEGRO_KEY_LSHIFT) || held(ALLEGRO_KEY_RSHIFT);
    if (control && !typingNow && input.keyPressed[ALLEGRO_KEY_Z]) shift ? redo() : undo();
    if (control && !typingNow && input.keyPressed[ALLEGRO_KEY_Y]) redo();
    if (!(tabs.testRunning && tabs.controlPlayer)) {
        EditorCamera::Controls c;
        c.left = input.keyDown(ALLEGRO_KEY_A);
        c.right = input.keyDown(ALLEGRO_KEY_D);
        c.up = input.keyDown(ALLEGRO_KEY_W);
        c.down = input.keyDown(ALLEGRO_KEY_S);
        c.typing = typingNow;
        c.wheel = input.mouse.z;
        camera.tick(c);
        const NK::Rect v = camera.view();
        NK::View& view = *services.view;
        view.x = v.x;
        view.y = v.y;
        view.width = v.width;
        view.height = v.height;
        view.apply();
    }
    handleSize = PanelRules::handleSize(services.view->rect());
    if (input.keyPressed[ALLEGRO_KEY_SPACE] && !typingNow) {
        tabs.toggleRun();
        applyEditorTab();
    }
    mouseOutside = EditorCamera::outsideEditingArea(in.pointer);
    if (EditorPanel* panel = activePanel()) panel->update(mouseOutside);

    if (!tabs.testRunning) {
        noteEdges();
        services.importExport->keepRecovery();
        return;
    }
    const LevelRun::Tick t = run.tick(in, tabs.controlPlayer);
    if (t.atOpenGate) {
        endRun("win");
    } else if (t.dead) {
        endRun("lose");
    } else if (in.restartPressed) {
        // Rebuilt in place from the records; the document is not reloaded.
        run.end();
        run.start();
        // The run starts lit; the editor's toggle still decides.
        applyLightPass();
    }
}
