#include "text_join.h"

#include <cstring>

bool JoinText(char* out, std::size_t capacity, std::initializer_list<const char*> parts) {
    if (capacity == 0) return false;
    std::size_t used = 0;
    for (const char* part : parts) {
        const std::size_t length = std::strlen(part);
        if (length >= capacity - used) {
            out[0] = '\0';
            return false;
        }
        std::memcpy(out + used, part, length);
        used += length;
    }
    out[used] = '\0';
    return true;
}
