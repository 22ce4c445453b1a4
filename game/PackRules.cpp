#include "game/PackRules.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/MapCodec.h"
#include "engine/TextFile.h"
#include "game/GameFolder.h"

namespace PackRules {
namespace {

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool hasControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7f;
    });
}

std::string textProblem(const std::string& text, std::size_t longest) {
    if (text.size() > longest) return "longer than " + std::to_string(longest) + " bytes";
    if (!validUtf8(text)) return "not valid UTF-8";
    if (hasControl(text)) return "holds a control character";
    return "";
}

// The path's parts, split at "/".
std::vector<std::string> partsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(path);
    while (std::getline(in, part, '/')) parts.push_back(part);
    return parts;
}

std::string pathProblem(const std::string& path) {
    if (path.empty()) return "empty name";
    if (path.front() == '/') return "absolute path";
    if (path.find('\\') != std::string::npos) return "holds a backslash";
    const std::string text = textProblem(path, 255);
    if (!text.empty()) return text;
    for (const std::string& part : partsOf(path)) {
        if (part == "..") return "holds \"..\"";
        if (part.empty() || part == ".") return "holds an empty or \".\" part";
    }
    return "";
}

// "maps/X.txt" with X a plain file name: one folder deep, no odd characters,
// so the installed map's path is one word of the pack file.
bool plainMapEntry(const std::string& name) {
    const std::string prefix = "maps/";
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string file = name.substr(prefix.size());
    if (file.size() < 5 || file.size() > 64 || file.compare(file.size() - 4, 4, ".txt") != 0)
        return false;
    return std::all_of(file.begin(), file.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

std::string proofFor(const std::string& map) {
    const std::string file = map.substr(5, map.size() - 9);
    return "proofs/" + file + ".replay";
}

bool wholeNumber(const std::string& word, int& value) {
    if (word.empty() || word.size() > 9) return false;
    if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = std::stoi(word);
    return true;
}

}  // namespace

std::string readManifest(const std::string& text, Manifest& m) {
    std::set<std::string> seen;
    int lineNumber = 0;
    for (const std::string& line : linesOf(text)) {
        ++lineNumber;
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        if (key.empty()) continue;
        if (!seen.insert(key).second) return at + "\"" + key + "\" given twice";
        if (key == "format" || key == "version") {
            int number = 0;
            if (!wholeNumber(value, number)) return at + key + " is no whole number";
            (key == "format" ? m.format : m.version) = number;
        } else if (key == "id") {
            m.id = value;
        } else if (key == "name") {
            m.name = value;
        } else if (key == "author") {
            m.author = value;
        } else {
            return at + "unknown key \"" + (textProblem(key, 40).empty() ? key : "?") + "\"";
        }
    }
    if (!seen.count("format")) return "no format line";
    if (m.format != formatVersion)
        return "format " + std::to_string(m.format) + " is not one this game reads";
    for (const char* key : {"id", "name", "version"})
        if (!seen.count(key)) return std::string("no ") + key + " line";
    if (const std::string p = idProblem(m.id); !p.empty()) return "id: " + p;
    if (const std::string p = nameProblem(m.name); !p.empty()) return "name: " + p;
    if (const std::string p = authorProblem(m.author); !p.empty()) return "author: " + p;
    if (m.version < 1) return "version below 1";
    return "";
}

bool validUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t more = 0;
        unsigned least = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xe0) == 0xc0) {
            more = 1, least = 0x80, code = c & 0x1f;
        } else if ((c & 0xf0) == 0xe0) {
            more = 2, least = 0x800, code = c & 0x0f;
        } else if ((c & 0xf8) == 0xf0) {
            more = 3, least = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= text.size()) return false;
        for (std::size_t k = 1; k <= more; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xc0) != 0x80) return false;
            code = (code << 6) | (d & 0x3f);
        }
        // Overlong forms, surrogates and values past Unicode hide one
        // character as another.
        if (code < least || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
        i += more + 1;
    }
    return true;
}

std::string idProblem(const std::string& id) {
    if (id.empty() || id.size() > 40) return "not 1 to 40 characters";
    const auto plain = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
    if (!plain(id.front())) return "starts with other than a-z or 0-9";
    if (!std::all_of(id.begin(), id.end(),
                     [&](char c) { return plain(c) || c == '-' || c == '_'; }))
        return "holds other than a-z, 0-9, \"-\" and \"_\"";
    return "";
}

std::string nameProblem(const std::string& name) {
    if (name.find_first_not_of(' ') == std::string::npos) return "empty";
    if (const std::string p = textProblem(name, 60); !p.empty()) return p;
    if (name.find('_') != std::string::npos)
        return "holds \"_\", which the pack list shows as a blank";
    return "";
}

std::string authorProblem(const std::string& author) {
    return textProblem(author, 60);
}

std::string entryNameProblem(const std::string& name) {
    return pathProblem(name);
}

std::string Level::mapName() const {
    return map.substr(map.find('/') + 1);
}

const std::string* Pack::entry(const std::string& name) const {
    for (const Entry& e : entries)
        if (e.name == name) return &e.data;
    return nullptr;
}

std::string writeManifest(const Manifest& m) {
    return "format " + std::to_string(m.format) + "\nid " + m.id + "\nname " + m.name +
           "\nauthor " + m.author + "\nversion " + std::to_string(m.version) + "\n";
}

