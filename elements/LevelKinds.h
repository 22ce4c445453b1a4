#pragma once

// Every kind a level is made of, one line each, in the editor's tab order,
// which is also the order they are made, updated and listed: the class, its
// member in Level, and its tab's button key and label. A new kind is its
// files and one line here.
#define DOVRA_LEVEL_KINDS(KIND)                                  \
    KIND(Player, player, "player", "Player")                     \
    KIND(Gate, gate, "gate", "Gate")                             \
    KIND(Enemies, enemies, "enemies", "Enemies")                 \
    KIND(Levers, levers, "levers", "Levers")                     \
    KIND(Dialogs, dialogs, "dialogs", "Dialogs")                 \
    KIND(NPCs, npcs, "npcs", "NPCs")                             \
    KIND(Backgrounds, backgrounds, "backgrounds", "Backgrounds") \
    KIND(Surfaces, surfaces, "surfaces", "Surfaces")             \
    KIND(Boxes, boxes, "boxes", "Boxes")                         \
    KIND(Circles, circles, "circles", "Circles")                 \
    KIND(Lights, lights, "lights", "Lights")
