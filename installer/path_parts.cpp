#include "path_parts.h"

#include <cstring>

namespace {

constexpr std::size_t kRootLength = 3;  // "X:\"

// Bytes taken by the character that starts at path[index]: two for a lead
// byte with a second byte after it, else one.
std::size_t CharacterBytes(const char* path, std::size_t index, LeadBytePredicate isLeadByte) {
    return isLeadByte(static_cast<unsigned char>(path[index])) && path[index + 1] != '\0' ? 2 : 1;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSeparatorAt(const char* path, std::size_t index, LeadBytePredicate isLeadByte) {
    std::size_t i = 0;
    while (i < index && path[i] != '\0') i += CharacterBytes(path, i, isLeadByte);
    return i == index && path[i] == '\\';
}

std::size_t FindParentLengths(const char* path, LeadBytePredicate isLeadByte, std::size_t* lengths,
                              std::size_t capacity) {
    std::size_t found = 0;
    for (std::size_t i = 0; path[i] != '\0'; i += CharacterBytes(path, i, isLeadByte)) {
        if (path[i] != '\\' || i < kRootLength) continue;
        if (found < capacity) lengths[found] = i;
        ++found;
    }
    return found;
}

bool TrimTrailingSeparator(char* path, LeadBytePredicate isLeadByte) {
    const std::size_t length = std::strlen(path);
    if (length <= kRootLength || !IsSeparatorAt(path, length - 1, isLeadByte)) return false;
    path[length - 1] = '\0';
    return true;
}
