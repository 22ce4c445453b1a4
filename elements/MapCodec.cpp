#include "elements/MapCodec.h"

#include "elements/MapFields.h"
#include "engine/TextFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <type_traits>

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

constexpr bool sameTag(const char* a, const char* b) {
    for (; *a && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

constexpr bool tagsInFileOrder() {
    bool same = MapFields::kRecordCount == kTags.size();
    std::size_t i = 0;
    std::apply([&](const auto&... r) { ((same = same && sameTag(r.tag, kTags[i++])), ...); },
               MapFields::kRecords);
    return same;
}
static_assert(tagsInFileOrder(), "kTags lists the records in their file order");

int tagIndex(const std::string& word) {
    for (std::size_t i = 0; i < kTags.size(); ++i)
        if (word == kTags[i]) return static_cast<int>(i);
    return -1;
}

template <class R>
void readField(const MapFields::Field<R>& field, Fields& f, R& record) {
    switch (field.kind) {
        case MapFields::Kind::Real:
            record.*field.real = f.real();
            break;
        case MapFields::Kind::Whole:
            record.*field.whole = f.whole();
            break;
        case MapFields::Kind::Flag:
            record.*field.flag = f.flag();
            break;
        case MapFields::Kind::Text:
            record.*field.text = f.text();
            break;
    }
}

template <class R, std::size_t N>
void readInto(const MapFields::Record<R, N>& shape, Fields& f, const NK::TextLine&, MapData& d) {
    R record;
    for (const MapFields::Field<R>& field : shape.fields) readField(field, f, record);
    if (shape.one)
        d.*shape.one = record;
    else
        (d.*shape.many).push_back(record);
}

void readInto(const MapFields::Surfaces&, Fields& f, const NK::TextLine& line, MapData& d) {
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
}

// The fewest words (tag included) the record with this tag index needs.
std::size_t minimumWords(int tag) {
    std::size_t words = 0;
    MapFields::forEach([&](const auto& shape, std::size_t index) {
        if (static_cast<int>(index) == tag) words = shape.words;
    });
    return words;
}

// Adds the record of one line to the data; false when a field failed.
bool readRecord(int tag, const NK::TextLine& line, MapData& d, std::string& why) {
    Fields f(line);
    MapFields::forEach([&](const auto& shape, std::size_t index) {
        if (static_cast<int>(index) == tag) readInto(shape, f, line, d);
    });
    why = f.why();
    return !f.failed();
}

// Builds one line word by word, as the text-file store's lines are built.
class LineWriter {
public:
    explicit LineWriter(const char* tag) : line(tag) {}
    // A number the reader would refuse is written as the nearest it takes:
    // an element dragged past the edge of the world moves a little, where a
    // refused number would lose the whole level on the next load.
    LineWriter& real(float v) {
        return word(formatReal(std::isnan(v) ? 0.0f : std::clamp(v, -kLargestReal, kLargestReal)));
    }
    LineWriter& whole(int v) { return word(std::to_string(v)); }
    LineWriter& flag(bool v) { return word(v ? "1" : "0"); }
    LineWriter& text(const std::string& v) { return word(encodeSpaces(v)); }
    LineWriter& word(const std::string& w) {
        line.addWord(w);
        return *this;
    }
    NK::TextLine line;
};

template <class R>
void writeField(const MapFields::Field<R>& field, const R& record, LineWriter& w) {
    switch (field.kind) {
        case MapFields::Kind::Real:
            w.real(record.*field.real);
            break;
        case MapFields::Kind::Whole:
            w.whole(record.*field.whole);
            break;
        case MapFields::Kind::Flag:
            w.flag(record.*field.flag);
            break;
        case MapFields::Kind::Text:
            w.text(record.*field.text);
            break;
    }
}

// The records held once come first, followed by one blank line; each list
// is followed by a blank line when it has records.
template <class R, std::size_t N>
void writeOut(const MapFields::Record<R, N>& shape, const MapData& d, int,
              std::vector<NK::TextLine>& out) {
    auto line = [&](const R& record) {
        LineWriter w(shape.tag);
        for (const MapFields::Field<R>& field : shape.fields) writeField(field, record, w);
        out.push_back(w.line);
    };
    if (shape.one) {
        line(d.*shape.one);
        return;
    }
    for (const R& record : d.*shape.many) line(record);
    if (!(d.*shape.many).empty()) out.emplace_back();
}

void writeOut(const MapFields::Surfaces& shape, const MapData& d, int surfaceCounter,
              std::vector<NK::TextLine>& out) {
    for (const SurfaceRecord& s : d.surfaces) {
        if (s.points.size() < 2) continue;
        LineWriter w(shape.tag);
        for (const SurfacePoint& p : s.points) w.real(p.x).real(p.y);
        out.push_back(w.line);
    }
    if (surfaceCounter > 0) out.emplace_back();
}

template <class Shape>
constexpr bool heldOnce(const Shape& shape) {
    if constexpr (std::is_same_v<Shape, MapFields::Surfaces>)
        return false;
    else
        return shape.one != nullptr;
}

}  // namespace

ReadResult read(const std::vector<NK::TextLine>& lines) {
    ReadResult result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const NK::TextLine& line = lines[i];
        if (line.words.empty()) continue;
        int tag = tagIndex(line.words[0]);
        if (tag < 0) continue;
        std::size_t need = minimumWords(tag);
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
    bool headerOpen = true;
    MapFields::forEach([&](const auto& shape, std::size_t) {
        if (headerOpen && !heldOnce(shape)) {
            out.emplace_back();
            headerOpen = false;
        }
        writeOut(shape, d, surfaceCounter, out);
    });
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
