// What a folder holds, file by file: name, attributes, size and a hash of the
// bytes, to tell that the launcher left its source folder exactly as it was.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

struct FileFingerprint {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;  // 0 for a directory

    bool operator==(const FileFingerprint& other) const {
        return attributes == other.attributes && size == other.size && hash == other.hash;
    }
};

void PrintTo(const FileFingerprint& file, std::ostream* out);

using FolderManifest = std::map<std::string, FileFingerprint>;

// The entries directly inside `folder`; a subdirectory by its attributes alone.
FolderManifest TakeManifest(const std::string& folder);
