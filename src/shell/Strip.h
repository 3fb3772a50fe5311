#pragma once
// What a strip control shows: a row of coloured cells, each with its letter (so that the colour is
// never the only sign) and a few numbers under them; the weather of a race lap by lap. The
// control's `spoken` tells it all in words.

#include <cstdint>
#include <string>
#include <vector>

namespace karven {

struct StripCell {
    std::string letter;
    uint32_t colour = 0;       // 0xRRGGBB
    uint32_t letterColour = 0; // on that colour
    std::string below;         // written under the cell; "" nothing
};

struct Strip {
    std::string caption; // before the cells
    std::vector<StripCell> cells;
};

} // namespace karven
