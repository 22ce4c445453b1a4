#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "engine/DialogCardStore.h"
#include "engine/ExtBitmap.h"
#include "engine/Rect.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class RenderContext;
class View;
}  // namespace NK

// The level's message boxes: invisible trigger areas, each with a title and
// a text. The first time in a play that the player touches an area, its
// card comes up in the middle of the screen, until CLOSE or its delay.
class Dialogs : public ElementPage {
public:
    // Every dialog's card is made from this one design.
    static const char* const designKey;
    static const char* const designImage;
    static const char* const previewKey;
    // The trigger areas' outlines, in units of the 1920-wide screen.
    static constexpr float outlineWidth = 3.0f;
    // What the right panel and the top bar take off the screen; the preview
    // centres itself in the rest.
    static constexpr float panelWidth = 400.0f;
    static constexpr float topBarHeight = 120.0f;

    explicit Dialogs(const ElementServices& services);

    // Appends a dialog under the next key.
    void add(int titleSize, int textSize, const std::string& title, const std::string& text,
             float delay, const NK::Rect& triggerArea);
    // No dialog, no card; the next one added gets key "0" again.
    void clear();
    bool empty() const { return dialogs.empty(); }
    int count() const { return static_cast<int>(dialogs.size()); }
    std::vector<DialogRecord> records() const;
    // The key dialog i's card is made under.
    const std::string& key(int index) const;

    // Play: a hidden card per dialog; each tick the areas the player
    // touches for the first time show theirs; at the end every card goes.
    void start();
    void update(const NK::Rect& playerRect);
    void stop();
    // Some dialog's card is up.
    bool cardShown();
    // The open cards, on the screen; drawn unlit.
    void drawCards();

    // "PREVIEW DIALOG": the selected dialog's card, shown at once.
    void preview();

    void build() override;
    void hide() override;
    void update(bool mouseOutside) override;
    void drawOverlay(NK::Vec2 handleSize) override;
    void updateWidgets() override;

    // The design's picture, relative to the game folder; read by build().
    std::string designPath = designImage;

    NK::DialogCardStore& cards() { return cardStore; }
    ElementPanel& editor() { return panel; }

private:
    struct Dialog {
        std::string key;
        // The trigger area is kept where the shared panel edits every
        // element: in an extended bitmap's rect. It has no picture.
        NK::ExtBitmap area;
        int titleSize = 20;
        int textSize = 15;
        std::string title;
        std::string text;
        float delay = -1.0f;
        bool triggered = false;  // its card was shown in this play
        bool hasCard = false;
    };
    enum class Viewing { None, Title, Text };

    Dialog& at(int index) { return *dialogs[static_cast<std::size_t>(index)]; }
    const Dialog& at(int index) const { return *dialogs[static_cast<std::size_t>(index)]; }
    Dialog& selectedDialog() { return at(panel.selected); }
    void remove(int index);
    void setDesign(const Dialog& dialog);
    NK::DialogCard::Callbacks& makeCard(const Dialog& dialog, const NK::Rect& rect,
                                        const std::string& cardKey);
    void closeCard(const std::string& cardKey);
    void closePreview();

    // The panel's own parts.
    void addWithDefaults();
    PanelWidgets::Group triggerAreaGroup();
    PanelWidgets::Group fontSizeGroup();
    PanelWidgets::Group delayGroup();
    void buildTextViewer();
    void openViewer(Viewing what);
    void storeViewer();
    void toggleDelay();

    // Mouse work in the level: move and resize, no turning.
    void click(NK::Vec2 mouse);
    bool grab(NK::Vec2 mouse);
    void pick(NK::Vec2 mouse);
    void follow(NK::Vec2 mouse);

    NK::Input* input;
    NK::View* view;
    NK::BitmapStore* bitmaps;
    NK::RenderContext* renderContext;
    NK::DialogCardStore cardStore;
    std::vector<std::unique_ptr<Dialog>> dialogs;
    int counter = 0;
    bool designMade = false;  // built with its picture; without it no card is made
    bool previewMade = false;
    Viewing viewing = Viewing::None;
    ElementPanel panel;
};