PackRead fromEntries(std::vector<Entry> entries) {
    PackRead r;
    Pack& pack = r.pack;
    pack.entries = std::move(entries);
    std::set<std::string> names;
    for (const Entry& e : pack.entries) {
        if (const std::string p = entryNameProblem(e.name); !p.empty()) {
            r.error = e.name + ": " + p;
            return r;
        }
        if (!names.insert(e.name).second) {
            r.error = e.name + ": given twice";
            return r;
        }
    }
    const std::string* manifest = pack.entry(manifestEntry);
    const std::string* levels = pack.entry(levelsEntry);
    if (!manifest || !levels) {
        r.error = std::string(manifest ? levelsEntry : manifestEntry) + ": missing";
        return r;
    }
    if (const std::string p = readManifest(*manifest, pack.manifest); !p.empty()) {
        r.error = std::string(manifestEntry) + ": " + p;
        return r;
    }
    std::set<std::string> used = {manifestEntry, levelsEntry};
    int lineNumber = 0;
    for (const std::string& line : linesOf(*levels)) {
        ++lineNumber;
        const std::vector<std::string> words = wordsOf(line);
        if (words.empty()) continue;
        const std::string at = std::string(levelsEntry) + ": line " + std::to_string(lineNumber);
        if (words.size() < 3 || !plainMapEntry(words[0]) || !textProblem(words[1], 40).empty()) {
            r.error = at + ": not \"maps/NAME.txt LABEL FLAG\"";
            return r;
        }
        Level level{words[0], proofFor(words[0]), words[1]};
        for (const std::string& needed : {level.map, level.proof}) {
            if (!pack.entry(needed)) {
                r.error = at + ": no \"" + needed + "\" in the pack";
                return r;
            }
        }
        if (!used.insert(level.map).second) {
            r.error = at + ": \"" + level.map + "\" listed twice";
            return r;
        }
        used.insert(level.proof);
        pack.levels.push_back(level);
    }
    if (pack.levels.empty() || pack.levels.size() > maxLevels) {
        r.error = std::string(levelsEntry) + ": not 1 to " + std::to_string(maxLevels) + " levels";
        return r;
    }
    for (const Entry& e : pack.entries) {
        if (!used.count(e.name)) {
            r.error = e.name + ": not a part of the pack";
            return r;
        }
    }
    r.ok = true;
    return r;
}

std::vector<Entry> toEntries(const Pack& pack) {
    std::vector<Entry> out = {{manifestEntry, writeManifest(pack.manifest)}, {levelsEntry, ""}};
    for (std::size_t i = 0; i < pack.levels.size(); ++i) {
        const Level& l = pack.levels[i];
        out[1].data += l.map + " " + l.label + (i == 0 ? " 1\n" : " 0\n");
    }
    for (const Level& l : pack.levels)
        for (const std::string& name : {l.map, l.proof})
            if (const std::string* data = pack.entry(name)) out.push_back({name, *data});
    return out;
}

std::string mapProblem(const std::string& text,
                       const std::function<bool(const std::string&)>& pictureThere) {
    const MapCodec::ReadResult read = MapCodec::read(NK::TextFile::parse(text));
    if (!read.ok) return "Wrong data at line " + std::to_string(read.errorLine) + ": " + read.error;
    int elements = 0;
    for (const int count : read.counts) elements += count;
    std::size_t points = 0;
    for (const SurfaceRecord& s : read.data.surfaces) points += s.points.size();
    if (elements > maxElements || points > 4u * maxElements)
        return "more than " + std::to_string(maxElements) + " elements";
    const auto picture = [&](const std::string& path, const char* folder) -> std::string {
        const std::string start = folder;
        if (!pathProblem(path).empty() || path.compare(0, start.size(), start) != 0)
            return "picture \"" + path + "\" is not in " + start;
        if (!pictureThere(path)) return "picture \"" + path + "\" is not there";
        return "";
    };
    for (const BackgroundRecord& b : read.data.backgrounds)
        if (const std::string p = picture(b.path, Backgrounds::folder); !p.empty()) return p;
    for (const BlockRecord& b : read.data.boxes)
        if (const std::string p = picture(b.path, Boxes::folder); !p.empty()) return p;
    for (const BlockRecord& b : read.data.circles)
        if (const std::string p = picture(b.path, Circles::folder); !p.empty()) return p;
    return "";
}

std::string packFileText(const Pack& pack, const std::string& mapFolder,
                         const std::string& previous) {
    // Progress goes by the map's name: a new version's folder differs.
    std::set<std::string> opened;
    for (const std::string& path : GameFolder::unlockedMaps(previous))
        opened.insert(path.substr(path.rfind('/') + 1));
    std::string text;
    for (std::size_t i = 0; i < pack.levels.size(); ++i) {
        const Level& l = pack.levels[i];
        const bool open = i == 0 || opened.count(l.mapName());
        text += mapFolder + l.mapName() + " " + l.label + (open ? " 1\n" : " 0\n");
    }
    return text;
}

std::string listLine(const std::string& packFile, const std::string& name) {
    std::string shown = name;
    std::replace(shown.begin(), shown.end(), ' ', '_');
    return packFile + " " + shown;
}

}  // namespace PackRules
