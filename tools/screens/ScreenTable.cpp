#include "tools/screens/ScreenTable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace {

// Half a hundredth of a pixel: the table's sums and the layout's float maths
// agree far closer than that, and a widget one pixel off is far outside it.
constexpr float tolerance = 0.005f;

const std::map<std::string, NK::Color> colours = {{"red", NK::Color(1, 0, 0, 1)},
                                                  {"green", NK::Color(0, 1, 0, 1)},
                                                  {"white", NK::Color(1, 1, 1, 1)}};

const char* kindName(NK::ShownWidget::Kind kind) {
    switch (kind) {
        case NK::ShownWidget::Button:
            return "button";
        case NK::ShownWidget::Label:
            return "label";
        case NK::ShownWidget::Input:
            return "input";
    }
    return "?";
}

std::string number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
    return text;
}

std::string place(const NK::Rect& r) {
    return "at " + number(r.x) + " " + number(r.y) + " " + number(r.width) + " " + number(r.height);
}

// A number or a sum of them: + - * / and brackets, no blanks.
struct Sum {
    const std::string& s;
    std::size_t i = 0;
    bool ok = true;

    double term() {
        double v = factor();
        while (i < s.size() && (s[i] == '*' || s[i] == '/')) {
            const char op = s[i++];
            const double f = factor();
            v = op == '*' ? v * f : v / f;
        }
        return v;
    }
    double expression() {
        double v = term();
        while (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            const char op = s[i++];
            const double t = term();
            v = op == '+' ? v + t : v - t;
        }
        return v;
    }
    double factor() {
        if (i < s.size() && s[i] == '-') {
            ++i;
            return -factor();
        }
        if (i < s.size() && s[i] == '(') {
            ++i;
            const double v = expression();
            if (i >= s.size() || s[i] != ')') ok = false;
            ++i;
            return v;
        }
        const std::size_t start = i;
        while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
        if (i == start) ok = false;
        return ok ? std::stod(s.substr(start, i - start)) : 0.0;
    }
};

bool readSum(const std::string& text, float& out) {
    Sum sum{text};
    const double v = sum.expression();
    out = static_cast<float>(v);
    return sum.ok && sum.i == text.size();
}

// Blank-separated words; a quoted text (with a leading ~ or not) is one word
// and keeps its quotes. A # outside quotes ends the line.
std::vector<std::string> words(const std::string& line, bool& open) {
    std::vector<std::string> out;
    std::size_t i = 0;
    open = false;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        const std::size_t start = i;
        const std::size_t quote = line.compare(i, 2, "~\"") == 0 ? i + 1 : i;
        if (line[quote] == '"') {
            const std::size_t end = line.find('"', quote + 1);
            if (end == std::string::npos) {
                open = true;
                return out;
            }
            i = end + 1;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        }
        out.push_back(line.substr(start, i - start));
    }
    return out;
}

std::string readRow(const std::vector<std::string>& w, ScreenRow& row) {
    if (w.size() != 9 && w.size() != 10)
        return "a row is system, kind, key, text, at or mid, x, y, width, height and colour";
    row.system = w[0];
    if (w[1] == "button") {
        row.kind = NK::ShownWidget::Button;
    } else if (w[1] == "label") {
        row.kind = NK::ShownWidget::Label;
    } else if (w[1] == "input") {
        row.kind = NK::ShownWidget::Input;
    } else {
        return "kind \"" + w[1] + "\" is not button, label or input";
    }
    row.key = w[2];
    const std::string& t = w[3];
    if (t.size() >= 3 && t[0] == '~' && t[1] == '"') {
        row.textRule = ScreenRow::Text::Fresh;
        row.text = t.substr(2, t.size() - 3);
    } else if (t.size() >= 2 && t[0] == '"') {
        row.textRule = ScreenRow::Text::Exact;
        row.text = t.substr(1, t.size() - 2);
    } else if (t.size() >= 2 && t[0] == '$') {
        row.textRule = ScreenRow::Text::Variable;
        row.text = t.substr(1);
    } else {
        return "text " + t + " is neither \"quoted\", ~\"quoted\" nor $variable";
    }
    if (w[4] != "at" && w[4] != "mid") return "place \"" + w[4] + "\" is neither at nor mid";
    float v[4];
    for (int i = 0; i < 4; ++i)
        if (!readSum(w[5 + static_cast<std::size_t>(i)], v[i]))
            return "\"" + w[5 + static_cast<std::size_t>(i)] + "\" is not a number";
    row.area = NK::Rect(v[0], v[1], v[2], v[3]);
    if (w[4] == "mid") {
        row.area.x -= v[2] / 2.0f;
        row.area.y -= v[3] / 2.0f;
    }
    if (w.size() == 10) {
        row.colour = w[9];
        if (row.colour[0] != '$' && !colours.count(row.colour))
            return "colour \"" + row.colour + "\" is not red, green, white or $variable";
    }
    return "";
}

