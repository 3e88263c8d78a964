#include "path_parts.h"

#include <cstring>

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSeparatorAt(const char* path, std::size_t index) {
    std::size_t i = 0;
    while (i < index && path[i] != '\0') {
        const bool doubleByte = IsCp932LeadByte(static_cast<unsigned char>(path[i])) && path[i + 1] != '\0';
        i += doubleByte ? 2 : 1;
    }
    return i == index && path[i] == '\\';
}

std::size_t FindParentLengths(const char* path, std::size_t* lengths, std::size_t capacity) {
    const std::size_t rootLength = 3;  // "X:\"
    std::size_t found = 0;
    std::size_t i = 0;
    while (path[i] != '\0') {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(byte) && path[i + 1] != '\0') {
            i += 2;
            continue;
        }
        if (byte == '\\' && i >= rootLength) {
            if (found < capacity) lengths[found] = i;
            ++found;
        }
        ++i;
    }
    return found;
}

bool TrimTrailingSeparator(char* path) {
    const std::size_t length = std::strlen(path);
    const std::size_t rootLength = 3;
    if (length <= rootLength || !IsSeparatorAt(path, length - 1)) return false;
    path[length - 1] = '\0';
    return true;
}
