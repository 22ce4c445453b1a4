#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "elements/ImageChooser.h"
#include "elements/PanelWidgets.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {
struct BitmapEntry;
struct ExtBitmap;
}  // namespace NK

// The mechanics every list of pictures in the editor shares: the selected
// record with its dimmed neighbours, the 1-based "select" input, the list
// arrows and Q / E, adding from the image chooser and removing, and the
// mouse handles that move, resize and turn the selected picture. A kind
// tells the panel how to reach its records (Elements) and what its fields
// are (PanelWidgets::Group); everything else is here, once.
class ElementPanel {
public:
    // How the panel reaches a kind's records. Each record is edited through
    // the extended bitmap it is drawn from: its rect (top-left x, y) and angle.
    struct Elements {
        std::function<int()> count;
        std::function<NK::ExtBitmap&(int)> image;
        std::function<void(int)> remove;  // the record and its image
        // Appends a copy of record i (image, angle and fields) at the rectangle.
        std::function<void(int, const NK::Rect&)> duplicate;
        std::function<std::string(int)> suffix;  // " S" / " D" after the number; none: nothing
        // Whether record i holds a level point; none: its turned rectangle does.
        std::function<bool(int, NK::Vec2)> holds;
        bool alwaysKeepRatio = false;  // the resize handle keeps the ratio without "size_lock"
    };
    using AddImage = std::function<void(const NK::BitmapEntry&, const NK::Rect&)>;

    static constexpr float dimmed = 0.4f;
    static constexpr float fadeSpeed = 0.05f;

    ElementPanel(const PanelServices& services, Elements elements);

    // Building blocks, added from the top of the panel down.
    void start() { widgets.start(); }
    // "left", "select", "right", then the kind's add buttons and "remove".
    void addList(std::vector<PanelWidgets::Button> addButtons);
    void addImageChooser(std::string folder, std::vector<std::string> precreated);
    void addGroup(PanelWidgets::Group group) { widgets.addGroup(std::move(group)); }
    // The three groups of a plain picture, read from and written to its rect and angle.
    PanelWidgets::Group positionGroup();
    PanelWidgets::Group sizeGroup(bool withLock);
    PanelWidgets::Group angleGroup();

    // Loads the chosen image under `temporaryKey`, lets the kind add a record
    // of the image's size centred in the free part of the view, releases the
    // key and selects the new record. Nothing happens when the check fails.
    bool addChosenImage(const std::string& temporaryKey, const AddImage& add);
    // Selects the record just appended (kinds that add without an image).
    void selectLast();

    bool hasSelection() const { return selected < elements.count(); }
    void select(int index);
    void selectPrevious();
    void selectNext();
    void removeSelected();
    // Re-shows the selection and every value, and ends typing everywhere.
    void refreshPanel();
    void centreOnSelected();
    // Every image back to full opacity (panel hidden, test run, Lights tab).
    void fadeIn();
    // The level was cleared: back to record 0 with no mouse mode running.
    void resetSelection();

    // What the editor frame drives.
    void show();
    void hide();
    void update(bool mouseOutside);
    void drawOverlay(NK::Vec2 handleSize);
    void drawGUI() { widgets.draw(); }
    bool typing() const { return widgets.typing(); }
    NK::Vec2 mouseInLevel() const;
    // The frame centres its camera on a level point through this.
    std::function<void(NK::Vec2)> centreCamera;

    PanelWidgets widgets;
    std::unique_ptr<ImageChooser> chooser;

    int selected = 0;  // == count: nothing selected
    bool dragging = false;
    bool resizing = false;
    bool rotating = false;
    NK::Vec2 dragOffset;
    bool sizeLock = false;

private:
    void click(NK::Vec2 mouse);
    bool grab(NK::Vec2 mouse);
    void pick(NK::Vec2 mouse);
    void follow(NK::Vec2 mouse);
    bool holds(int index, NK::Vec2 point);
    void applyLook();
    void commitSelect(const std::string& text);
    int selection() const { return hasSelection() ? selected : -1; }

    PanelServices services;
    Elements elements;
    bool shown = false;
    bool hasList = false;  // kinds with a single element have no "select"
};
