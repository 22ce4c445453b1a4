#include "tools/solve/Frames.h"

#include <unistd.h>

#include <cerrno>

namespace {

bool writeAll(int fd, const std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

bool readAll(int fd, std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        const ssize_t r = ::read(fd, p, n);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

}  // namespace

bool FrameWriter::send(int fd) const {
    const std::uint32_t n = static_cast<std::uint32_t>(bytes.size());
    std::vector<std::uint8_t> all(sizeof n + bytes.size());
    std::memcpy(all.data(), &n, sizeof n);
    std::memcpy(all.data() + sizeof n, bytes.data(), bytes.size());
    return writeAll(fd, all.data(), all.size());
}

bool readFrame(int fd, std::vector<std::uint8_t>& frame) {
    std::uint32_t n = 0;
    if (!readAll(fd, reinterpret_cast<std::uint8_t*>(&n), sizeof n)) return false;
    frame.resize(n);
    return readAll(fd, frame.data(), n);
}

bool FrameBuffer::fill(int fd) {
    std::uint8_t chunk[65536];
    const ssize_t r = ::read(fd, chunk, sizeof chunk);
    if (r < 0 && errno == EINTR) return true;
    if (r <= 0) return false;
    pending.insert(pending.end(), chunk, chunk + r);
    return true;
}

bool FrameBuffer::next(std::vector<std::uint8_t>& frame) {
    std::uint32_t n = 0;
    if (pending.size() < sizeof n) return false;
    std::memcpy(&n, pending.data(), sizeof n);
    if (pending.size() < sizeof n + n) return false;
    frame.assign(pending.begin() + sizeof n, pending.begin() + sizeof n + n);
    pending.erase(pending.begin(), pending.begin() + sizeof n + n);
    return true;
}
