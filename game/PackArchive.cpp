#include "game/PackArchive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "engine/TextFileStore.h"

namespace PackArchive {
namespace {

using Status = Read::Status;
using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

Read fail(Status status, std::string error) {
    Read r;
    r.status = status;
    r.error = std::move(error);
    return r;
}

const char* kindOf(mode_t type) {
    switch (type) {
        case AE_IFLNK:
            return "is a link";
        case AE_IFCHR:
        case AE_IFBLK:
            return "is a device";
        case AE_IFIFO:
            return "is a FIFO";
        case AE_IFSOCK:
            return "is a socket";
        default:
            return "is not a plain file";
    }
}

// A name as a refusal may print it: control bytes, and every byte past
// ASCII when the name is not UTF-8, shown as "?".
std::string shown(std::string name) {
    const bool utf8 = PackRules::validUtf8(name);
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || (!utf8 && u >= 0x80)) c = '?';
    }
    return "\"" + name + "\"";
}

// libarchive's message for its last failure. Some failures (a zip's split
// marker with nothing after it) set none, and a null would crash the string.
std::string why(archive* a) {
    const char* message = archive_error_string(a);
    return message ? message : "damaged archive";
}

}  // namespace

Read readBytes(const std::string& bytes) {
    using PackRules::maxEntries;
    ArchivePtr a(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(a.get());
    if (archive_read_open_memory(a.get(), bytes.data(), bytes.size()) != ARCHIVE_OK)
        return fail(Status::Unreadable, "not a pack: " + why(a.get()));
    Read r;
    std::uint64_t total = 0;
    std::size_t seen = 0;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK ||
           status == ARCHIVE_WARN) {
        const char* raw = archive_entry_pathname(entry);
        std::string name = raw ? raw : "";
        const mode_t type = archive_entry_filetype(entry);
        if (type == AE_IFDIR && !name.empty() && name.back() == '/') name.pop_back();
        if (++seen > maxEntries)
            return fail(Status::Refused, "more than " + std::to_string(maxEntries) + " entries");
        if (const std::string p = PackRules::entryNameProblem(name); !p.empty())
            return fail(Status::Refused, (raw ? shown(name) : "an entry") + ": " + p);
        if (archive_entry_hardlink(entry) || archive_entry_symlink(entry))
            return fail(Status::Refused, name + ": is a link");
        if (type == AE_IFDIR) continue;
        if (type != AE_IFREG) return fail(Status::Refused, name + ": " + kindOf(type));
        std::string data;
        char buffer[16384];
        la_ssize_t n = 0;
        while ((n = archive_read_data(a.get(), buffer, sizeof buffer)) > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            total += static_cast<std::uint64_t>(n);
            if (data.size() > PackRules::maxEntryBytes)
                return fail(Status::Refused, name + ": over 1 MiB unpacked");
            if (total > PackRules::maxTotalBytes)
                return fail(Status::Refused, "over 16 MiB unpacked");
        }
        if (n < 0) return fail(Status::Unreadable, name + ": cannot be unpacked: " + why(a.get()));
        r.entries.push_back({name, std::move(data)});
    }
    if (status != ARCHIVE_EOF) return fail(Status::Unreadable, "not a pack: " + why(a.get()));
    r.status = Status::Ok;
    return r;
}

Read readFile(const std::string& path) {
    // Opened without waiting, then asked what it is: a FIFO given as the
    // pack must not hold the game up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(Status::Unreadable, "cannot be opened");
    struct stat info {};
    std::string bytes;
    const bool plain = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    // The packed size is below the unpacked one for anything a zip holds, so
    // a file past the unpacked bound is refused unread.
    const bool small = plain && static_cast<std::uint64_t>(info.st_size) <=
                                    PackRules::maxTotalBytes + PackRules::maxEntryBytes;
    if (small) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, &bytes[got], bytes.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (!plain) return fail(Status::Unreadable, "is not a plain file");
    if (!small) return fail(Status::Refused, "over 16 MiB");
    return readBytes(bytes);
}

std::string zipBytes(const std::vector<PackRules::Entry>& entries) {
    std::string out;
    ArchivePtr a(archive_write_new(), archive_write_free);
    archive_write_set_format_zip(a.get());
    archive_write_zip_set_compression_deflate(a.get());
    archive_write_set_bytes_in_last_block(a.get(), 1);
    const auto put = [](archive*, void* to, const void* data, std::size_t size) -> la_ssize_t {
        static_cast<std::string*>(to)->append(static_cast<const char*>(data), size);
        return static_cast<la_ssize_t>(size);
    };
    archive_write_open(a.get(), &out, nullptr, put, nullptr);
    for (const PackRules::Entry& e : entries) {
        std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(),
                                                                       archive_entry_free);
        archive_entry_set_pathname(entry.get(), e.name.c_str());
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(e.data.size()));
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_mtime(entry.get(), 946684800, 0);  // 2000-01-01: the same bytes each time
        archive_write_header(a.get(), entry.get());
        archive_write_data(a.get(), e.data.data(), e.data.size());
    }
    archive_write_close(a.get());
    return out;
}

bool writeFile(const std::string& path, const std::vector<PackRules::Entry>& entries) {
    return NK::replaceWhole(path, zipBytes(entries));
}

}  // namespace PackArchive
