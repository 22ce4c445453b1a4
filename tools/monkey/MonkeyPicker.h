#pragma once
#include <random>
#include <string>

#include "tools/monkey/MonkeyRun.h"
#include "tools/monkey/MonkeyScript.h"

// Chooses a monkey's next action from what is on the screen: mostly clicks
// on the widgets shown (the least clicked first), text for a focused input
// (map names, save names, numbers good and bad), walks and jumps in a
// level, drags and clicks over the editing area, keys, undo and redo, and
// now and then a crash. The same seed and the same game give the same run.
class MonkeyPicker {
public:
    explicit MonkeyPicker(unsigned seed) : random(seed) {}
    MonkeyAction next(MonkeyRun& run);
    // A string of Y and N for the save question.
    std::string answers();

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    float between(float a, float b) { return std::uniform_real_distribution<float>(a, b)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    MonkeyAction clickWidget(MonkeyRun& run);
    MonkeyAction typeText(MonkeyRun& run, const std::string& input);
    MonkeyAction inLevel();
    MonkeyAction inEditingArea();
    MonkeyAction someKey();

    std::mt19937 random;
};
