#pragma once
#include <string>
#include <vector>

class Game;

// What the game is after each action of a monkey run, in one line of
// fingerprints: the widgets on (their keys, places and texts), the editor's
// level as its file would hold it, the stores (the census), every Box2D
// body's place and speed, what is drawn as the drawing state holds it
// (pictures, animations, lights, sound cues), and the frame itself. A run from a fixed seed
// is the same run every time, so its trace is too: a trace that parts from
// the approved one (tests/data/monkey-trace/) shows where the game began to
// behave differently, and which of the six it was.
//
// The rules the monkey checks say what must always hold; the trace holds
// what the approved game did, down to a margin or a default nobody thought
// to check. A change that is meant is approved by copying the run's trace
// over the approved one.
namespace monkeytrace {

// "w=... l=... c=... b=... d=... f=..." for the game as it is now. Drawing and
// reading back a frame costs more than the rest together, so the frame is
// left out ("f=-") unless asked for.
std::string fingerprints(Game& game, bool withFrame);

// "" when the two traces agree; else the first action where they part,
// with its line from each and which fingerprints differ.
std::string compare(const std::vector<std::string>& approved, const std::vector<std::string>& seen);

}  // namespace monkeytrace
