#include "tools/monkey/MonkeyScript.h"

#include <allegro5/keycodes.h>

#include <cctype>
#include <cmath>
#include <sstream>

namespace {

struct NamedKey {
    const char* name;
    int code;
};
const NamedKey namedKeys[] = {
    {"ESCAPE", ALLEGRO_KEY_ESCAPE},
    {"ENTER", ALLEGRO_KEY_ENTER},
    {"PAD_ENTER", ALLEGRO_KEY_PAD_ENTER},
    {"SPACE", ALLEGRO_KEY_SPACE},
    {"BACKSPACE", ALLEGRO_KEY_BACKSPACE},
    {"DELETE", ALLEGRO_KEY_DELETE},
    {"TAB", ALLEGRO_KEY_TAB},
    {"LEFT", ALLEGRO_KEY_LEFT},
    {"RIGHT", ALLEGRO_KEY_RIGHT},
    {"UP", ALLEGRO_KEY_UP},
    {"DOWN", ALLEGRO_KEY_DOWN},
    {"MINUS", ALLEGRO_KEY_MINUS},
    {"FULLSTOP", ALLEGRO_KEY_FULLSTOP},
    {"SLASH", ALLEGRO_KEY_SLASH},
    {"COMMA", ALLEGRO_KEY_COMMA},
    {"LCTRL", ALLEGRO_KEY_LCTRL},
    {"LSHIFT", ALLEGRO_KEY_LSHIFT},
    {"CAPSLOCK", ALLEGRO_KEY_CAPSLOCK},
    {"PAD_MINUS", ALLEGRO_KEY_PAD_MINUS},
    {"PAD_DELETE", ALLEGRO_KEY_PAD_DELETE},
};

std::string formatNumber(float v) {
    if (v == std::floor(v) && std::fabs(v) < 1e7f) return std::to_string(static_cast<long>(v));
    std::ostringstream out;
    out << v;
    return out.str();
}

}  // namespace

int monkeyKeyCode(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
        return ALLEGRO_KEY_A + (name[0] - 'A');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return ALLEGRO_KEY_0 + (name[0] - '0');
    for (const NamedKey& k : namedKeys)
        if (name == k.name) return k.code;
    return 0;
}

TypedKey monkeyTypedKey(char c) {
    if (c >= 'a' && c <= 'z') return {ALLEGRO_KEY_A + (c - 'a'), false};
    if (c >= 'A' && c <= 'Z') return {ALLEGRO_KEY_A + (c - 'A'), true};
    if (c >= '0' && c <= '9') return {ALLEGRO_KEY_0 + (c - '0'), false};
    switch (c) {
        case '.':
            return {ALLEGRO_KEY_FULLSTOP, false};
        case '-':
            return {ALLEGRO_KEY_MINUS, false};
        case '_':
            return {ALLEGRO_KEY_MINUS, true};
        case ' ':
            return {ALLEGRO_KEY_SPACE, false};
        case ',':
            return {ALLEGRO_KEY_COMMA, false};
        default:
            return {};
    }
}

std::string monkeyActionLine(const MonkeyAction& a) {
    const auto n = formatNumber;
    switch (a.kind) {
        case MonkeyAction::Idle:
            return "idle " + std::to_string(a.ticks);
        case MonkeyAction::Key:
            return "key " + a.key +
                   (a.ticks != 1 || a.ctrl || a.shift ? " " + std::to_string(a.ticks) : "") +
                   (a.ctrl ? " ctrl" : "") + (a.shift ? " shift" : "");
        case MonkeyAction::Click:
            return "click " + n(a.x) + " " + n(a.y);
        case MonkeyAction::Drag:
            return "drag " + n(a.x) + " " + n(a.y) + " " + n(a.x2) + " " + n(a.y2) + " " +
                   std::to_string(a.ticks);
        case MonkeyAction::Move:
            return "move " + n(a.x) + " " + n(a.y);
        case MonkeyAction::Type:
            // A line's trailing spaces are lost to editors and to the reader,
            // so a text ending in one (or none at all) is written in quotes.
            if (a.key.empty() || a.key.back() == ' ') return "type \"" + a.key + "\"";
            return "type " + a.key;
        case MonkeyAction::Wheel:
            return "wheel " + std::to_string(a.wheel);
        case MonkeyAction::UndoRedo:
            return "undoredo";
        case MonkeyAction::Crash:
            return "crash";
    }
    return "";
}

std::string monkeyScriptText(const MonkeyScript& script) {
    std::string text = "answers " + script.answers + "\n";
    for (const MonkeyAction& a : script.actions) text += monkeyActionLine(a) + "\n";
    return text;
}

MonkeyParse parseMonkeyScript(const std::string& text) {
    MonkeyParse p;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&p, &number](const std::string& why) {
        p.error = "line " + std::to_string(number) + ": " + why;
        return p;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t hash = line.find('#');
        std::string body = line.substr(0, hash);
        std::istringstream words(body);
        std::string word;
        if (!(words >> word)) continue;
        MonkeyAction a;
        auto numbers = [&words](std::initializer_list<float*> into) {
            for (float* f : into)
                if (!(words >> *f) || !std::isfinite(*f)) return false;
            return true;
        };
        if (word == "answers") {
            std::string answers;
            if (!(words >> answers) || answers.find_first_not_of("YN") != std::string::npos)
                return fail("answers takes Y and N");
            p.script.answers = answers;
            continue;
        } else if (word == "idle") {
            a.kind = MonkeyAction::Idle;
            if (!(words >> a.ticks) || a.ticks < 1) return fail("idle takes a tick count");
        } else if (word == "key") {
            a.kind = MonkeyAction::Key;
            if (!(words >> a.key) || !monkeyKeyCode(a.key)) return fail("unknown key");
            std::string more;
            while (words >> more) {
                if (more == "ctrl")
                    a.ctrl = true;
                else if (more == "shift")
                    a.shift = true;
                else if (std::isdigit(static_cast<unsigned char>(more[0])) && std::stoi(more) > 0)
                    a.ticks = std::stoi(more);
                else
                    return fail("key takes a tick count, ctrl and shift");
            }
        } else if (word == "click" || word == "move") {
            a.kind = word == "click" ? MonkeyAction::Click : MonkeyAction::Move;
            if (!numbers({&a.x, &a.y})) return fail(word + " takes x and y");
        } else if (word == "drag") {
            a.kind = MonkeyAction::Drag;
            if (!numbers({&a.x, &a.y, &a.x2, &a.y2}) || !(words >> a.ticks) || a.ticks < 1)
                return fail("drag takes two points and a tick count");
        } else if (word == "type") {
            a.kind = MonkeyAction::Type;
            const std::size_t at = body.find("type") + 5;
            a.key = at < body.size() ? body.substr(at) : "";
            while (!a.key.empty() && a.key.back() == ' ') a.key.pop_back();
            if (a.key.size() >= 2 && a.key.front() == '"' && a.key.back() == '"')
                a.key = a.key.substr(1, a.key.size() - 2);
            for (char c : a.key)
                if (!monkeyTypedKey(c).code) return fail("a character that cannot be typed");
        } else if (word == "wheel") {
            a.kind = MonkeyAction::Wheel;
            if (!(words >> a.wheel)) return fail("wheel takes notches");
        } else if (word == "undoredo") {
            a.kind = MonkeyAction::UndoRedo;
        } else if (word == "crash") {
            a.kind = MonkeyAction::Crash;
        } else {
            return fail("unknown action \"" + word + "\"");
        }
        p.script.actions.push_back(a);
    }
    p.ok = true;
    return p;
}
