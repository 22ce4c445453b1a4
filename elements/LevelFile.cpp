#include "elements/LevelFile.h"

#include <allegro5/allegro.h>

#include "engine/Display.h"
#include "engine/TextFile.h"
#include "engine/TextFileStore.h"

LevelFile::LevelFile(NK::TextFileStore& t, const LevelDocument::Parts& level, NK::Display* d)
    : textFiles(&t), document(level), display(d) {}

void LevelFile::setBusyCursor(bool busy) {
    if (!display || !display->display) return;
    al_set_system_mouse_cursor(display->display, busy ? ALLEGRO_SYSTEM_MOUSE_CURSOR_BUSY
                                                      : ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
}

MapCodec::ReadResult LevelFile::load(const std::string& path) {
    setBusyCursor(true);
    NK::TextFile& file = textFiles->load(path, "map");
    MapCodec::ReadResult result = MapCodec::read(file.lines);
    // Nothing of a broken file reaches the level: the records go in only
    // once every line has been read, and what was there before goes too.
    if (result.ok)
        document.apply(result.data);
    else
        clear();
    textFiles->destroy("map");
    setBusyCursor(false);
    return result;
}

void LevelFile::save(const std::string& path) {
    setBusyCursor(true);
    textFiles->prepare(path, "map");
    textFiles->write("map", MapCodec::write(document.collect(), document.surfaceCounter()));
    textFiles->destroy("map");
    setBusyCursor(false);
}

std::string LevelFile::snapshot() const {
    return NK::TextFile::serialise(MapCodec::write(document.collect(), document.surfaceCounter()));
}

bool LevelFile::restore(const std::string& text) {
    MapCodec::ReadResult result = MapCodec::read(NK::TextFile::parse(text));
    if (result.ok) document.replace(result.data);
    return result.ok;
}