bool near(float a, float b) {
    return std::fabs(a - b) <= tolerance;
}

bool sameArea(const NK::Rect& a, const NK::Rect& b) {
    return near(a.x, b.x) && near(a.y, b.y) && near(a.width, b.width) && near(a.height, b.height);
}

std::string joined(const std::vector<std::string>& keys) {
    std::string out;
    for (const std::string& k : keys) out += (out.empty() ? "" : ", ") + k;
    return out;
}

}  // namespace

ScreenTable ScreenTable::parse(const std::string& text, std::string& error) {
    ScreenTable table;
    error.clear();
    return table.read(text, "table", error) ? table : ScreenTable();
}

bool ScreenTable::read(const std::string& text, const std::string& source, std::string& error) {
    std::istringstream in(text);
    std::string line, block;
    for (int n = 1; std::getline(in, line); ++n) {
        const std::string where = source + ":" + std::to_string(n);
        auto fail = [&](const std::string& why) {
            error = where + ": " + why;
            return false;
        };
        bool open = false;
        const std::vector<std::string> w = words(line, open);
        if (open) return fail("a text without its closing quote");
        if (w.empty()) continue;
        if (w[0] == "block") {
            if (w.size() != 2) return fail("block takes one name");
            if (blocks.count(w[1])) return fail("block \"" + w[1] + "\" twice");
            block = w[1];
            blocks[block];
        } else if (w[0] == "state") {
            if (w.size() < 3 || w[2] != "=") return fail("state NAME = BLOCK...");
            if (states.count(w[1])) return fail("state \"" + w[1] + "\" twice");
            std::vector<ScreenRow>& rows = states[w[1]];
            std::set<std::string> keys;
            bool changing = false;  // past "with": rows that change the rows before
            for (std::size_t i = 3; i < w.size(); ++i) {
                if (w[i] == "with") {
                    changing = true;
                    continue;
                }
                auto found = blocks.find(w[i]);
                if (found == blocks.end()) return fail("no block \"" + w[i] + "\"");
                for (const ScreenRow& r : found->second) {
                    const std::string key = r.system + "/" + r.key;
                    if (!changing) {
                        if (!keys.insert(key).second)
                            return fail(key + " twice in state \"" + w[1] + "\"");
                        rows.push_back(r);
                        continue;
                    }
                    auto same = std::find_if(rows.begin(), rows.end(), [&](const ScreenRow& o) {
                        return o.system == r.system && o.key == r.key;
                    });
                    if (same == rows.end()) return fail(key + " changed but not in the state");
                    *same = r;
                }
            }
            block.clear();
        } else {
            if (block.empty()) return fail("a row outside a block");
            ScreenRow row;
            const std::string why = readRow(w, row);
            if (!why.empty()) return fail(why);
            row.where = where;
            blocks[block].push_back(row);
        }
    }
    return true;
}

ScreenTable ScreenTable::load(const std::string& folder, std::string& error) {
    error.clear();
    std::vector<std::filesystem::path> files;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failed))
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    if (failed || files.empty()) {
        error = folder + ": no table files there";
        return ScreenTable();
    }
    std::sort(files.begin(), files.end());
    ScreenTable table;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (!in || !table.read(text, file.filename().string(), error)) {
            if (error.empty()) error = file.string() + ": cannot be read";
            return ScreenTable();
        }
    }
    return table;
}

std::string ScreenTable::describe(const ScreenRow& r) {
    const std::string text =
        r.textRule == ScreenRow::Text::Variable
            ? "$" + r.text
            : (r.textRule == ScreenRow::Text::Fresh ? "~" : "") + std::string("\"") + r.text + "\"";
    return r.system + "/" + kindName(r.kind) + " " + r.key + " " + text + " " + place(r.area) +
           " (" + r.where + ")";
}

std::string ScreenTable::describe(const SeenWidget& w) {
    return w.system + "/" + kindName(w.kind) + " " + w.key + " \"" + w.text + "\" " + place(w.area);
}

