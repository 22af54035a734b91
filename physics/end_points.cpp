#include "physics/end_points.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

// A point as a hash key: two floats compared bit for bit, with -0 taken as 0 so that
// the key is equal exactly when the floats compare equal (NaN never reaches here).
std::uint64_t pointKey(Vector2 p) {
    const float x = p.x == 0.0f ? 0.0f : p.x;
    const float y = p.y == 0.0f ? 0.0f : p.y;
    std::uint32_t bx = 0;
    std::uint32_t by = 0;
    std::memcpy(&bx, &x, sizeof bx);
    std::memcpy(&by, &y, sizeof by);
    return (static_cast<std::uint64_t>(bx) << 32) | by;
}

struct KeyHash {
    std::size_t operator()(std::uint64_t k) const { return static_cast<std::size_t>(k * 0x9E3779B97F4A7C15ull >> 17); }
};

bool joinable(const Line& line) {
    return std::isfinite(line.start.x) && std::isfinite(line.start.y) && std::isfinite(line.end.x) &&
           std::isfinite(line.end.y) && !(line.start.x == line.end.x && line.start.y == line.end.y);
}

using Users = std::vector<std::size_t>;  // lines touching one point, in increasing order

// For every joinable line, the lists of lines at its start and at its end.
struct PointIndex {
    std::unordered_map<std::uint64_t, Users, KeyHash> users;
    std::vector<const Users*> atStart;
    std::vector<const Users*> atEnd;
};

void buildIndex(const std::vector<Line>& lines, PointIndex& index) {
    index.users.reserve(lines.size() * 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!joinable(lines[i])) continue;
        index.users[pointKey(lines[i].start)].push_back(i);
        index.users[pointKey(lines[i].end)].push_back(i);
    }
    index.atStart.assign(lines.size(), nullptr);
    index.atEnd.assign(lines.size(), nullptr);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!joinable(lines[i])) continue;
        index.atStart[i] = &index.users.find(pointKey(lines[i].start))->second;
        index.atEnd[i] = &index.users.find(pointKey(lines[i].end))->second;
    }
}

// The part of a user list after line i.
std::pair<Users::const_iterator, Users::const_iterator> after(const Users& users, std::size_t i) {
    return {std::upper_bound(users.begin(), users.end(), i), users.end()};
}

// The key of a line's unordered pair of points: lines sharing both points share it.
std::pair<std::uint64_t, std::uint64_t> segmentKey(const Line& line) {
    const std::uint64_t a = pointKey(line.start);
    const std::uint64_t b = pointKey(line.end);
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
}

struct SegmentHash {
    std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const {
        return KeyHash{}(k.first ^ (k.second * 0xC2B2AE3D27D4EB4Full));
    }
};

}  // namespace

std::vector<std::pair<std::size_t, std::size_t>> sharedEndPointPairs(const std::vector<Line>& lines) {
    PointIndex index;
    buildIndex(lines, index);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::vector<std::size_t> partners;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (index.atStart[i] == nullptr) continue;
        // Merge the later users of both points; a line on both (the same segment) once.
        const auto s = after(*index.atStart[i], i);
        const auto e = after(*index.atEnd[i], i);
        partners.clear();
        std::set_union(s.first, s.second, e.first, e.second, std::back_inserter(partners));
        for (std::size_t j : partners) pairs.emplace_back(i, j);
    }
    return pairs;
}

std::uint64_t countSharedEndPointPairs(const std::vector<Line>& lines) {
    PointIndex index;
    buildIndex(lines, index);
    std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, Users, SegmentHash> segments;
    segments.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (index.atStart[i] != nullptr) segments[segmentKey(lines[i])].push_back(i);
    }
    std::uint64_t count = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (index.atStart[i] == nullptr) continue;
        const auto s = after(*index.atStart[i], i);
        const auto e = after(*index.atEnd[i], i);
        const auto both = after(segments.find(segmentKey(lines[i]))->second, i);
        count += static_cast<std::uint64_t>((s.second - s.first) + (e.second - e.first) - (both.second - both.first));
    }
    return count;
}
