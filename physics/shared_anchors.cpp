#include "physics/shared_anchors.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "physics/engine/b2layer.h"

namespace {

struct AnchorKey {
    std::int32_t body = 0;
    std::uint32_t generation = 0;
    std::uint32_t x = 0;  // the anchor's bits: the same point, not merely a near one
    std::uint32_t y = 0;
    bool operator==(const AnchorKey& o) const {
        return body == o.body && generation == o.generation && x == o.x && y == o.y;
    }
};

struct AnchorHash {
    std::size_t operator()(const AnchorKey& k) const {
        std::uint64_t h = static_cast<std::uint32_t>(k.body) * 0x9E3779B97F4A7C15ull;
        h ^= (static_cast<std::uint64_t>(k.x) << 32 | k.y) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
        return static_cast<std::size_t>(h ^ k.generation);
    }
};

std::uint32_t bitsOf(float v) {
    if (v == 0.0f) v = 0.0f;  // -0 and +0 are the same point
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

}  // namespace

void linkSameAnchors(Simulation& sim) {
    std::unordered_map<AnchorKey, std::size_t, AnchorHash> last;
    last.reserve(sim.jointRecords.size());
    for (std::size_t i = 0; i < sim.jointRecords.size(); ++i) {
        JointRecord& record = sim.jointRecords[i];
        record.nextSameAnchor = NO_RECORD;
        if (!isLive(record.anchorBody)) continue;
        const AnchorKey key{record.anchorBody.index1, record.anchorBody.generation, bitsOf(record.anchorLocal.x),
                            bitsOf(record.anchorLocal.y)};
        auto [at, fresh] = last.try_emplace(key, i);
        if (!fresh) {
            sim.jointRecords[at->second].nextSameAnchor = i;
            at->second = i;
        }
    }
}

bool laterJointOnSameAnchor(const Simulation& sim, std::size_t index) {
    if (index >= sim.jointRecords.size()) return false;
    for (std::size_t next = sim.jointRecords[index].nextSameAnchor; next < sim.jointRecords.size();
         next = sim.jointRecords[next].nextSameAnchor) {
        const std::size_t slot = sim.jointRecords[next].jointSlot;
        if (slot < sim.jointSlots.size() && isLive(sim.jointSlots[slot])) return true;
    }
    return false;
}
