// Column-wise run-length coding of an indexed picture: the inverse of
// DecodeColumnRle, in the fewest bytes its rules allow.
#pragma once

#include <cstdint>
#include <vector>

// Codes `width` x `height` palette indices (rows top-down, `width` bytes each)
// into what DecodeColumnRle reads: the record's width and height fields, then
// the columns. Throws std::invalid_argument for a size the format cannot hold.
std::vector<std::uint8_t> EncodeColumnRle(const std::uint8_t* pixels, std::uint32_t width,
                                          std::uint32_t height);
