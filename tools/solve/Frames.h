#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

// Messages between the solver and its worker processes, over pipes: a type,
// then plain values and arrays of plain values, length-prefixed. Both ends
// are the same program, so values travel as their bytes.
class FrameWriter {
public:
    explicit FrameWriter(std::uint8_t type) { bytes.push_back(type); }
    template <class T>
    FrameWriter& put(const T& value) {
        static_assert(std::is_trivially_copyable<T>::value, "plain values only");
        const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
        bytes.insert(bytes.end(), p, p + sizeof(T));
        return *this;
    }
    template <class T>
    FrameWriter& putAll(const std::vector<T>& values) {
        put(static_cast<std::uint32_t>(values.size()));
        for (const T& v : values) put(v);
        return *this;
    }
    // Writes the whole frame to the descriptor; false when the reader is gone.
    bool send(int fd) const;

private:
    std::vector<std::uint8_t> bytes;
};

class FrameReader {
public:
    explicit FrameReader(std::vector<std::uint8_t> frame) : bytes(std::move(frame)) {}
    std::uint8_t type() const { return bytes.empty() ? 0 : bytes[0]; }
    template <class T>
    T get() {
        T value{};
        if (at + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof(T));
        at += sizeof(T);
        return value;
    }
    template <class T>
    std::vector<T> getAll() {
        const std::uint32_t n = get<std::uint32_t>();
        std::vector<T> out;
        for (std::uint32_t i = 0; i < n && at < bytes.size(); ++i) out.push_back(get<T>());
        return out;
    }

private:
    std::vector<std::uint8_t> bytes;
    std::size_t at = 1;
};

// Reads one whole frame, blocking; false at the end of the stream.
bool readFrame(int fd, std::vector<std::uint8_t>& frame);

// Frames gathered from a descriptor read in pieces as data arrives.
class FrameBuffer {
public:
    // Reads what is there; false at the end of the stream or on an error.
    bool fill(int fd);
    bool next(std::vector<std::uint8_t>& frame);

private:
    std::vector<std::uint8_t> pending;
};
