#pragma once
#include <allegro5/allegro.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace NK {

// Image files decoded once and shared. Loading a level decodes the same few
// dozen pictures hundreds of times over (every box, circle and background
// names its file); the stores ask here instead, and each entry they make is
// a sub-bitmap of the shared image that also holds a reference to it, so the
// pixels live as long as anything shows them.
//
// A file is decoded anew once it is seen to have changed on disk (its inode,
// size or modification time differ), and whenever the decode would come out
// differently (another display, new-bitmap flags or format). A file that
// cannot be opened or decoded gives null and is not kept, so the caller
// reports it exactly as it would have without the cache.
class DecodedImages {
public:
    using Image = std::shared_ptr<ALLEGRO_BITMAP>;

    Image get(const std::string& path);
    // Lets go of every image; those still in use live on with their users.
    void clear() { images.clear(); }
    std::size_t size() const { return images.size(); }

private:
    struct Stamp {
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t seconds = 0, nanoseconds = 0;
        int flags = 0, format = 0;
        const ALLEGRO_DISPLAY* display = nullptr;
        bool operator==(const Stamp& o) const {
            return device == o.device && inode == o.inode && size == o.size &&
                   seconds == o.seconds && nanoseconds == o.nanoseconds && flags == o.flags &&
                   format == o.format && display == o.display;
        }
    };
    struct Decoded {
        Stamp stamp;
        Image image;
    };
    std::unordered_map<std::string, Decoded> images;
};

}  // namespace NK
