#include "elements/MapCodec.h"

#include "engine/TextFile.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace MapCodec {
namespace {

// Walks the fields of one record, converting each word as its type asks. The
// first failed conversion is remembered and later reads return zeros, so a
// record is built straight through and checked once at the end.
class Fields {
public:
    explicit Fields(const NK::TextLine& line) : words(line.words) {}

    float real() {
        const std::string* word = next();
        if (!word) return 0.0f;
        const char* first = word->data();
        const char* last = first + word->size();
        // The conversion reads the longest leading number and ignores the
        // rest of the word; a "+" is allowed before it.
        if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
        double value = 0.0;
        auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
        if (ec == std::errc::invalid_argument || end == first) return fail("is not a number");
        if (ec == std::errc::result_out_of_range) return fail("is out of range");
        float narrowed = static_cast<float>(value);
        // Box2D and the drawing maths must never see NaN or infinity, nor
        // values so far out that Box2D's float maths breaks down on them.
        if (!std::isfinite(narrowed)) return fail("is not a finite number");
        if (std::fabs(narrowed) > kLargestReal) return fail("is out of range");
        return narrowed;
    }

    int whole() {
        const std::string* word = next();
        if (!word) return 0;
        const char* first = word->data();
        const char* last = first + word->size();
        if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
        long long value = 0;
        auto [end, ec] = std::from_chars(first, last, value, 10);
        if (ec == std::errc::invalid_argument || end == first) return fail("is not a number"), 0;
        if (ec == std::errc::result_out_of_range || value < INT_MIN || value > INT_MAX)
            return fail("is out of range"), 0;
        return static_cast<int>(value);
    }

    bool flag() { return whole() != 0; }

    std::string text() {
        const std::string* word = next();
        return word ? decodeSpaces(*word) : std::string();
    }

    bool failed() const { return !problem.empty(); }
    const std::string& why() const { return problem; }
    std::size_t position() const { return index; }

private:
    const std::string* next() {
        if (failed() || index >= words.size()) return nullptr;
        return &words[index++];
    }
    float fail(const char* what) {
        problem = "word " + std::to_string(index - 1) + " \"" + words[index - 1] + "\" " + what;
        return 0.0f;
    }