namespace {

// A variable's value, or a line saying it was not given.
bool valueOf(const ScreenTable::Vars& vars, const std::string& name, std::string& out,
             std::vector<std::string>& lines) {
    auto v = vars.find(name);
    if (v == vars.end()) {
        lines.push_back("no value given for $" + name);
        return false;
    }
    out = v->second;
    return true;
}

bool sameText(const std::string& seen, const std::string& want) {
    // "RECOVER ..." stands for any text that begins "RECOVER ".
    const std::string dots = "...";
    if (want.size() < dots.size() || want.compare(want.size() - dots.size(), 3, dots) != 0)
        return seen == want;
    return seen.compare(0, want.size() - dots.size(), want, 0, want.size() - dots.size()) == 0;
}

// How one widget differs from its row: kind, text, colour, place.
void rowFaults(const ScreenRow& r, const SeenWidget& w, const ScreenTable::Vars& vars, bool fresh,
               std::vector<std::string>& lines) {
    const std::string id = r.system + "/" + r.key;
    const std::string at = " (" + r.where + ")";
    if (w.kind != r.kind)
        lines.push_back(id + " is a " + kindName(w.kind) + ", not a " + kindName(r.kind) + at);
    std::string want = r.text;
    const bool held =
        r.textRule == ScreenRow::Text::Exact || (r.textRule == ScreenRow::Text::Fresh && fresh) ||
        (r.textRule == ScreenRow::Text::Variable && valueOf(vars, r.text, want, lines));
    if (held && !sameText(w.text, want))
        lines.push_back("text of " + id + ": \"" + w.text + "\", table \"" + want + "\"" + at);
    std::string colour = r.colour;
    if (!colour.empty() && (colour[0] != '$' || valueOf(vars, colour.substr(1), colour, lines))) {
        auto c = colours.find(colour);
        if (c == colours.end())
            lines.push_back("no colour \"" + colour + "\" for " + id + at);
        else if (!near(w.colour.r, c->second.r) || !near(w.colour.g, c->second.g) ||
                 !near(w.colour.b, c->second.b))
            lines.push_back("colour of " + id + ": not " + colour + at);
    }
    if (!sameArea(w.area, r.area))
        lines.push_back("place of " + id + ": " + place(w.area) + ", table " + place(r.area) + at);
}

// Each system draws each kind in one sequence; the table's rows of that
// kind are in that sequence. Widgets missing or extra are reported apart.
void orderFaults(const std::vector<ScreenRow>& rows, const std::vector<SeenWidget>& seen,
                 const std::set<std::string>& matched, std::vector<std::string>& lines) {
    std::set<std::pair<std::string, NK::ShownWidget::Kind>> groups;
    for (const SeenWidget& w : seen) groups.insert({w.system, w.kind});
    for (const auto& [system, kind] : groups) {
        std::vector<const SeenWidget*> inOrder;
        for (const SeenWidget& w : seen)
            if (w.system == system && w.kind == kind && w.drawn >= 0 &&
                matched.count(w.system + "/" + w.key))
                inOrder.push_back(&w);
        std::sort(inOrder.begin(), inOrder.end(),
                  [](const SeenWidget* a, const SeenWidget* b) { return a->drawn < b->drawn; });
        std::vector<std::string> drawn, table;
        for (const SeenWidget* w : inOrder) drawn.push_back(w->key);
        for (const ScreenRow& r : rows)
            if (r.system == system && r.kind == kind &&
                std::find(drawn.begin(), drawn.end(), r.key) != drawn.end())
                table.push_back(r.key);
        if (table != drawn)
            lines.push_back("order of " + system + " " + kindName(kind) + "s: drawn " +
                            joined(drawn) + "; table " + joined(table));
    }
}

}  // namespace

std::vector<std::string> ScreenTable::compare(const std::string& state,
                                              const std::vector<SeenWidget>& seen, const Vars& vars,
                                              bool fresh) const {
    auto found = states.find(state);
    if (found == states.end()) return {"no state \"" + state + "\" in the table"};
    const std::vector<ScreenRow>& rows = found->second;
    std::vector<std::string> lines;
    std::set<std::string> matched;
    for (const ScreenRow& r : rows) {
        auto w = std::find_if(seen.begin(), seen.end(), [&](const SeenWidget& s) {
            return s.system == r.system && s.key == r.key;
        });
        if (w == seen.end()) {
            lines.push_back("missing: " + describe(r));
            continue;
        }
        matched.insert(r.system + "/" + r.key);
        rowFaults(r, *w, vars, fresh, lines);
    }
    for (const SeenWidget& w : seen)
        if (!matched.count(w.system + "/" + w.key)) lines.push_back("extra: " + describe(w));
    orderFaults(rows, seen, matched, lines);
    return lines;
}
