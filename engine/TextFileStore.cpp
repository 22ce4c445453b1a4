#include "engine/TextFileStore.h"

#include <fstream>
#include <iterator>

#include "engine/Log.h"

namespace NK {

TextFile& TextFileStore::load(const std::string& path, const std::string& key) {
    files.clearForRemake(key);
    // Binary, so a carriage return reaches the line as it is in the file.
    std::ifstream in(path, std::ios::binary);
    if (!in) fatalError("File path \"" + path + "\" not found");
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return files.insert(key, TextFile(TextFile::parse(contents), path));
}

TextFile& TextFileStore::create(const std::string& path, const std::string& key) {
    files.clearForRemake(key);
    std::ofstream emptied(path, std::ios::binary | std::ios::trunc);
    emptied.close();
    return files.insert(key, TextFile({}, path));
}

void TextFileStore::write(const std::string& key, const std::vector<TextLine>& lines) {
    TextFile& file = files.get(key);
    file.lines = lines;
    std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
    if (!out) {
        fatalError("File path \"" + file.path + "\" not found");
        return;
    }
    out << TextFile::serialise(file.lines);
}

}  // namespace NK