    const std::vector<std::string>& words;
    std::size_t index = 1;  // word 0 is the tag
    std::string problem;
};

// Fewest words (tag included) each tag needs, indexed like kTags.
constexpr std::array<std::size_t, kTags.size()> kMinimumWords = {3, 5, 2, 3,  6,  5, 10,
                                                                 5, 7, 5, 12, 12, 12};

int tagIndex(const std::string& word) {
    for (std::size_t i = 0; i < kTags.size(); ++i)
        if (word == kTags[i]) return static_cast<int>(i);
    return -1;
}

BlockRecord readBlock(Fields& f) {
    BlockRecord b;
    b.path = f.text();
    b.isDynamic = f.flag();
    b.x = f.real();
    b.y = f.real();
    b.w = f.real();
    b.h = f.real();
    b.angle = f.real();
    b.density = f.real();
    b.friction = f.real();
    b.rotationFix = f.flag();
    b.delay = f.real();
    return b;
}

// Adds the record of one line to the data; false when a field failed.
bool readRecord(int tag, const NK::TextLine& line, MapData& d, std::string& why) {
    Fields f(line);
    switch (tag) {
        case 0:
            d.player = {f.real(), f.real()};
            break;
        case 1:
            d.cameraArea = {f.real(), f.real(), f.real(), f.real()};
            break;
        case 2:
            d.fallEdge = {f.real()};
            break;
        case 3:
            d.gate = {f.real(), f.real()};
            break;
        case 4:
            d.enemies.push_back({f.real(), f.real(), f.real(), f.real(), f.real()});
            break;
        case 5:
            d.levers.push_back({f.real(), f.real(), f.real(), f.real()});
            break;
        case 6: {
            DialogRecord r;
            r.x = f.real();
            r.y = f.real();
            r.w = f.real();
            r.h = f.real();
            r.titleSize = f.whole();
            r.textSize = f.whole();
            r.title = f.text();
            r.text = f.text();
            r.delay = f.real();
            d.dialogs.push_back(r);
            break;
        }
        case 7: {
            NpcRecord r;
            r.x = f.real();
            r.y = f.real();
            r.type = f.whole();
            r.invert = f.flag();
            d.npcs.push_back(r);
            break;
        }
        case 8: {
            BackgroundRecord r;
            r.path = f.text();
            r.x = f.real();
            r.y = f.real();
            r.w = f.real();
            r.h = f.real();
            r.angle = f.real();
            d.backgrounds.push_back(r);
            break;
        }
        case 9: {
            SurfaceRecord r;
            float x1 = f.real(), y1 = f.real(), x2 = f.real(), y2 = f.real();
            r.points = {{x1, y1}, {x2, y2}};
            // Further points come in pairs; an unpaired last value is ignored.
            while (!f.failed() && f.position() + 1 < line.words.size()) {
                float x = f.real();
                float y = f.real();
                r.points.push_back({x, y});
            }
            d.surfaces.push_back(std::move(r));
            break;
        }
        case 10:
            d.boxes.push_back(readBlock(f));
            break;
        case 11:
            d.circles.push_back(readBlock(f));
            break;
        case 12: {
            LightRecord r;
            r.x = f.real();
            r.y = f.real();
            r.red = f.real();
            r.green = f.real();
            r.blue = f.real();
            r.intensity = f.real();
            r.hardness = f.real();
            r.delayOn = f.real();
            r.delayOff = f.real();
            r.delaySpeed = f.real();
            r.delayFirstOn = f.flag();
            d.lights.push_back(r);
            break;
        }
    }
    why = f.why();
    return !f.failed();
}

// Builds one line word by word, as the text-file store's lines are built.
class LineWriter {
public:
    explicit LineWriter(const char* tag) : line(tag) {}
    LineWriter& real(float v) { return word(formatReal(v)); }
    LineWriter& whole(int v) { return word(std::to_string(v)); }
    LineWriter& flag(bool v) { return word(v ? "1" : "0"); }
    LineWriter& text(const std::string& v) { return word(encodeSpaces(v)); }
    LineWriter& word(const std::string& w) {
        line.addWord(w);
        return *this;
    }
    NK::TextLine line;
};

void writeBlocks(std::vector<NK::TextLine>& out, const char* tag,
                 const std::vector<BlockRecord>& blocks) {
    for (const BlockRecord& b : blocks) {
        out.push_back(LineWriter(tag)
                          .text(b.path)
                          .flag(b.isDynamic)
                          .real(b.x)
                          .real(b.y)
                          .real(b.w)
                          .real(b.h)
                          .real(b.angle)
                          .real(b.density)
                          .real(b.friction)
                          .flag(b.rotationFix)
                          .real(b.delay)
                          .line);
    }
    if (!blocks.empty()) out.emplace_back();
}

}  // namespace

ReadResult read(const std::vector<NK::TextLine>& lines) {
    ReadResult result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const NK::TextLine& line = lines[i];
        if (line.words.empty()) continue;
        int tag = tagIndex(line.words[0]);
        if (tag < 0) continue;
        std::size_t need = kMinimumWords[static_cast<std::size_t>(tag)];
        std::string why;
        if (line.words.size() < need) {
            why = "\"" + line.words[0] + "\" needs " + std::to_string(need) + " words, has " +
                  std::to_string(line.words.size());
        } else if (!readRecord(tag, line, result.data, why)) {
            why = "\"" + line.words[0] + "\" " + why;
        }
        if (!why.empty()) {
            result.ok = false;
            result.errorLine = static_cast<int>(i) + 1;
            result.error = why;
            return result;
        }
        ++result.counts[static_cast<std::size_t>(tag)];
    }
    return result;
}

