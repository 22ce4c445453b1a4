#include "elements/NPCs.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <algorithm>

#include "elements/PanelRules.h"
#include "engine/GUISystem.h"
#include "engine/View.h"

namespace {

const char* const sheetFolder = "Resources/Images/Ingame/NPCs/";

}  // namespace

const NK::Vec2 NPCs::size(200.0f, 300.0f);

const std::vector<std::string>& NPCs::typeKeys() {
    static const std::vector<std::string> keys = {"npc1", "npc2", "npc3", "npc4"};
    return keys;
}

NPCs::NPCs(const ElementServices& s)
    : ElementPage(panel),
      npcs(s.renderContext),
      panel(s, ElementPanel::Elements{[this] { return static_cast<int>(npcs.entries.size()); },
                                      [this](int i) -> NK::ExtBitmap& {
                                          return *npcs.entries[static_cast<std::size_t>(i)].box;
                                      },
                                      [this](int i) { remove(i); },
                                      [this](int i, const NK::Rect& rect) {
                                          const Npc& from =
                                              npcs.entries[static_cast<std::size_t>(i)];
                                          add(from.type, from.inverted, rect.x, rect.y);
                                      },
                                      nullptr, nullptr, false}),
      view(s.view) {}

std::vector<std::string> NPCs::imageFiles() {
    std::vector<std::string> files;
    for (const std::string& key : typeKeys()) files.push_back(sheetFolder + key + ".png");
    return files;
}

void NPCs::loadImages() {
    for (const std::string& key : typeKeys())
        animations.loadAnimation(sheetFolder + key + ".png", 4, 1, key);
}

void NPCs::add(int type, bool inverted, float x, float y) {
    Npc npc;
    npc.type = std::clamp(type, 0, static_cast<int>(typeKeys().size()) - 1);
    npc.inverted = inverted;
    npc.box = std::make_unique<NK::ExtBitmap>();
    npc.box->rect = NK::Rect(NK::Vec2(x, y), size);
    npcs.add(std::move(npc));
}

void NPCs::remove(int index) {
    npcs.remove(static_cast<std::size_t>(index));
}

void NPCs::clear() {
    npcs.clear();
    panel.resetSelection();
}

std::vector<NpcRecord> NPCs::records() const {
    std::vector<NpcRecord> out;
    out.reserve(npcs.entries.size());
    for (const Npc& npc : npcs.entries)
        out.push_back({npc.box->rect.x, npc.box->rect.y, npc.type, npc.inverted});
    return out;
}

void NPCs::start() {
    for (const Npc& npc : npcs.entries) {
        const NK::Rect& r = npc.box->rect;
        const std::string& type = typeKeys()[static_cast<std::size_t>(npc.type)];
        npcs.pictures
            .createAnimated(animations.get(type), NK::Rect(r.x, r.y, size.x, size.y), npc.key)
            .flipX = npc.inverted;
        // Back and forth without end, so the figure sways rather than loops.
        npcs.pictures.playFrames(npc.key, firstFrame, lastFrame, ticksPerFrame, true, false, -1);
    }
}

void NPCs::end() {
    for (const Npc& npc : npcs.entries)
        if (npcs.pictures.contains(npc.key)) npcs.pictures.destroy(npc.key);
}

void NPCs::drawPlay() {
    // The store holds nothing but the NPCs' pictures; going by the list keeps
    // overlapping figures in a fixed order, later ones in front.
    npcs.draw();
}

void NPCs::drawEditor() {
    for (const Npc& npc : npcs.entries) {
        const NK::Animation& sheet = animations.get(typeKeys()[static_cast<std::size_t>(npc.type)]);
        if (sheet.frames.empty()) continue;
        const NK::AnimationFrame& frame = sheet.frames.front();
        const NK::Rect& r = npc.box->rect;
        al_draw_scaled_bitmap(frame.get(), 0.0f, 0.0f, frame.width, frame.height, r.x, r.y, size.x,
                              size.y, npc.inverted ? ALLEGRO_FLIP_HORIZONTAL : 0);
    }
}

void NPCs::stepType(int by) {
    if (!panel.hasSelection()) return;
    Npc& npc = npcs.entries[static_cast<std::size_t>(panel.selected)];
    npc.type = std::clamp(npc.type + by, 0, static_cast<int>(typeKeys().size()) - 1);
}

std::string NPCs::selectedTypeName() const {
    if (!panel.hasSelection()) return "";
    return typeKeys()[static_cast<std::size_t>(
        npcs.entries[static_cast<std::size_t>(panel.selected)].type)];
}

void NPCs::build() {
    loadImages();
    panel.start();
    panel.addList({{"add", "ADD", [this] {
                        const NK::Vec2 centre = PanelRules::freeAreaCentre(view->rect());
                        add(0, false, centre.x - size.x / 2.0f, centre.y - size.y / 2.0f);
                        panel.selectLast();
                    }}});
    PanelWidgets& w = panel.widgets;
    const NK::Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const NK::Rect title = w.takeRow();
    w.makeLabel("type", "Type", title, ALLEGRO_ALIGN_LEFT, PanelWidgets::titleSize, white);
    const NK::Rect row = w.takeRow();
    const float arrow = 70.0f;
    // The arrows change the type alone; its label follows it every tick.
    w.makeButton({"type_left", "<<", [this] { stepType(-1); }},
                 NK::Rect(row.x, row.y, arrow, row.height));
    w.makeLabel("type_select", "",
                NK::Rect(row.x + arrow, row.y, row.width - 2.0f * arrow, row.height),
                ALLEGRO_ALIGN_CENTRE, PanelWidgets::textSize, white);
    w.makeButton({"type_right", ">>", [this] { stepType(1); }},
                 NK::Rect(row.x + row.width - arrow, row.y, arrow, row.height));
    w.endSection();
    PanelWidgets::Group position = panel.positionGroup();
    position.toggles.push_back(
        {"invert", [] { return "INVERT"; },
         [this] {
             if (panel.hasSelection())
                 npcs.entries[static_cast<std::size_t>(panel.selected)].inverted ^= true;
         }});
    panel.addGroup(position);
    panel.refreshPanel();
    panel.hide();
}

void NPCs::update(bool mouseOutside) {
    panel.update(mouseOutside);
    // An NPC is only moved: the shared resize and rotate handles have nothing to do here.
    panel.resizing = panel.rotating = false;
    for (const Npc& npc : npcs.entries) {
        npc.box->rect.width = size.x;
        npc.box->rect.height = size.y;
        npc.box->angle = 0.0f;
    }
}

void NPCs::drawOverlay(NK::Vec2 handleSize) {
    (void)handleSize;
    if (!panel.hasSelection()) return;
    const NK::Rect& r = npcs.entries[static_cast<std::size_t>(panel.selected)].box->rect;
    const float green = PanelRules::holds(r, 0.0f, panel.mouseInLevel()) ? 1.0f : 0.7f;
    al_draw_rectangle(r.x, r.y, r.x + size.x, r.y + size.y, al_map_rgba_f(0.0f, green, 0.0f, 1.0f),
                      3.0f);
}

void NPCs::updateWidgets() {
    npcs.pictures.updateExtBitmaps();
    // The label is rendered text: redo it only when the selected type changed.
    const std::string name = selectedTypeName();
    if (name != shownTypeName) {
        panel.widgets.gui().setTextLabelText("type_select", name);
        shownTypeName = name;
    }
    panel.widgets.gui().update();
}
