#pragma once
// Shared state and helpers of the engine layer's source files; nothing outside the
// b2layer_*.cpp files includes this.
//
// The engine works in metres; every value crossing the layer is converted with the
// length scale in force (see b2layer.h). Extra state that 2.4 has no room for lives in
// side records hung on the engine objects' user data:
//   - BodyInfo on each body (name, user data),
//   - ShapeInfo on each fixture (the logical shape it belongs to: a capsule is one
//     polygon fixture, or, when too thin for that, three fixtures sharing one ShapeInfo),
//   - JointInfo on each joint (spring settings, user data),
//   - WorldInfo per world (gravity in world units, the last step, sprung joints).
// Each record also keeps the slot of its object in the handle table of its kind (see
// SlotTable), so that whichever way the object goes, its handles die with it.
// Nothing non-finite is handed to the engine: such inputs are ignored or refused.
#define B2LAYER_IMPLEMENTATION
#include "physics/engine/b2layer.h"

#include <box2d/box2d.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace b2layer {

// Box2D 2.4 has no sub-steps: where a sub-stepping solver makes one pass per sub-step,
// 2.4 iterates within one step. A step asked for in n sub-steps is therefore one engine
// step of the whole time with 2n velocity iterations (8 for the usual four) and 3 position
// iterations, the engine's own recommended pair. Four engine steps of a quarter each cost
// three to four times as much (collision, islands and the joints' set-up four times over,
// 16 velocity and 8 position passes) for no visible gain in a structure's sag, the force
// its ground joints carry, or how much of it a quake breaks.
constexpr int VELOCITY_ITERATIONS_PER_SUB_STEP = 2;
constexpr int POSITION_ITERATIONS = 3;

// The length scale in force on this thread (see b2layer.h, threads).
float& lengthScale();

// The objects behind the handles of one kind. Slot k holds the object of the handles
// with index1 k + 1 and the generation they must carry; a freed slot is reused under a
// new generation. Looking a handle up is an index and a compare, cheap enough for the
// per-frame checks of every joint.
template <class T, class Id>
class SlotTable {
public:
    std::int32_t take(T* object) {
        std::int32_t slot;
        if (free_.empty()) {
            slot = static_cast<std::int32_t>(slots_.size());
            slots_.push_back(Slot{});
        } else {
            slot = free_.back();
            free_.pop_back();
        }
        slots_[static_cast<std::size_t>(slot)].object = object;
        return slot;
    }
    void release(std::int32_t slot) {
        Slot& s = slots_[static_cast<std::size_t>(slot)];
        s.object = nullptr;
        ++s.generation;
        free_.push_back(slot);
    }
    Id handle(std::int32_t slot) const { return Id{slot + 1, slots_[static_cast<std::size_t>(slot)].generation}; }
    // The object of a live handle, null for the null handle and for a stale one.
    T* find(Id id) const {
        // The null handle's index wraps around to far out of range.
        std::size_t slot = static_cast<std::uint32_t>(id.index1) - 1u;
        if (slot >= slots_.size()) return nullptr;
        const Slot& s = slots_[slot];
        return s.generation == id.generation ? s.object : nullptr;
    }

private:
    struct Slot {
        T* object = nullptr;
        std::uint32_t generation = 0;
    };
    std::vector<Slot> slots_;
    std::vector<std::int32_t> free_;
};

struct ShapeInfo {
    b2v3::b2ShapeType type = b2v3::b2_polygonShape;
    b2v3::b2Capsule capsule{};
    float radius = 0.0f;  // a polygon's rounding, kept for the record only
    b2v3::b2Polygon polygon{};  // a polygon shape as it was asked for (the engine's is inset)
    // An inset polygon's outline as asked for, in engine units, and its density: the
    // body's mass and inertia are those of this shape, not of the inset one.
    bool inset = false;
    ::b2PolygonShape askedShape;
    float askedDensity = 0.0f;
    b2v3::b2Filter filter{};
    void* userData = nullptr;
    b2Fixture* primary = nullptr;  // the fixture that stands for the logical shape
    int fixtureCount = 0;          // fixtures still pointing here
    std::int32_t slot = -1;        // of the logical shape in shapeTable(), once made
};

struct BodyInfo {
    std::string name;
    void* userData = nullptr;
    std::int32_t slot = -1;
};

struct WorldInfo;

struct JointInfo {
    // A weld's reference angle as last asked for (the engine's may differ by whole turns).
    float weldReferenceAngle = 0.0f;
    float linearHertz = 0.0f;  // a weld's, kept for the record
    bool spring = false;
    float hertz = 0.0f;
    float dampingRatio = 0.0f;
    float drawSize = 0.25f;
    void* userData = nullptr;
    WorldInfo* world = nullptr;
    std::int32_t slot = -1;
};

