#include "game/Replay.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

const char* const kKeys[] = {"A", "D", "W", "E", "R", "MOUSE"};

bool knownKey(const std::string& key) {
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

bool heldIn(const std::vector<Replay::Hold>& holds, int tick, bool& firstTick) {
    for (const Replay::Hold& h : holds) {
        if (tick >= h.from && tick < h.to) {
            firstTick = tick == h.from;
            return true;
        }
    }
    return false;
}

// Keys held per tick, for the recorder: the same names the reader takes.
bool keyIn(const PlayInput& in, const std::string& key, bool& pressed) {
    if (key == "A") return pressed = false, in.left;
    if (key == "D") return pressed = false, in.right;
    if (key == "W") return pressed = in.jumpPressed, in.jumpPressed;
    if (key == "E") return pressed = in.usePressed, in.usePressed;
    if (key == "R") return pressed = in.restartPressed, in.restartPressed;
    return pressed = in.firePressed, in.firePressed;
}

std::string number(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    return buffer;
}

}  // namespace

PlayInput Replay::inputAt(int tick) const {
    PlayInput in;
    auto held = [&](const char* key, bool& pressed) {
        auto found = holds.find(key);
        bool first = false;
        bool down = found != holds.end() && heldIn(found->second, tick, first);
        pressed = down && first;
        return down;
    };
    bool unused = false;
    in.left = held("A", unused);
    in.right = held("D", unused);
    held("W", in.jumpPressed);
    held("E", in.usePressed);
    held("R", in.restartPressed);
    held("MOUSE", in.firePressed);
    auto at = pointer.upper_bound(tick);
    if (at != pointer.begin()) in.pointer = std::prev(at)->second;
    return in;
}

int Replay::tickLimit() const {
    int last = expectedTick;
    for (const auto& [key, list] : holds)
        for (const Hold& h : list) last = std::max(last, h.to);
    if (!pointer.empty()) last = std::max(last, pointer.rbegin()->first);
    return last + 600;
}

std::string outcomeName(Replay::Outcome outcome) {
    switch (outcome) {
        case Replay::Outcome::Won:
            return "won";
        case Replay::Outcome::Lost:
            return "lost";
        default:
            return "none";
    }
}

ReplayParse parseReplay(const std::string& text) {
    ReplayParse result;
    Replay& r = result.replay;
    std::map<std::string, int> openDowns;
    std::istringstream lines(text);
    std::string line;
    bool sawMap = false, sawExpect = false;
    for (int n = 1; std::getline(lines, line); ++n) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb)) continue;
        auto fail = [&](const std::string& why) {
            result.error = "line " + std::to_string(n) + ": " + why;
            return result;
        };
        std::string key, word;
        int a = 0, b = 0;
        float x = 0, y = 0;
        if (verb == "map") {
            if (!(words >> r.mapPath)) return fail("map needs a path");
            sawMap = true;
        } else if (verb == "expect") {
            if (!(words >> word >> r.expectedTick))
                return fail("expect needs an outcome and a tick");
            if (word == "won")
                r.expected = Replay::Outcome::Won;
            else if (word == "lost")
                r.expected = Replay::Outcome::Lost;
            else if (word == "none")
                r.expected = Replay::Outcome::None;
            else
                return fail("outcome must be won, lost or none");
            sawExpect = true;
        } else if (verb == "hold" || verb == "press" || verb == "down" || verb == "up") {
            if (!(words >> key >> a)) return fail(verb + " needs a key and a tick");
            if (!knownKey(key)) return fail("unknown key " + key);
            if (verb == "hold") {
                if (!(words >> b) || b <= a) return fail("hold needs a later end tick");
                r.holds[key].push_back({a, b});
            } else if (verb == "press") {
                r.holds[key].push_back({a, a + 1});
            } else if (verb == "down") {
                openDowns[key] = a;
            } else {
                auto open = openDowns.find(key);
                if (open == openDowns.end() || a <= open->second)
                    return fail("up without an earlier down");
                r.holds[key].push_back({open->second, a});
                openDowns.erase(open);
            }
        } else if (verb == "mouse" || verb == "click") {
            if (!(words >> x >> y >> a)) return fail(verb + " needs x, y and a tick");
            r.pointer[a] = {x, y};
            if (verb == "click") r.holds["MOUSE"].push_back({a, a + 1});
        } else {
            return fail("unknown instruction " + verb);
        }
        if (a < 0) return fail("ticks start at 0");
    }
    // A key still down at the end stays down for good.
    for (const auto& [key, from] : openDowns) r.holds[key].push_back({from, 1 << 30});
    if (!sawMap) {
        result.error = "no map line";
        return result;
    }
    if (!sawExpect) {
        result.error = "no expect line";
        return result;
    }
    result.ok = true;
    return result;
}

std::string ReplayRecorder::text(Replay::Outcome outcome, int tick) const {
    std::string out =
        "map " + mapPath + "\nexpect " + outcomeName(outcome) + " " + std::to_string(tick) + "\n";
    for (const char* key : kKeys) {
        int from = -1;
        for (int t = 0; t <= tickCount(); ++t) {
            bool pressed = false;
            bool down = t < tickCount() && keyIn(ticks[static_cast<std::size_t>(t)], key, pressed);
            // Edge keys come in one-tick presses; a held one starts anew on each press.
            if (from >= 0 && (!down || pressed)) {
                out += (t - from == 1 ? std::string("press ") + key + " " + std::to_string(from)
                                      : std::string("hold ") + key + " " + std::to_string(from) +
                                            " " + std::to_string(t)) +
                       "\n";
                from = -1;
            }
            if (down && from < 0) from = t;
        }
    }
    NK::Vec2 last{-1.0f, -1.0f};
    for (int t = 0; t < tickCount(); ++t) {
        NK::Vec2 p = ticks[static_cast<std::size_t>(t)].pointer;
        if (p.x != last.x || p.y != last.y)
            out += "mouse " + number(p.x) + " " + number(p.y) + " " + std::to_string(t) + "\n";
        last = p;
    }
    return out;
}
