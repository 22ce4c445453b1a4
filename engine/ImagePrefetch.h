#pragma once
#include <allegro5/allegro.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace NK {

// Decodes image files on worker threads while the game thread loads other
// things, so that start-up uses both cores. Each file becomes a memory
// bitmap; the bitmap and animation stores still load every file themselves,
// in their own order and with their own reports, and only take the decoded
// pixels from here when they get to it (DecodedImages asks `take`).
//
// A file the game thread asks for before a worker has begun it is left to the
// game thread; one in progress is waited for. A file that is missing or
// cannot be decoded gives nothing here, so the store's own load fails and
// reports it exactly where it always did.
class ImagePrefetch {
public:
    // Starts `workers` threads over `paths`, in that order; the new-bitmap
    // flags and format of the calling thread decide how files decode.
    ImagePrefetch(std::vector<std::string> paths, int workers);
    // Waits for the workers and frees whatever no store took; no longer
    // current from then on.
    ~ImagePrefetch();
    ImagePrefetch(const ImagePrefetch&) = delete;
    ImagePrefetch& operator=(const ImagePrefetch&) = delete;

    // The decoded memory bitmap of path (the caller owns it), or null when
    // the path is not being prefetched, has not been begun, or failed, or
    // the asking thread's new-bitmap flags or format are not the ones the
    // workers decode with.
    // `stamp` is set to the file's modification time and size as the worker
    // saw them before decoding, for the caller to compare with its own.
    ALLEGRO_BITMAP* take(const std::string& path, std::string& stamp);

    // Waits until the workers have gone through every path (for a caller
    // that wants all of them decoded ahead, such as a comparison of pixels).
    void waitForAll();

    // The one running while the game loads, which every store's cache asks;
    // null when none runs. A program that ends while it runs (a fatal error
    // during start-up) first lets its workers finish the file in hand: the
    // exit then takes Allegro down, and a worker still decoding would write
    // into what it freed.
    static ImagePrefetch* current();
    static void setCurrent(ImagePrefetch* prefetch);

    // Modification time, size and inode of a file, as one comparable string;
    // empty when it cannot be read.
    static std::string fileStamp(const std::string& path);

private:
    struct Decoded {
        bool done = false;
        ALLEGRO_BITMAP* bitmap = nullptr;
        std::string stamp;
    };
    void work();
    // Stops taking files and waits for the workers; once only.
    void stopWorkers();
    static void stopCurrentAtExit();

    int flags;
    int format;
    std::mutex mutex;
    std::condition_variable finished;
    std::deque<std::string> queue;            // not yet begun
    std::map<std::string, Decoded> decoding;  // begun (done or not)
    std::vector<std::thread> threads;
};

}  // namespace NK
