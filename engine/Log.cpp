#include "engine/Log.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_native_dialog.h>

#include <cstdio>
#include <cstdlib>

#include "engine/Platform.h"

namespace NK {
namespace {

void writeLine(const char* prefix, const std::string& message) {
    std::string line = prefix + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

void showNativeBox(const std::string& heading, const std::string& text) {
    // Before al_install_system the dialog add-on cannot be used, and there is
    // no parent window; both are fine for the box itself.
    ALLEGRO_DISPLAY* parent = al_is_system_installed() ? al_get_current_display() : nullptr;
    al_show_native_message_box(parent, "ERROR", heading.c_str(), text.c_str(), nullptr,
                               ALLEGRO_MESSAGEBOX_ERROR);
}

FatalHandler& handler() {
    static FatalHandler current;
    return current;
}

[[noreturn]] void fatal(const std::string& heading, const std::string& text) {
    if (handler())
        handler()(heading, text);
    else
        showNativeBox(heading, text);
    Platform::endWithin(10, 255);
    std::exit(-1);
}

}  // namespace

void logInfo(const std::string& message) {
    writeLine("INFO: ", message);
}
void logError(const std::string& message) {
    writeLine("ERROR: ", message);
}

void fatalError(const std::string& message) {
    fatal("ERROR", message);
}
void fatalErrorWithHeading(const std::string& text, const std::string& heading) {
    fatal(heading, text);
}

void setFatalHandler(FatalHandler h) {
    handler() = std::move(h);
}
void resetFatalHandler() {
    handler() = nullptr;
}

std::string currentTimeString() {
    return Platform::formatLocalTime("%I-%M-%S");
}
std::string currentDateString() {
    return Platform::formatLocalTime("%d-%m-%Y");
}

std::string applicationName() {
    // Allegro reports the executable's file name; only a Windows build carries
    // the four-character ".exe" that the start line leaves out.
    std::string name = al_get_app_name();
    const std::string suffix = ".exe";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.resize(name.size() - suffix.size());
    return name;
}

}  // namespace NK
