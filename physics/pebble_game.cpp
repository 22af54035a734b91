#include "physics/pebble_game.h"

#include <algorithm>

namespace {

// Searches from `start` along the pebbles' directions for a joint with a free pebble,
// never entering a joint marked in `seen`; when found, the covers along the path turn
// round so that the pebble ends on `start`. Iterative, as drawings can have long chains.
bool fetchPebble(PebbleGame& game, std::size_t start, std::vector<char>& seen) {
    std::vector<std::size_t> from(game.pebbles.size(), start);
    std::vector<std::size_t> stack{start};
    seen[start] = 1;
    while (!stack.empty()) {
        const std::size_t at = stack.back();
        stack.pop_back();
        if (at != start && game.pebbles[at] > 0) {
            game.pebbles[at] -= 1;
            for (std::size_t head = at; head != start; head = from[head]) {
                const std::size_t tail = from[head];
                auto& out = game.covers[tail];
                out.erase(std::find(out.begin(), out.end(), head));
                game.covers[head].push_back(tail);
            }
            game.pebbles[start] += 1;
            return true;
        }
        for (std::size_t next : game.covers[at]) {
            if (seen[next]) continue;
            seen[next] = 1;
            from[next] = at;
            stack.push_back(next);
        }
    }
    return false;
}

// Brings joint `to` up to two free pebbles while `keep`'s stay where they are.
bool gatherTwo(PebbleGame& game, std::size_t to, std::size_t keep) {
    while (game.pebbles[to] < 2) {
        std::vector<char> seen(game.pebbles.size(), 0);
        seen[keep] = 1;
        if (!fetchPebble(game, to, seen)) return false;
    }
    return true;
}

}  // namespace

PebbleGame startPebbleGame(std::size_t joints) {
    PebbleGame game;
    game.pebbles.assign(joints, 2);
    game.covers.resize(joints);
    return game;
}

bool addBar(PebbleGame& game, std::size_t a, std::size_t b) {
    if (a == b || a >= game.pebbles.size() || b >= game.pebbles.size()) return false;
    if (!gatherTwo(game, a, b) || !gatherTwo(game, b, a)) return false;
    game.pebbles[a] -= 1;
    game.covers[a].push_back(b);
    game.independentBars += 1;
    return true;
}

std::size_t freePebbles(const PebbleGame& game) { return 2 * game.pebbles.size() - game.independentBars; }

std::vector<bool> rigidToBar(PebbleGame& game, std::size_t a, std::size_t b) {
    const std::size_t n = game.pebbles.size();
    std::vector<bool> rigid(n, false);
    if (a >= n || b >= n) return rigid;
    // Three pebbles held on the bar (its body's three freedoms); a joint that cannot
    // draw a fourth from anywhere has none of its own left relative to the bar.
    // The bar's own cover points from one end to the other, so the third may only be
    // reachable through the other end: try both.
    while (game.pebbles[a] + game.pebbles[b] < 3) {
        std::vector<char> seen(n, 0);
        seen[b] = 1;
        if (game.pebbles[a] < 2 && fetchPebble(game, a, seen)) continue;
        std::fill(seen.begin(), seen.end(), 0);
        seen[a] = 1;
        if (game.pebbles[b] >= 2 || !fetchPebble(game, b, seen)) break;
    }
    rigid[a] = rigid[b] = true;
    std::vector<char> floppy(n, 0);
    for (std::size_t j = 0; j < n; ++j) {
        if (rigid[j] || floppy[j]) continue;
        if (game.pebbles[j] > 0) {
            floppy[j] = 1;
            continue;
        }
        std::vector<char> seen(n, 0);
        seen[a] = seen[b] = 1;
        if (fetchPebble(game, j, seen)) {
            floppy[j] = 1;
            continue;
        }
        // Every joint the failed search reached is held by the bar's three pebbles alone.
        for (std::size_t k = 0; k < n; ++k) {
            if (seen[k]) rigid[k] = true;
        }
    }
    return rigid;
}
