#include "folder_manifest.h"

#include <cstring>
#include <vector>

#include "waiting.h"

namespace {

constexpr DWORD kReadBytes = 1 << 20;
constexpr std::uint64_t kFnvBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// FNV-1a over 8-byte words in four interleaved lanes, so that a sparse source
// of several gibibytes is hashed in seconds; a short tail goes in byte by byte.
class FileHash {
public:
    void Add(const unsigned char* bytes, std::size_t count) {
        std::size_t at = 0;
        for (; at + 32 <= count; at += 32)
            for (int lane = 0; lane < 4; ++lane) {
                std::uint64_t word;
                std::memcpy(&word, bytes + at + lane * 8, 8);
                lanes_[lane] = (lanes_[lane] ^ word) * kFnvPrime;
            }
        for (; at < count; ++at) lanes_[0] = (lanes_[0] ^ bytes[at]) * kFnvPrime;
    }
    std::uint64_t Value() const { return lanes_[0] ^ (lanes_[1] << 1) ^ (lanes_[2] << 2) ^ (lanes_[3] << 3); }

private:
    std::uint64_t lanes_[4] = {kFnvBasis, kFnvBasis + 1, kFnvBasis + 2, kFnvBasis + 3};
};

std::uint64_t HashOfFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw RigFailure("cannot read " + path);
    std::vector<unsigned char> block(kReadBytes);
    FileHash hash;
    DWORD read = 0;
    while (ReadFile(file, block.data(), kReadBytes, &read, nullptr) && read > 0) hash.Add(block.data(), read);
    CloseHandle(file);
    return hash.Value();
}

}  // namespace

void PrintTo(const FileFingerprint& file, std::ostream* out) {
    *out << "{attributes " << file.attributes << ", " << file.size << " bytes, hash " << std::hex << file.hash
         << std::dec << "}";
}

FolderManifest TakeManifest(const std::string& folder) {
    FolderManifest manifest;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) throw RigFailure("cannot list " + folder);
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        FileFingerprint& file = manifest[name];
        file.attributes = entry.dwFileAttributes;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        file.size = (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        file.hash = HashOfFile(folder + "\\" + name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return manifest;
}