std::vector<NK::TextLine> write(const MapData& d, int surfaceCounter) {
    std::vector<NK::TextLine> out;
    out.push_back(LineWriter("PLY").real(d.player.x).real(d.player.y).line);
    const CameraAreaRecord& c = d.cameraArea;
    out.push_back(LineWriter("CAM").real(c.x).real(c.y).real(c.w).real(c.h).line);
    out.push_back(LineWriter("FE").real(d.fallEdge.y).line);
    out.push_back(LineWriter("G").real(d.gate.x).real(d.gate.y).line);
    out.emplace_back();

    for (const EnemyRecord& e : d.enemies)
        out.push_back(LineWriter("E")
                          .real(e.x)
                          .real(e.y)
                          .real(e.angleHead)
                          .real(e.angleHolder)
                          .real(e.radius)
                          .line);
    if (!d.enemies.empty()) out.emplace_back();

    for (const LeverRecord& l : d.levers)
        out.push_back(LineWriter("LE").real(l.x).real(l.y).real(l.angle).real(l.delay).line);
    if (!d.levers.empty()) out.emplace_back();

    for (const DialogRecord& r : d.dialogs)
        out.push_back(LineWriter("D")
                          .real(r.x)
                          .real(r.y)
                          .real(r.w)
                          .real(r.h)
                          .whole(r.titleSize)
                          .whole(r.textSize)
                          .text(r.title)
                          .text(r.text)
                          .real(r.delay)
                          .line);
    if (!d.dialogs.empty()) out.emplace_back();

    for (const NpcRecord& n : d.npcs)
        out.push_back(LineWriter("N").real(n.x).real(n.y).whole(n.type).flag(n.invert).line);
    if (!d.npcs.empty()) out.emplace_back();

    for (const BackgroundRecord& b : d.backgrounds)
        out.push_back(LineWriter("BG")
                          .text(b.path)
                          .real(b.x)
                          .real(b.y)
                          .real(b.w)
                          .real(b.h)
                          .real(b.angle)
                          .line);
    if (!d.backgrounds.empty()) out.emplace_back();

    for (const SurfaceRecord& s : d.surfaces) {
        if (s.points.size() < 2) continue;
        LineWriter w("SF");
        for (const SurfacePoint& p : s.points) w.real(p.x).real(p.y);
        out.push_back(w.line);
    }
    if (surfaceCounter > 0) out.emplace_back();

    writeBlocks(out, "B", d.boxes);
    writeBlocks(out, "C", d.circles);

    for (const LightRecord& l : d.lights)
        out.push_back(LineWriter("L")
                          .real(l.x)
                          .real(l.y)
                          .real(l.red)
                          .real(l.green)
                          .real(l.blue)
                          .real(l.intensity)
                          .real(l.hardness)
                          .real(l.delayOn)
                          .real(l.delayOff)
                          .real(l.delaySpeed)
                          .flag(l.delayFirstOn)
                          .line);
    if (!d.lights.empty()) out.emplace_back();
    return out;
}

std::string formatReal(float value) {
    // The largest float has 39 digits before the point.
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                   std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buffer, end);
}

std::string encodeSpaces(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == ' ') c = '&';
    return out;
}

std::string decodeSpaces(const std::string& word) {
    std::string out = word;
    for (char& c : out)
        if (c == '&') c = ' ';
    return out;
}

std::string describeCounts(const ReadResult& result) {
    std::string out;
    for (std::size_t i = 0; i < kTags.size(); ++i) {
        if (!result.counts[i]) continue;
        if (!out.empty()) out += ", ";
        out += std::to_string(result.counts[i]) + " " + kTags[i];
    }
    return out;
}

Check check(const std::string& text) {
    Check c;
    ReadResult r = read(NK::TextFile::parse(text));
    c.ok = r.ok;
    if (!r.ok) {
        c.verdict = "Wrong data at line " + std::to_string(r.errorLine) + ": " + r.error;
        return c;
    }
    const std::string counts = describeCounts(r);
    c.verdict = "Loaded" + (counts.empty() ? std::string() : " " + counts);
    // A load into a cleared level numbers the surfaces 0..n-1 and leaves the
    // counter at n.
    c.normalized = NK::TextFile::serialise(write(r.data, static_cast<int>(r.data.surfaces.size())));
    return c;
}

}  // namespace MapCodec
