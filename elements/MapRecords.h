#pragma once
#include <string>
#include <vector>

// The records of a map file as plain values, one struct per tag. The map codec
// turns text into these and back; each element collection turns its own state
// into its records and back. Nothing here knows about Allegro or Box2D, so
// the file rules are tested on strings alone.

// "PLY": the centre of the player's rectangle.
struct PlayerRecord {
    float x = 400.0f, y = 840.0f;
};
// "CAM": the rectangle the play camera stays inside.
struct CameraAreaRecord {
    float x = 0.0f, y = 0.0f, w = 1920.0f, h = 1080.0f;
};
// "FE": the y below which the player dies.
struct FallEdgeRecord {
    float y = 2000.0f;
};
// "G": the gate image's position, on which its rectangle is centred.
struct GateRecord {
    float x = 1000.0f, y = 800.0f;
};
// "E": a security camera.
struct EnemyRecord {
    float x = 0.0f, y = 0.0f, angleHead = 0.0f, angleHolder = 0.0f, radius = 0.0f;
};
// "LE": a lever.
struct LeverRecord {
    float x = 0.0f, y = 0.0f, angle = 0.0f, delay = 0.0f;
};
// "D": a dialog trigger area and its card.
struct DialogRecord {
    float x = 0.0f, y = 0.0f, w = 0.0f, h = 0.0f;
    int titleSize = 0, textSize = 0;
    std::string title, text;  // with real spaces; the file holds "&" for them
    float delay = 0.0f;
};
// "N": a non-player character.
struct NpcRecord {
    float x = 0.0f, y = 0.0f;
    int type = 0;
    bool invert = false;
};
// "BG": a background image.
struct BackgroundRecord {
    std::string path;  // with real spaces; the file holds "&" for them
    float x = 0.0f, y = 0.0f, w = 0.0f, h = 0.0f, angle = 0.0f;
};
// "SF": a ground polyline, at least two points.
struct SurfacePoint {
    float x = 0.0f, y = 0.0f;
};
struct SurfaceRecord {
    std::vector<SurfacePoint> points;
};
// "B" and "C": a box or a circle.
struct BlockRecord {
    std::string path;  // with real spaces; the file holds "&" for them
    bool isDynamic = false;
    float x = 0.0f, y = 0.0f, w = 0.0f, h = 0.0f, angle = 0.0f;
    float density = 1.0f, friction = 0.5f;
    bool rotationFix = false;
    float delay = -1.0f;  // negative: no touch delay
};
// "L": a light.
struct LightRecord {
    float x = 0.0f, y = 0.0f, red = 1.0f, green = 1.0f, blue = 1.0f;
    float intensity = 0.0f, hardness = 0.0f;
    float delayOn = -1.0f, delayOff = -1.0f, delaySpeed = 0.0f;
    bool delayFirstOn = false;
};

// A whole level as its file holds it. Player, camera area, fall edge and gate
// are always present (a file without them leaves their defaults).
struct MapData {
    PlayerRecord player;
    CameraAreaRecord cameraArea;
    FallEdgeRecord fallEdge;
    GateRecord gate;
    std::vector<EnemyRecord> enemies;
    std::vector<LeverRecord> levers;
    std::vector<DialogRecord> dialogs;
    std::vector<NpcRecord> npcs;
    std::vector<BackgroundRecord> backgrounds;
    std::vector<SurfaceRecord> surfaces;
    std::vector<BlockRecord> boxes;
    std::vector<BlockRecord> circles;
    std::vector<LightRecord> lights;
};
