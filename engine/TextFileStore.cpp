#include "engine/TextFileStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
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

TextFile& TextFileStore::prepare(const std::string& path, const std::string& key) {
    files.clearForRemake(key);
    return files.insert(key, TextFile({}, path));
}

bool (*writeFault)(WriteStep step, const std::string& path) = nullptr;

namespace {

bool failed(WriteStep step, const std::string& path) {
    return writeFault && writeFault(step, path);
}

}  // namespace

bool replaceWhole(const std::string& path, const std::string& text) {
    std::string temporary = path + ".saving";
    const int fd = failed(WriteStep::Open, path)
                       ? -1
                       : ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = failed(WriteStep::Write, path)
                              ? -1
                              : ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    bool ok = written == text.size() && !failed(WriteStep::Sync, path) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && !failed(WriteStep::Rename, path) && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

void TextFileStore::write(const std::string& key, const std::vector<TextLine>& lines) {
    TextFile& file = files.get(key);
    file.lines = lines;
    if (!replaceWhole(file.path, TextFile::serialise(file.lines)))
        fatalError("File path \"" + file.path + "\" not found");
}

}  // namespace NK
