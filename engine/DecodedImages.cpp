#include "engine/DecodedImages.h"

#include <sys/stat.h>

#include "engine/AllegroPtr.h"

namespace NK {

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
    Image image(al_load_bitmap(path.c_str()), BitmapDeleter());
    if (!image) {
        images.erase(path);
        return nullptr;
    }
    images[path] = Decoded{stamp, image};
    return image;
}

}  // namespace NK
