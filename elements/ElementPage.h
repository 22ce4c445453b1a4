#pragma once
#include <functional>
#include <utility>

#include "elements/EditorPanel.h"
#include "elements/ElementPanel.h"

// A kind whose editor page is the shared ElementPanel: every operation the
// frame asks of it goes to that panel unless the kind says otherwise, so each
// kind writes only what is truly its own.
class ElementPage : public EditorPanel {
public:
    void show() override { page->show(); }
    void hide() override { page->hide(); }
    void update(bool mouseOutside) override { page->update(mouseOutside); }
    void drawOverlay(NK::Vec2 handleSize) override { page->drawOverlay(handleSize); }
    void drawGUI() override { page->drawGUI(); }
    NK::GUISystem& widgetSystem() override { return page->widgets.gui(); }
    bool typing() const override { return page->typing(); }
    std::vector<std::string> staleFields() const override { return page->widgets.staleFields(); }
    void fadeIn() override { page->fadeIn(); }
    void setCameraHook(std::function<void(NK::Vec2)> centre) override {
        page->centreCamera = std::move(centre);
    }

protected:
    // The kind's own panel member; only its address is kept here, so the
    // member may be built after this base.
    explicit ElementPage(ElementPanel& panel) : page(&panel) {}

private:
    ElementPanel* page;
};
