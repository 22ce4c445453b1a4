#include "engine/DecodedImages.h"

#include <sys/stat.h>

#include "engine/AllegroPtr.h"
#include "engine/ImagePrefetch.h"

namespace NK {

namespace {

// The file's pixels as a bitmap made the way al_load_bitmap makes it: taken
// from a start-up prefetch when one has it decoded from the same file, else
// decoded here.
ALLEGRO_BITMAP* decode(const std::string& path) {
    if (ImagePrefetch* prefetch = ImagePrefetch::current()) {
        std::string seen;
        if (ALLEGRO_BITMAP* decoded = prefetch->take(path, seen)) {
            if (seen == ImagePrefetch::fileStamp(path)) {
                al_convert_bitmap(decoded);  // to a texture, as a load here would make
                return decoded;
            }
            al_destroy_bitmap(decoded);
        }
    }
    return al_load_bitmap(path.c_str());
}

}  // namespace

DecodedImages::Image DecodedImages::get(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        images.erase(path);
        return nullptr;  // gone: the caller's own load fails and says so
    }
    Stamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.seconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    stamp.flags = al_get_new_bitmap_flags();
    stamp.format = al_get_new_bitmap_format();
    stamp.display = al_get_current_display();

    auto found = images.find(path);
    if (found != images.end() && found->second.stamp == stamp) return found->second.image;
    Image image(decode(path), BitmapDeleter());
    if (!image) {
        images.erase(path);
        return nullptr;
    }
    images[path] = Decoded{stamp, image};
    return image;
}

}  // namespace NK
