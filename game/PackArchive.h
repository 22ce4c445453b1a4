#pragma once
#include <string>
#include <vector>

#include "game/PackRules.h"

// A pack's zip archive read into memory and written from it, through
// libarchive. Reading is where a stranger's file is first met, so the
// bounds are applied while it is read, on the bytes that come out rather
// than on what the archive's headers claim: a zip bomb stops at its limit.
namespace PackArchive {

struct Read {
    enum class Status {
        Ok,
        Unreadable,  // not there, not a plain file, or not a zip at all
        Refused,     // a zip, but one the game will not take
    };
    Status status = Status::Unreadable;
    std::vector<PackRules::Entry> entries;  // plain files only, in archive order
    std::string error;                      // "ENTRY: why", or why it cannot be read
};

// The archive at `path`, which must be a plain file: a FIFO or a device
// would make the reader wait for ever.
Read readFile(const std::string& path);
// The archive's bytes, for the file reader and the fuzzer alike.
Read readBytes(const std::string& bytes);

// The zip holding `entries` in their order, deflated, with fixed times so
// the same pack makes the same file.
std::string zipBytes(const std::vector<PackRules::Entry>& entries);
// zipBytes written to `path` whole (as the game's saves are), or false.
bool writeFile(const std::string& path, const std::vector<PackRules::Entry>& entries);

}  // namespace PackArchive
