#include "standings/RaceColouring.h"

#include <cstddef>

namespace karven {

std::vector<int> ColourEdges(int cars, int places, const std::vector<std::pair<int, int>>& edges, int colours) {
    // at[v][c]: the edge of colour c at vertex v (cars first, then places), -1 for none.
    std::vector<std::vector<int>> at(cars + places, std::vector<int>(colours, -1));
    std::vector<int> colour(edges.size(), -1);
    auto freeAt = [&](int v) {
        for (int c = 0; c < colours; ++c)
            if (at[v][c] < 0) return c;
        return -1;
    };
    auto other = [&](int e, int v) { return edges[e].first == v ? cars + edges[e].second : edges[e].first; };
    for (std::size_t e = 0; e < edges.size(); ++e) {
        int u = edges[e].first, v = cars + edges[e].second;
        int a = freeAt(u), b = freeAt(v);
        if (a < 0 || b < 0) return {}; // more edges than colours at a vertex
        if (at[v][a] >= 0) {
            // Swap a and b along the path from v that alternates them; in a bipartite graph it
            // never reaches u, so a becomes free at v and stays free at u.
            std::vector<int> path;
            for (int w = v, c = a; at[w][c] >= 0; c = (c == a ? b : a)) {
                int f = at[w][c];
                path.push_back(f);
                w = other(f, w);
            }
            for (int f : path) {
                at[edges[f].first][colour[f]] = -1;
                at[cars + edges[f].second][colour[f]] = -1;
            }
            for (int f : path) {
                colour[f] = colour[f] == a ? b : a;
                at[edges[f].first][colour[f]] = f;
                at[cars + edges[f].second][colour[f]] = f;
            }
        }
        colour[e] = a;
        at[u][a] = int(e);
        at[v][a] = int(e);
    }
    return colour;
}

} // namespace karven
