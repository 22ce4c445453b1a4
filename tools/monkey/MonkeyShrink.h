#pragma once
#include <functional>
#include <string>

#include "tools/monkey/MonkeyScript.h"

// Plays a script on a fresh game; the failure it ends in, or empty.
std::string playMonkeyScript(const MonkeyScript& script, const std::string& dataFolder);

// The script cut down while it still fails the same way: first to the
// failing action, then whole runs of actions left out, halves first, for as
// long as `seconds` allows. Each try starts the game anew, so this is only
// as cheap as the failure is early.
MonkeyScript shrinkMonkeyScript(const MonkeyScript& failing, const std::string& failure,
                                const std::string& dataFolder, double seconds);
