// Splitting a full path of the system's ANSI code page into its directories.
// Free of windows.h so it builds and is tested natively: the caller says which
// bytes open a double-byte character (the Windows side asks the system).
//
// A backslash byte (0x5C) is a separator only where it starts a character: in
// code page 932 it is also the second byte of double-byte characters such as
// ソ (83 5C) or 表 (95 5C), and splitting there would create a directory of half
// a character. In a single-byte code page such as 1252 every backslash is one.
#pragma once

#include <cstddef>

// True for a byte that opens a double-byte character of the path's code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// True for a byte that opens a double-byte character in code page 932.
bool IsCp932LeadByte(unsigned char byte);

// True when the byte at `index` of `path` is a separator, not the second byte
// of a double-byte character.
bool IsSeparatorAt(const char* path, std::size_t index, LeadBytePredicate isLeadByte);

// Lengths of the parents of a full path "X:\a\b\c", left to right: the lengths
// of "X:\a" and "X:\a\b". The search starts at the fourth byte, after the
// drive's root. Returns how many were found; at most `capacity` are stored.
std::size_t FindParentLengths(const char* path, LeadBytePredicate isLeadByte, std::size_t* lengths,
                              std::size_t capacity);

// Cuts one separator off the end of a path other than a drive's root, so that
// "C:\Games\" names the directory "C:\Games". Returns true when it cut one.
bool TrimTrailingSeparator(char* path, LeadBytePredicate isLeadByte);
