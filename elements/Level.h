#pragma once
#include <array>
#include <memory>
#include <vector>

#include "elements/ElementServices.h"
#include "elements/LevelDocument.h"
#include "elements/LevelKinds.h"
#include "elements/LevelRun.h"

class EditorPanel;
class Player;
class Gate;
class Enemies;
class Levers;
class Dialogs;
class NPCs;
class Backgrounds;
class Surfaces;
class Boxes;
class Circles;
class Lights;

// The element kinds of the one level being edited or played, owned here and
// built from one set of services. The game, the editor frame, the play
// scene, the tools and the tests all take their level from a Level.
class Level {
public:
    explicit Level(const ElementServices& services);
    ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

#define DOVRA_LEVEL_MEMBER(Class, member, key, label) std::unique_ptr<Class> member;
    DOVRA_LEVEL_KINDS(DOVRA_LEVEL_MEMBER)
#undef DOVRA_LEVEL_MEMBER

    struct Tab {
        const char* key;
        const char* label;
    };
#define DOVRA_LEVEL_COUNT(Class, member, key, label) +1
    static constexpr std::size_t kindCount = 0 DOVRA_LEVEL_KINDS(DOVRA_LEVEL_COUNT);
#undef DOVRA_LEVEL_COUNT
    // The tabs in order: the editor's tab i edits panels()[i].
    static const std::array<Tab, kindCount>& tabs();

    // Every kind's page, in tab order.
    std::vector<EditorPanel*> panels() const;
    // The level as its map file holds it; the bitmaps are where "BG", "B"
    // and "C" records find their images.
    LevelDocument document() const;
    LevelDocument::Parts parts() const;
    // The level as play and the editor's test run step it.
    LevelRun run() const;

private:
    ElementServices services;
};
