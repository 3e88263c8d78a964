// The few C library functions that the launcher's code calls, or that the
// compiler calls for copies and clears, in place of a C runtime DLL. Only the
// launcher executable links them; test programs keep the normal runtime.
//
// Built with loop-pattern recognition off, so that none of these loops is
// turned back into a call of itself.
#include <cstddef>

extern "C" {

void* memcpy(void* destination, const void* source, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
    return destination;
}

void* memset(void* destination, int value, std::size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    for (std::size_t i = 0; i < count; ++i) to[i] = static_cast<unsigned char>(value);
    return destination;
}

void* memchr(const void* memory, int value, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(memory);
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(bytes + i);
    return nullptr;
}

std::size_t strlen(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

int strcmp(const char* left, const char* right) {
    std::size_t i = 0;
    while (left[i] != '\0' && left[i] == right[i]) ++i;
    return static_cast<unsigned char>(left[i]) - static_cast<unsigned char>(right[i]);
}

}  // extern "C"
