// The monkey's rules about the level and its files: what the editor writes
// must be a map that loads back as the level it held, a level saved nowhere
// must never go without the question, and a running level's player must
// never hang in mid-air.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/MapCodec.h"
#include "game/Game.h"
#include "game/PlayScene.h"
#include "tools/monkey/MonkeyRun.h"

namespace fs = std::filesystem;

namespace {

const std::string recoveryName = ".recovery.txt";
// Where a start sets aside the copy the run before left, while it is offered.
const std::string offeredName = recoveryName + ".offered";

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// "line N: A / B": the first line where two texts part.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::size_t line = 1, start = 0, i = 0;
    for (; i < a.size() && i < b.size() && a[i] == b[i]; ++i)
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    auto lineAt = [start](const std::string& s) {
        return s.substr(start, s.find('\n', start) - start);
    };
    return "line " + std::to_string(line) + ": \"" + lineAt(a) + "\" / \"" + lineAt(b) + "\"";
}

namespace {

// The reader skips blank lines, and the editor keeps one after the ground
// whenever it ever numbered a surface: the text without them is the document.
std::string withoutBlankLines(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find_first_not_of(" \t\r") != std::string::npos) out += line + "\n";
        start = end + 1;
    }
    return out;
}

bool sameTime(const std::timespec& a, const std::timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

void MonkeyRun::scanMaps(bool judging, const std::string& before, const std::string& after) {
    std::map<std::string, FileSeen> now;
    for (const auto& entry : fs::directory_iterator(ImportExportPanel::folder)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (!entry.is_regular_file() || stat(entry.path().c_str(), &info) != 0) continue;
        // Half-written copies are renamed over their map once complete.
        if (entry.path().extension() == ".saving") continue;
        FileSeen seen;
        seen.size = info.st_size;
        seen.modified = info.st_mtim;
        auto old = maps.find(name);
        if (old != maps.end() && old->second.size == seen.size &&
            sameTime(old->second.modified, seen.modified)) {
            now[name] = old->second;
            continue;
        }
        const std::string text = contentsOf(entry.path());
        const MapCodec::Check c = MapCodec::check(text);
        seen.normalized = c.ok ? c.normalized : std::string();
        now[name] = seen;
        if (!judging) continue;  // the maps the game folder started with
        if (name == offeredName) {
            // Not written by the editor: the last run's crash copy, moved aside.
            auto copy = maps.find(recoveryName);
            if (copy == maps.end() || !sameDocument(copy->second.normalized, c.normalized))
                fail("\"" + name + "\" is not the crash copy the run before left");
        } else if (!c.ok) {
            fail("the editor wrote \"" + name + "\", which dovra-map check refuses: " + c.verdict);
        } else if (!sameDocument(c.normalized, text)) {
            fail("\"" + name + "\" does not load back to the same document, " +
                 firstDifference(withoutBlankLines(text), withoutBlankLines(c.normalized)));
        } else if (text != before && text != after) {
            fail("\"" + name + "\" holds neither the level before its tick nor after it");
        }
        if (name == recoveryName) reached.insert("crash copy written");
    }
    maps.swap(now);
}

bool sameDocument(const std::string& a, const std::string& b) {
    return a == b || withoutBlankLines(a) == withoutBlankLines(b);
}

bool MonkeyRun::savedSomewhere(const std::string& level) const {
    for (const auto& [name, seen] : maps)
        if (name != recoveryName && name != offeredName && !seen.normalized.empty() &&
            sameDocument(seen.normalized, level))
            return true;
    return false;
}

bool MonkeyRun::dirty(const std::string& level) const {
    return !sameDocument(level, emptyLevel) && !savedSomewhere(level);
}

void MonkeyRun::checkDropped(const std::string& before, const std::string& after, bool editorBefore,
                             bool editorAfter) {
    if (asked || before == after || !dirty(before)) return;
    // Out of the editor, the level it held can no longer be undone back.
    const bool lost = !editorBefore || !editorAfter ||
                      ((after == emptyLevel || savedSomewhere(after)) &&
                       !current->editor().history.holds(before));
    if (lost) fail("a level saved nowhere was dropped without the unsaved-map question");
}

void MonkeyRun::checkHang() {
    Game& g = *current;
    const bool testRun = g.scene() == Editor && g.editor().tabs.testRunning;
    if (g.scene() != Play && !testRun) return;
    const HangWatch& hang = testRun ? g.editor().hangWatch() : g.play().hangWatch();
    if (!hang.hanging() || hang.stillTicks() != HangWatch::ticksToHang) return;
    // A hang is told, not a broken rule: the player's body rests on a ledge's
    // corner wherever its box's corner meets one (the shipped levels still
    // hold such corners), so failing here would end every long run at the
    // first ledge and hide the faults this run is for. dovra-solve --hangs
    // and the level replays are where a hang fails.
    const NK::Vec2 at = hang.place();
    const std::string where = testRun ? std::string("editor test run") : g.play().mapPath;
    hangs.insert(where + " at " + std::to_string(20 * static_cast<int>(at.x / 20.0f)) + ", " +
                 std::to_string(20 * static_cast<int>(at.y / 20.0f)));
}
