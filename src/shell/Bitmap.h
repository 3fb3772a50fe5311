#pragma once
// The pixels of a picture file the game draws itself: an uncompressed bitmap of 8, 24 or 32 bits.

#include <cstdint>
#include <string>
#include <vector>

namespace karven {

// Row by row as stored, each 0xRRGGBB; none for a file of any other kind, or damaged.
std::vector<uint32_t> ReadBitmapPixels(const std::string& path);

} // namespace karven
