// What the editor shows each frame, in its fixed order: the level in the
// editing area, then the bars and pages over it on the screen.
#include <cmath>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/Backgrounds.h"
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
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/BitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

void EditorFrame::draw() {
    const int tab = tabs.editorTab;
    const bool running = tabs.testRunning;
    const NK::View& view = *services.view;
    if (tab == EditorTabs::SurfacesTab && !mouseOutside) level.surfaces->drawPreview();
    level.backgrounds->draw();
    if (showSurfaces || tab == EditorTabs::SurfacesTab)
        level.surfaces->drawSurfaces(mouseOutside, tab == EditorTabs::SurfacesTab);
    if (showArea || tab == EditorTabs::PlayerTab)
        run.player->drawCameraArea(tab == EditorTabs::PlayerTab);
    // A test run draws the level as it plays: blocks as their bodies lie,
    // figures walking, shots in flight.
    run.drawPieces(*services.bitmaps, running);
    if (showFallEdge) {
        // Across what the view shows, so the line stays exact at any zoom.
        const float y = run.player->fallEdge;
        const NK::Rect seen = view.rect();
        services.renderContext->drawLine({seen.x, y}, {seen.x + seen.width, y},
                                         NK::Color(1, 0.25f, 0.25f, 1),
                                         3.0f * NK::perScreenPixel(view.rect()).x);
    }
    if (tab != EditorTabs::SurfacesTab) {
        if (EditorPanel* panel = activePanel()) panel->drawOverlay(handleSize);
    }

    // From here on nothing is lit: the cards, the health, the bars and pages.
    run.lights->drawLit(false);
    run.dialogs->drawCards();
    run.drawHearts(*services.bitmaps, 125.0f);
    drawScreenOverlay();
    run.world->drawRays(NK::Color(1, 0, 0, 1));
    run.lights->drawLit(true);
}

void EditorFrame::drawScreenOverlay() {
    if (!inEditor) return;
    services.bitmaps->drawOnScreen("editor_bg_t", NK::Rect(0.0f, 0.0f, 1920.0f, 120.0f));
    services.bitmaps->drawOnScreen("editor_bg_r", NK::Rect(1520.0f, 0.0f, 400.0f, 1080.0f));
    static const std::vector<const char*> buttons = frameButtons();
    for (const char* key : buttons) services.gui->drawButton(key);
    for (EditorPanel* panel : panels) panel->drawGUI();
    services.importExport->draw();
}
