#include "game/Replay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "engine/Log.h"
#include "engine/TextFileStore.h"
#include "game/PadControls.h"

namespace {

const char* const kKeys[] = {"A", "D", "W", "E", "R", "MOUSE"};
constexpr int kLastTick = 1 << 29;

// A controller's buttons by the names replays give them.
const std::pair<const char*, NK::Gamepad::Button> kPadKeys[] = {
    {"PAD_A", NK::Gamepad::South},         {"PAD_B", NK::Gamepad::East},
    {"PAD_X", NK::Gamepad::West},          {"PAD_Y", NK::Gamepad::North},
    {"PAD_LB", NK::Gamepad::LeftShoulder}, {"PAD_RB", NK::Gamepad::RightShoulder},
    {"PAD_LT", NK::Gamepad::LeftTrigger},  {"PAD_RT", NK::Gamepad::RightTrigger},
    {"PAD_BACK", NK::Gamepad::Back},       {"PAD_START", NK::Gamepad::Start},
    {"PAD_UP", NK::Gamepad::DpadUp},       {"PAD_DOWN", NK::Gamepad::DpadDown},
    {"PAD_LEFT", NK::Gamepad::DpadLeft},   {"PAD_RIGHT", NK::Gamepad::DpadRight}};

bool knownKey(const std::string& key) {
    if (std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys)) return true;
    for (const auto& [name, button] : kPadKeys)
        if (key == name) return true;
    return false;
}

// The value in force at `tick`: the last one set at or before it.
NK::Vec2 valueAt(const std::map<int, NK::Vec2>& byTick, int tick) {
    auto at = byTick.upper_bound(tick);
    return at == byTick.begin() ? NK::Vec2() : std::prev(at)->second;
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
    in.pointer = valueAt(pointer, tick);
    // The controller's lines go through the same rules as a live controller.
    NK::Gamepad::State pad;
    for (const auto& [name, button] : kPadKeys) pad.held[button] = held(name, pad.pressed[button]);
    pad.left = valueAt(leftStick, tick);
    pad.right = valueAt(rightStick, tick);
    PadControls::addTo(in, pad);
    return in;
}

int Replay::tickLimit() const {
    int last = expectedTick;
    for (const auto& [key, list] : holds)
        for (const Hold& h : list) last = std::max(last, h.to);
    for (const auto* byTick : {&pointer, &leftStick, &rightStick})
        if (!byTick->empty()) last = std::max(last, byTick->rbegin()->first);
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
    // About a hundred days of play; well short of where tick sums overflow.
    const std::string pastTheEnd = "ticks end at " + std::to_string(kLastTick);
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
            if (r.expectedTick > kLastTick) return fail(pastTheEnd);
            if (word == "won")
                r.expected = Replay::Outcome::Won;
            else if (word == "lost")
                r.expected = Replay::Outcome::Lost;
            else if (word == "none")
                r.expected = Replay::Outcome::None;
            else
                return fail("outcome must be won, lost or none");
            if (words >> word) {
                if (word != "at" || !(words >> x >> y) || !std::isfinite(x) || !std::isfinite(y))
                    return fail("expect's place is \"at X Y\"");
                r.expectsPlace = true;
                r.expectedPlace = {x, y};
            }
            sawExpect = true;
        } else if (verb == "hold" || verb == "press" || verb == "down" || verb == "up") {
            if (!(words >> key >> a)) return fail(verb + " needs a key and a tick");
            if (a > kLastTick) return fail(pastTheEnd);
            if (!knownKey(key)) return fail("unknown key " + key);
            if (verb == "hold") {
                if (!(words >> b) || b <= a) return fail("hold needs a later end tick");
                if (b > kLastTick) return fail(pastTheEnd);
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
        } else if (verb == "stick") {
            if (!(words >> key >> x >> y >> a)) return fail("stick needs a stick, x, y and a tick");
            if (a > kLastTick) return fail(pastTheEnd);
            if (key != "LEFT" && key != "RIGHT") return fail("stick must be LEFT or RIGHT");
            if (!(x >= -1 && x <= 1 && y >= -1 && y <= 1))
                return fail("stick positions run from -1 to 1");
            (key == "LEFT" ? r.leftStick : r.rightStick)[a] = {x, y};
        } else if (verb == "mouse" || verb == "click") {
            if (!(words >> x >> y >> a)) return fail(verb + " needs x, y and a tick");
            if (a > kLastTick) return fail(pastTheEnd);
            r.pointer[a] = {x, y};
            if (verb == "click") r.holds["MOUSE"].push_back({a, a + 1});
        } else {
            return fail("unknown instruction " + verb);
        }
        if (a < 0) return fail("ticks start at 0");
    }
    // A key still down at the end stays down for good.
    for (const auto& [key, from] : openDowns) r.holds[key].push_back({from, kLastTick + 1});
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

std::string placeText(NK::Vec2 place) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f", static_cast<double>(place.x),
                  static_cast<double>(place.y));
    return text;
}

bool samePlace(NK::Vec2 place, NK::Vec2 expected) {
    return placeText(place) == placeText(expected);
}

std::string ReplayRecorder::text(Replay::Outcome outcome, int tick, const NK::Vec2* place) const {
    std::string out = "map " + mapPath + "\nexpect " + outcomeName(outcome) + " " +
                      std::to_string(tick) + (place ? " at " + placeText(*place) : "") + "\n";
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
    // A controller's aim; its buttons and left stick are already among the keys.
    NK::Vec2 aimed;
    for (int t = 0; t < tickCount(); ++t) {
        NK::Vec2 a = ticks[static_cast<std::size_t>(t)].aim;
        if (a.x != aimed.x || a.y != aimed.y)
            out +=
                "stick RIGHT " + number(a.x) + " " + number(a.y) + " " + std::to_string(t) + "\n";
        aimed = a;
    }
    return out;
}

bool ReplayRecorder::write(const std::string& path, Replay::Outcome outcome, int tick,
                           const NK::Vec2* place) const {
    return NK::replaceWhole(path, text(outcome, tick, place));
}

void ReplayRecorder::finish(const std::string& path, Replay::Outcome outcome,
                            NK::Vec2 place) const {
    if (write(path, outcome, tickCount() - 1, &place))
        NK::logInfo("Replay saved to \"" + path + "\"");
    else
        NK::logError("Replay path \"" + path + "\" not writable");
}