// Frees the side records of fixtures and joints that 2.4 destroys with their body.
class RecordReleaser final : public b2DestructionListener {
public:
    void SayGoodbye(b2Joint* joint) override;
    void SayGoodbye(b2Fixture* fixture) override;
};

struct WorldInfo {
    b2World* world = nullptr;
    b2v3::b2Vec2 gravity{0.0f, 0.0f};  // world units per second squared
    float inverseStep = 0.0f;          // 1 / the last step's duration, 0 before any step
    std::vector<b2RevoluteJoint*> springs;
    RecordReleaser releaser;
    std::int32_t slot = -1;
};

// This thread's handle tables, one per kind. Reached through functions of the one file
// that holds them rather than as globals of their own: an extern thread_local read in
// other files is reported as a load through a null pointer by the sanitizer build (GCC 12).
SlotTable<WorldInfo, b2WorldId>& worldTable();
SlotTable<b2Body, b2BodyId>& bodyTable();
SlotTable<b2Joint, b2JointId>& jointTable();
SlotTable<b2Fixture, b2ShapeId>& shapeTable();  // the primary fixture of each logical shape

// The one way from a handle to its object: null when the handle is null or stale.
inline WorldInfo* resolve(b2WorldId id) { return worldTable().find(id); }
inline b2Body* resolve(b2BodyId id) { return bodyTable().find(id); }
inline b2Joint* resolve(b2JointId id) { return jointTable().find(id); }
inline b2Fixture* resolve(b2ShapeId id) { return shapeTable().find(id); }

inline bool finite(float v) { return std::isfinite(v); }
inline bool finite(b2v3::b2Vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

inline ::b2Vec2 toEngine(b2v3::b2Vec2 v) {
    const float scale = lengthScale();
    return ::b2Vec2(v.x / scale, v.y / scale);
}
inline b2v3::b2Vec2 fromEngine(const ::b2Vec2& v) {
    const float scale = lengthScale();
    return b2v3::b2Vec2{v.x * scale, v.y * scale};
}

ShapeInfo* shapeInfo(b2Fixture* fixture);
BodyInfo* bodyInfo(b2Body* body);
JointInfo* jointInfo(b2Joint* joint);
b2BodyId bodyHandle(b2Body* body);
b2ShapeId shapeHandle(b2Fixture* fixture);
b2ShapeId registerShape(ShapeInfo* info, b2Fixture* primary);
void releaseFixture(b2Fixture* fixture);
void releaseJoint(b2Joint* joint);
bool engineAcceptsPolygon(const ::b2Vec2* points, int count);
float sanitizedNonNegative(float v, float fallback);
::b2FixtureDef engineFixtureDef(const b2v3::b2ShapeDef& def, const ::b2Shape* shape, float densityFactor);
bool bodyMassIsFinite(const b2Body* body);
b2Fixture* addFixture(b2Body* body, const ::b2FixtureDef& fd, ShapeInfo* info);
b2v3::b2Polygon polygonFromEngine(const ::b2PolygonShape& shape, float radius);
void applySprings(WorldInfo& world, float h);
// Whether a joint definition names two distinct live bodies of the world, with finite
// anchors and reference angle; the world when it does, otherwise null.
WorldInfo* jointWorld(b2WorldId worldId, b2BodyId bodyA, b2BodyId bodyB, b2v3::b2Vec2 localA, b2v3::b2Vec2 localB,
                      float referenceAngle);
// The engine definition's bodies, anchors and collision from the layer's definition; the
// world, or null (and nothing to make) when the definition cannot make a joint.
template <class EngineDef, class Def>
WorldInfo* engineJointDef(b2WorldId worldId, const Def* def, EngineDef& jd) {
    if (def == nullptr) return nullptr;
    WorldInfo* world =
        jointWorld(worldId, def->bodyIdA, def->bodyIdB, def->localAnchorA, def->localAnchorB, def->referenceAngle);
    if (world == nullptr) return nullptr;
    jd.bodyA = resolve(def->bodyIdA);
    jd.bodyB = resolve(def->bodyIdB);
    jd.collideConnected = def->collideConnected;
    jd.localAnchorA = toEngine(def->localAnchorA);
    jd.localAnchorB = toEngine(def->localAnchorB);
    return world;
}
void releaseBodyRecords(b2Body* body);
void restoreAskedMass(b2Body* body);

}  // namespace b2layer
