// Joining texts into a fixed buffer without ever writing past it.
// Free of windows.h so it builds and is tested natively.
#pragma once

#include <cstddef>
#include <initializer_list>

// Writes the parts one after the other into `out` (capacity bytes, terminator
// included). Returns false, leaving `out` empty, when they do not all fit.
bool JoinText(char* out, std::size_t capacity, std::initializer_list<const char*> parts);
