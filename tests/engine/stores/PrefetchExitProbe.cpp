// Ends by a fatal error at once while two picture workers decode the files
// given, and checks on the way out, just before Allegro goes, that no worker
// is left: 255 (the fatal error's status) when none is, 3 when one is.
// PrefetchExitTest runs it.
#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "engine/ImagePrefetch.h"
#include "engine/Log.h"

namespace {

long threadsBefore = 0;

long threads() {
    std::error_code e;
    const std::filesystem::directory_iterator tasks("/proc/self/task", e);
    return e ? -1 : std::distance(begin(tasks), end(tasks));
}

// Registered after Allegro's uninstall, so it runs just before it.
void noWorkerLeft() {
    // The fatal error's exit watchdog is the one thread expected.
    const long left = threads() - threadsBefore - 1;
    if (left == 0) return;
    std::fprintf(stderr, "%ld worker(s) still decoding as Allegro goes\n", left);
    _exit(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit) || !al_init_image_addon()) return 4;
    NK::setFatalHandler([](const std::string&, const std::string&) {});
    threadsBefore = threads();
    std::atexit(noWorkerLeft);
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    // Never freed: the exit is what ends it, as in a game that fails to start.
    auto* prefetch = new NK::ImagePrefetch({argv + 1, argv + argc}, 2);
    NK::ImagePrefetch::setCurrent(prefetch);
    NK::fatalError("ended while decoding");
    return 5;
}
