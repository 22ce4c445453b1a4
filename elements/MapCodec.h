#pragma once
#include <array>
#include <string>
#include <vector>

#include "elements/MapRecords.h"
#include "engine/TextLine.h"

// The map file's rules on their own: lines of words in, records out, and
// records in, lines out. No window, no physics, no file system, so the game,
// the dovra-map tool and the fuzzer all read a map with the same code.
namespace MapCodec {

// The record tags in the order a line's first word is compared with them.
constexpr std::array<const char*, 13> kTags = {"PLY", "CAM", "FE", "G", "E", "LE", "D",
                                               "N",   "BG",  "SF", "B", "C", "L"};

// The largest magnitude a real field may have. Levels are a few thousand
// pixels across and the physics world culls everything beyond about a
// million; past that Box2D's float maths loses the precision its own checks
// rely on, so a file holding such a number is wrong data.
constexpr float kLargestReal = 1000000.0f;

struct ReadResult {
    bool ok = true;
    MapData data;
    // How many lines of each tag were read, indexed like kTags.
    std::array<int, kTags.size()> counts{};
    // When not ok: the 1-based line that ended the read, and why.
    int errorLine = 0;
    std::string error;
};

// Reads every line. A line with no words or an unknown first word is
// skipped. A record with too few words, or a field that is not a number (or
// not finite as a 32-bit float), ends the read with ok false: the caller
// throws away everything read so far.
ReadResult read(const std::vector<NK::TextLine>& lines);

// The lines of a saved map, blank separators included. Surface lines are
// followed by a blank line when surfaceCounter is above zero, whether or not
// any surface was written, as the editor has always saved them.
std::vector<NK::TextLine> write(const MapData& data, int surfaceCounter);

// "%f" of the value widened to double, whatever the C locale says.
std::string formatReal(float value);
// Dialog texts and image paths hold "&" in the file wherever a space stands.
std::string encodeSpaces(const std::string& text);
std::string decodeSpaces(const std::string& word);

// "1 PLY, 1 CAM, 3 SF": the tags read, in tag order, leaving out those not seen.
std::string describeCounts(const ReadResult& result);

// A whole map file's text judged as dovra-map check judges it: `verdict` is
// "Loaded 1 PLY, 3 SF" or "Wrong data at line N: why". When it loads,
// `normalized` is the text a load into a cleared level and a save would
// write, so a file the editor wrote must equal it.
struct Check {
    bool ok = false;
    std::string verdict;
    std::string normalized;
};
Check check(const std::string& text);

}  // namespace MapCodec
