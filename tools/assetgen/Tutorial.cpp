// The five tutorial pages, 1920 x 1080. The top right (the page
// buttons at 1325..1825 x 77..152) and the top left (the back arrow) are
// left free. The words follow what the play scene and the editor do.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/Screens.h"

namespace gen {
namespace {

void page(Canvas& c, const std::string& title, const std::string& sub, int number) {
    (void)c;
    backdrop(1920, 1080, 0x2fd3c3, 0xffb347);
    rect(0, 0, 1920, 1080, hex(0x05070a, 0.78f));
    titleText(title, 120, 40, 64, pal::paper, ALLEGRO_ALIGN_LEFT, Face::Bold);
    text(sub, 122, 122, 28, pal::teal, ALLEGRO_ALIGN_LEFT);
    text("Page " + std::to_string(number) + " of 5    Esc: back to the menu", 1800, 1030, 22,
         hex(0x6c7a8a), ALLEGRO_ALIGN_RIGHT);
}

// A panel with a heading and lines of "key — meaning".
float card(float x, float y, float w, const std::string& head,
           const std::vector<std::pair<std::string, std::string>>& rows, Col accent,
           float keyW = 210) {
    float h = 70 + rows.size() * 0;  // grows below as text wraps
    float yy = y + 66;
    // Measure first by drawing off to the side is not possible; draw the
    // panel after a dry layout with a generous line estimate.
    float est = 0;
    for (auto& r : rows) {
        float lines = std::ceil(textWidth(r.second, 26) / (w - keyW - 50) * 1.08f + 0.001f);
        est += std::fmax(lines * 32.5f, 40.f) + 8;
    }
    h = 76 + est;
    rrect(x, y, x + w, y + h, 16, hex(0x0e141b, 0.92f));
    rrectLine(x, y, x + w, y + h, 16, accent.alpha(0.7f), 3);
    text(head, x + 24, y + 16, 32, accent, ALLEGRO_ALIGN_LEFT, Face::Bold);
    for (auto& r : rows) {
        if (!r.first.empty()) {
            float kw = textWidth(r.first, 24, Face::Bold) + 24;
            rrect(x + 24, yy, x + 24 + kw, yy + 34, 6, pal::paper);
            text(r.first, x + 36, yy + 2, 24, pal::ink, ALLEGRO_ALIGN_LEFT, Face::Bold);
        }
        float used = para(r.second, x + keyW + 20, yy + 1, w - keyW - 50, 26, pal::paper);
        yy += std::fmax(used, 40.f) + 8;
    }
    return y + h;
}

// The controls, each row with its key and its controller button side by
// side, then a drawn controller naming its parts.
struct Control {
    std::string key, pad, meaning;
};

float controlsCard(float x, float y, float w, const std::vector<Control>& rows, Col accent) {
    const float rowH = 46;
    const float h = 76 + rows.size() * rowH + 8;
    rrect(x, y, x + w, y + h, 16, hex(0x0e141b, 0.92f));
    rrectLine(x, y, x + w, y + h, 16, accent.alpha(0.7f), 3);
    text("CONTROLS", x + 24, y + 16, 32, accent, ALLEGRO_ALIGN_LEFT, Face::Bold);
    text("KEYS", x + 24, y + 58, 18, hex(0x9aa6b2), ALLEGRO_ALIGN_LEFT, Face::Bold);
    text("CONTROLLER", x + 224, y + 58, 18, hex(0x9aa6b2), ALLEGRO_ALIGN_LEFT, Face::Bold);
    float yy = y + 84;
    for (const Control& r : rows) {
        float kw = textWidth(r.key, 22, Face::Bold) + 22;
        rrect(x + 24, yy, x + 24 + kw, yy + 32, 6, pal::paper);
        text(r.key, x + 35, yy + 2, 22, pal::ink, ALLEGRO_ALIGN_LEFT, Face::Bold);
        float pw = textWidth(r.pad, 22, Face::Bold) + 22;
        rrect(x + 224, yy, x + 224 + pw, yy + 32, 6, accent.mul(0.35f));
        rrectLine(x + 224, yy, x + 224 + pw, yy + 32, 6, accent, 2);
        text(r.pad, x + 235, yy + 2, 22, pal::paper, ALLEGRO_ALIGN_LEFT, Face::Bold);
        text(r.meaning, x + 424, yy + 2, 24, pal::paper, ALLEGRO_ALIGN_LEFT);
        yy += rowH;
    }
    return y + h;
}

// A controller seen from above, its parts named as the rows above name them.
void controllerDiagram(float cx, float cy, Col accent) {
    const Col body = hex(0x2a3440), edge = hex(0x6c7a8a), label = pal::paper;
    // Grips under the body, then the body, outlined as one shape.
    for (float side : {-1.0f, 1.0f}) {
        disc(cx + side * 150, cy + 55, 78, edge);
        disc(cx + side * 150, cy + 55, 74, body);
    }
    rrect(cx - 214, cy - 84, cx + 214, cy + 64, 64, edge);
    rrect(cx - 210, cy - 80, cx + 210, cy + 60, 60, body);
    for (float side : {-1.0f, 1.0f}) disc(cx + side * 150, cy + 55, 70, body);
    // Shoulders and triggers.
    rrect(cx - 220, cy - 112, cx - 90, cy - 90, 10, edge);
    rrect(cx + 90, cy - 112, cx + 220, cy - 90, 10, accent);
    text("LB", cx - 155, cy - 144, 20, label, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    text("RB / RT: FIRE", cx + 155, cy - 144, 20, accent, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    // Left stick and d-pad; right stick.
    disc(cx - 140, cy - 20, 36, hex(0x11171e));
    ring(cx - 140, cy - 20, 36, accent, 3);
    text("WALK", cx - 140, cy - 32, 18, label, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    rect(cx - 96, cy + 44, cx - 50, cy + 60, edge);
    rect(cx - 81, cy + 29, cx - 65, cy + 75, edge);
    disc(cx + 70, cy + 45, 36, hex(0x11171e));
    ring(cx + 70, cy + 45, 36, accent, 3);
    text("AIM", cx + 70, cy + 33, 18, label, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    // The face-button diamond.
    const struct {
        float dx, dy;
        const char* name;
        unsigned colour;
    } face[] = {{0, 34, "A", 0x5fbf4a}, {34, 0, "B", 0xd9483b}, {-34, 0, "X", 0x3f8fd9},
                {0, -34, "Y", 0xe0b53a}};
    for (const auto& f : face) {
        disc(cx + 145 + f.dx, cy - 20 + f.dy, 17, hex(f.colour));
        text(f.name, cx + 145 + f.dx, cy - 20 + f.dy - 12, 20, pal::ink, ALLEGRO_ALIGN_CENTRE,
             Face::Bold);
    }
    // Back and Start.
    rrect(cx - 44, cy - 40, cx - 14, cy - 26, 6, edge);
    rrect(cx + 14, cy - 40, cx + 44, cy - 26, 6, edge);
    text("BACK / START: MENU", cx, cy - 72, 18, label, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    // What the face buttons do, beside the diamond.
    text("A  JUMP", cx + 250, cy - 60, 20, label, ALLEGRO_ALIGN_LEFT, Face::Bold);
    text("X  LEVER", cx + 250, cy - 30, 20, label, ALLEGRO_ALIGN_LEFT, Face::Bold);
    text("Y  RESTART", cx + 250, cy, 20, label, ALLEGRO_ALIGN_LEFT, Face::Bold);
}

void gamePage() {
    Canvas c(1920, 1080);
    page(c, "HOW TO PLAY",
         "Get every camera down, pull every lever, then walk out through the gate.", 1);
    Col a = pal::teal, b = pal::amber;
    const float end = controlsCard(120, 200, 820,
                                   {{"A / D", "LEFT STICK", "Walk left / right."},
                                    {"W", "A", "Jump, standing on something."},
                                    {"MOUSE", "RIGHT STICK", "Aim the gun and the head."},
                                    {"LEFT CLICK", "RT / RB", "Fire: one shot per press."},
                                    {"E", "X", "Pull a lever you are touching."},
                                    {"R", "Y", "Restart the level at any time."},
                                    {"ESC", "BACK / START", "Leave for the menu."}},
                                   a);
    controllerDiagram(400, end + 190, a);
    float y = card(1000, 200, 800, "THE GOAL",
                   {{"1",
                     "Destroy every security camera: five hits each. A camera that sees you "
                     "turns toward you and fires about once a second."},
                    {"2", "Pull every lever with E. Some levers spring back after a few seconds."},
                    {"3",
                     "When no camera is left and every lever is on, the gate turns green: "
                     "touch it to win. Wins in a pack open its levels one by one."}},
                   b, 80);
    card(1000, y + 30, 800, "STAY ALIVE",
         {{"", "You have five hearts (top left). Each camera shot costs one."},
          {"", "Falling below the level's fall edge ends the level at once."},
          {"", "Some blocks crumble a moment after you or a shot touch them."},
          {"", "Walls hide you: a camera only shoots what it can see, within its sight range."},
          {"", "Messages may pop up as you explore: click CLOSE to dismiss them."}},
         pal::alarm, 0);
    c.save("Resources/Images/Tutorial/tutorial_game.png");
}

// A miniature of the editor screen with labelled regions.
void editorDiagram(float x, float y, float s) {
    push(x, y, 0, s, s);
    rect(0, 0, 1920, 1080, hex(0x1a222c));
    rect(0, 0, 1920, 120, hex(0x2a3440));
    rect(1520, 120, 1920, 1080, hex(0x232b35));
    for (int i = 0; i < 6; i++)
        rrect(76 + i * 242.3f, 20, 76 + i * 242.3f + 222, 70, 8, hex(0x4a5767));
    for (int i = 0; i < 4; i++)
        rrect(76 + i * 290.8f, 76, 76 + i * 290.8f + 270, 112, 6, hex(0x39424e));
    rrect(1525, 10, 1715, 70, 8, pal::green.mul(0.6f));
    rrect(1725, 10, 1915, 70, 8, hex(0x4a5767));
    rrect(6, 10, 66, 70, 8, pal::teal.mul(0.7f));
    rrect(6, 75, 66, 115, 8, pal::amber.mul(0.7f));
    for (int i = 0; i < 10; i++) rrect(1550, 160 + i * 80, 1890, 210 + i * 80, 6, hex(0x39424e));
    line(0, 900, 1520, 900, pal::alarm, 6);
    line(200, 760, 700, 700, hex(0x00ccff), 10);
    rect(800, 500, 1000, 800, hex(0x6a7583));
    pop();
}

void editorMainPage() {
    Canvas c(1920, 1080);
    page(c, "THE LEVEL EDITOR", "Menu > Create level. Every kind of element has its own tab.", 2);
    editorDiagram(120, 200, 0.42f);
    Col a = pal::teal;
    text("Top bar: element tabs and show toggles", 120, 660, 24, pal::paper);
    text("Right panel: the active tab's controls", 120, 695, 24, pal::paper);
    text("Editing area: click, drag, resize, rotate", 120, 730, 24, pal::paper);
    card(120, 790, 810, "TOP-LEFT ICONS",
         {{"ROWS", "Switch between tab row 1 and tab row 2."},
          {"ARROW", "Back to the menu (offers to save first)."}},
         pal::amber, 130);
    float y = card(1000, 180, 800, "TABS",
                   {{"ROW 1", "Player, Gate, Enemies, Levers, Dialogs, NPCs."},
                    {"ROW 2", "Backgrounds, Surfaces, Boxes, Circles, Lights."},
                    {"IMPORT/EXPORT", "NEW level, LOAD and SAVE maps in Editor/Levels/."},
                    {"SHOW", "Toggle surfaces, lights, camera area and fall edge."}},
                   a, 230);
    y = card(1000, y + 16, 800, "CAMERA",
             {{"W A S D", "Move the view."},
              {"WHEEL", "Zoom in and out."},
              {"C", "Centre on the selected element."}},
             a, 170);
    card(1000, y + 16, 800, "TEST RUN",
         {{"RUN / SPACE", "Play the level right here; again to stop."},
          {"CONTROL", "Keys drive the PLAYER or the CAMERA."},
          {"R / ESC", "Restart the run / end the run."}},
         pal::green, 230);
    c.save("Resources/Images/Tutorial/tutorial_editor_main.png");
}

void editorPage1() {
    Canvas c(1920, 1080);
    page(c, "EDITING ELEMENTS", "The same controls work on every tab.", 3);
    Col a = pal::teal;
    float y = card(120, 200, 840, "THE LIST",
                   {{"ADD", "Adds one in the middle of the view and selects it."},
                    {"REMOVE / DEL", "Removes the selected element."},
                    {"< >  or  Q / E", "Select the previous / next one."},
                    {"NUMBER", "Click, type a number, click again to jump to it."}},
                   a, 250);
    card(120, y + 24, 840, "VALUES",
         {{"CLICK", "Click a value box, type, then click it again to apply."},
          {"RESET", "Puts that group back to its default."},
          {"LOCK W-H", "Keeps the width-to-height ratio while resizing."}},
         a, 170);
    y = card(1000, 200, 800, "MOUSE",
             {{"CLICK", "Select an element; drag to move it."},
              {"CORNER", "Drag the arrow handle at the bottom-right corner to resize."},
              {"ROUND", "Drag the round arrow handle to rotate."},
              {"CTRL+CLICK", "Copy the selected element to the pointer."}},
             pal::amber, 200);
    card(1000, y + 24, 800, "IMAGES",
         {{"SET", "Cycles through the ready-made images of this tab."},
          {"PATH",
           "Or click the path box and type a file name inside Editor/Boxes/, "
           "Editor/Circles/ or Editor/Backgrounds/."},
          {"", "\"Image found\" in green means ADD will use it."}},
         pal::green, 120);
    c.save("Resources/Images/Tutorial/tutorial_editor_1.png");
}

void editorPage2() {
    Canvas c(1920, 1080);
    page(c, "TAB ROW 1", "Player, gate, cameras, levers, messages and characters.", 4);
    Col a = pal::teal;
    float y = card(120, 200, 840, "PLAYER",
                   {{"POSITION", "Where the player starts; drag the player to move it."},
                    {"CAMERA AREA", "The play camera stays inside it: drag its two corners."},
                    {"FALL EDGE", "Fall below this line (red) and the level is lost."}},
                   a, 230);
    y = card(120, y + 24, 840, "GATE",
             {{"", "The exit. Drag it; it opens when no camera is left and every lever is on."}}, a,
             0);
    card(120, y + 24, 840, "NPCs",
         {{"<<  >>", "Choose one of four characters; INVERT mirrors it. Decoration only."}}, a,
         140);
    y = card(1000, 200, 800, "ENEMIES (CAMERAS)",
             {{"ANGLE HEAD", "Where the camera looks; drag its round handle."},
              {"ANGLE HOLDER", "Turns the wall mount."},
              {"SIGHT", "How far it sees; drag the handle to the right of the head."}},
             pal::alarm, 240);
    y = card(1000, y + 24, 800, "LEVERS",
             {{"ANGLE", "Rotate the switch box."},
              {"DELAY", "ON: the lever springs back after SEC seconds."}},
             pal::amber, 140);
    card(1000, y + 24, 800, "DIALOGS",
         {{"TRIGGER", "A message shows the first time the player walks into this area."},
          {"TEXT", "Set title and text; sizes; PREVIEW DIALOG shows it."},
          {"DELAY", "ON: the message closes by itself after the delay."}},
         pal::green, 150);
    c.save("Resources/Images/Tutorial/tutorial_editor_2.png");
}

void editorPage3() {
    Canvas c(1920, 1080);
    page(c, "TAB ROW 2", "The ground, the blocks, the pictures and the lights.", 5);
    Col a = pal::teal;
    float y = card(120, 200, 840, "SURFACES (GROUND)",
                   {{"CLICK", "Adds a point to the selected ground line."},
                    {"NEXT / PREV", "Add points after the last or before the first (R switches)."},
                    {"REMOVE", "First / last removes an end segment (shown in red)."},
                    {"ADD", "Starts a new ground line; Q / E select lines."}},
                   a, 200);
    card(120, y + 24, 840, "BACKGROUNDS",
         {{"", "Pictures behind everything. Added later covers earlier. No collisions."}}, a, 0);
    y = card(1000, 200, 800, "BOXES & CIRCLES",
             {{"STATIC", "ADD Static: never moves. ADD Dynamic: falls and tumbles."},
              {"PHYSICS", "Density, friction, FIX ROTATION for dynamic blocks."},
              {"TOUCH DELAY", "ON: breaks SEC seconds after the player or a shot touches it."}},
             pal::amber, 220);
    card(1000, y + 24, 800, "LIGHTS",
         {{"COLOUR", "Drag the Red, Green and Blue sliders up and down, or type 0 to 1."},
          {"RED HANDLE", "Intensity: how far the light reaches, in pixels."},
          {"BLUE HANDLE", "Hardness: soft glow near the light, hard edge further down."},
          {"BLINK", "LIGHT DELAY with ON / OFF seconds, fade SPEED, FIRST ON."},
          {"HIDE INFO", "Hides the yellow light markers."}},
         pal::hazard, 220);
    c.save("Resources/Images/Tutorial/tutorial_editor_3.png");
}

}  // namespace

void makeTutorial() {
    gamePage();
    editorMainPage();
    editorPage1();
    editorPage2();
    editorPage3();
}

}  // namespace gen
