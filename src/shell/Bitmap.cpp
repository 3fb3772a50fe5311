#include "shell/Bitmap.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace karven {

namespace {
uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
    return v;
}
} // namespace

std::vector<uint32_t> ReadBitmapPixels(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {};
    const uint32_t offset = Le(b, 10, 4), header = Le(b, 14, 4);
    const int32_t width = int32_t(Le(b, 18, 4)), rawHeight = int32_t(Le(b, 22, 4));
    const int bits = int(Le(b, 28, 2)), compression = int(Le(b, 30, 4));
    const int height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || width > 4096 || height > 4096) return {};
    if (compression != 0 && !(compression == 3 && bits == 32)) return {};
    std::vector<uint32_t> palette;
    if (bits == 8) {
        uint32_t colours = Le(b, 46, 4);
        if (colours == 0) colours = 256;
        for (uint32_t i = 0; i < colours && 14 + header + 4 * i + 3 < b.size(); ++i)
            palette.push_back(Le(b, 14 + header + 4 * i, 3));
    } else if (bits != 24 && bits != 32) {
        return {};
    }
    const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    if (offset + stride * size_t(height) > b.size()) return {};
    std::vector<uint32_t> out;
    out.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = offset + size_t(y) * stride + size_t(x) * size_t(bits / 8);
            if (bits == 8) {
                const size_t i = uint8_t(b[at]);
                out.push_back(i < palette.size() ? palette[i] : 0);
            } else {
                out.push_back(Le(b, at, 3));
            }
        }
    return out;
}

} // namespace karven
