#include "engine/ImagePrefetch.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace NK {

namespace {

std::atomic<ImagePrefetch*> running{nullptr};

}  // namespace

ImagePrefetch::ImagePrefetch(std::vector<std::string> paths, int workers)
    : flags(al_get_new_bitmap_flags()), format(al_get_new_bitmap_format()) {
    for (std::string& path : paths)
        if (std::find(queue.begin(), queue.end(), path) == queue.end())
            queue.push_back(std::move(path));
    // Registered after Allegro's own uninstall, so it runs before it.
    static std::once_flag registered;
    std::call_once(registered, [] { std::atexit(&ImagePrefetch::stopCurrentAtExit); });
    for (int i = 0; i < workers; ++i) threads.emplace_back([this] { work(); });
}

void ImagePrefetch::stopWorkers() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        queue.clear();
    }
    for (std::thread& t : threads)
        if (t.joinable()) t.join();
}

void ImagePrefetch::stopCurrentAtExit() {
    if (ImagePrefetch* prefetch = running.load()) prefetch->stopWorkers();
}

ImagePrefetch::~ImagePrefetch() {
    ImagePrefetch* self = this;
    running.compare_exchange_strong(self, nullptr);
    stopWorkers();
    for (auto& item : decoding)
        if (item.second.bitmap) al_destroy_bitmap(item.second.bitmap);
}

void ImagePrefetch::work() {
    // Decoded as the game thread would decode it, but into memory: only the
    // game thread may make textures. Nor may the bitmap be listed for
    // conversion: a window made meanwhile converts every listed memory bitmap
    // on the game thread, swapping one this worker is still writing. The
    // taker converts it itself.
    al_set_new_bitmap_flags((flags & ~(ALLEGRO_VIDEO_BITMAP | ALLEGRO_CONVERT_BITMAP)) |
                            ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(format);
    for (;;) {
        std::string path;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (queue.empty()) return;
            path = std::move(queue.front());
            queue.pop_front();
            decoding[path];
        }
        Decoded d;
        d.stamp = fileStamp(path);
        if (!d.stamp.empty()) d.bitmap = al_load_bitmap(path.c_str());
        d.done = true;
        {
            std::lock_guard<std::mutex> lock(mutex);
            decoding[path] = d;
        }
        finished.notify_all();
    }
}

ALLEGRO_BITMAP* ImagePrefetch::take(const std::string& path, std::string& stamp) {
    // Pixels decoded for other flags (premultiplied alpha or not) would differ.
    if (al_get_new_bitmap_flags() != flags || al_get_new_bitmap_format() != format) return nullptr;
    std::unique_lock<std::mutex> lock(mutex);
    auto waiting = std::find(queue.begin(), queue.end(), path);
    if (waiting != queue.end()) {
        queue.erase(waiting);  // quicker for the asker to decode it now
        return nullptr;
    }
    auto found = decoding.find(path);
    if (found == decoding.end()) return nullptr;
    finished.wait(lock, [&] { return decoding[path].done; });
    Decoded& d = decoding[path];
    ALLEGRO_BITMAP* bitmap = d.bitmap;
    stamp = d.stamp;
    d.bitmap = nullptr;
    return bitmap;
}

void ImagePrefetch::waitForAll() {
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [this] {
        if (!queue.empty()) return false;
        for (const auto& item : decoding)
            if (!item.second.done) return false;
        return true;
    });
}

ImagePrefetch* ImagePrefetch::current() {
    return running.load();
}

void ImagePrefetch::setCurrent(ImagePrefetch* prefetch) {
    running.store(prefetch);
}

std::string ImagePrefetch::fileStamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec);
}

}  // namespace NK
