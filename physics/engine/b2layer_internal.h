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
//   - WorldInfo per world (gravity in world units, the last sub-step, sprung joints).
// Nothing non-finite is handed to the engine: such inputs are ignored or refused.
#define B2LAYER_IMPLEMENTATION
#include "physics/engine/b2layer.h"

#include <box2d/box2d.h>

#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

namespace b2layer {

// Solver iterations of every engine sub-step. Each frame step is four sub-steps, so
// the solver already makes 16 velocity and 8 position passes per 1/120 s; more bought
// no visible accuracy on a 1,000-member truss (same sag, same ground reaction within
// 1%) at half again the cost.
constexpr int VELOCITY_ITERATIONS = 4;
constexpr int POSITION_ITERATIONS = 2;

extern float gLengthScale;

struct ShapeInfo {
    b2v3::b2ShapeType type = b2v3::b2_polygonShape;
    b2v3::b2Capsule capsule{};
    float radius = 0.0f;  // a polygon's rounding, kept for the record only
    b2v3::b2Filter filter{};
    void* userData = nullptr;
    b2Fixture* primary = nullptr;  // the fixture that stands for the logical shape
    int fixtureCount = 0;          // fixtures still pointing here
};

struct BodyInfo {
    std::string name;
    void* userData = nullptr;
};

struct JointInfo {
    bool spring = false;
    float hertz = 0.0f;
    float dampingRatio = 0.0f;
    float drawSize = 0.25f;
    void* userData = nullptr;
};

struct WorldInfo;

// Frees the side records of fixtures and joints that 2.4 destroys with their body.
class RecordReleaser final : public b2DestructionListener {
public:
    explicit RecordReleaser(WorldInfo* info) : info_(info) {}
    void SayGoodbye(b2Joint* joint) override;
    void SayGoodbye(b2Fixture* fixture) override;

private:
    WorldInfo* info_;
};

struct WorldInfo {
    b2World* world = nullptr;
    b2v3::b2Vec2 gravity{0.0f, 0.0f};  // world units per second squared
    float inverseSubStep = 0.0f;       // 1 / the last sub-step's duration, 0 before any step
    std::vector<b2RevoluteJoint*> springs;
    RecordReleaser releaser{this};
};

extern std::vector<WorldInfo*> gWorlds;
extern std::unordered_set<const b2Body*> gLiveBodies;
extern std::unordered_set<const b2Joint*> gLiveJoints;

inline bool finite(float v) { return std::isfinite(v); }
inline bool finite(b2v3::b2Vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

inline ::b2Vec2 toEngine(b2v3::b2Vec2 v) { return ::b2Vec2(v.x / gLengthScale, v.y / gLengthScale); }
inline b2v3::b2Vec2 fromEngine(const ::b2Vec2& v) { return b2v3::b2Vec2{v.x * gLengthScale, v.y * gLengthScale}; }

WorldInfo* findWorld(const b2World* world);
ShapeInfo* shapeInfo(b2Fixture* fixture);
BodyInfo* bodyInfo(b2Body* body);
JointInfo* jointInfo(b2Joint* joint);
void releaseFixture(b2Fixture* fixture);
void forgetSpring(WorldInfo* world, const b2Joint* joint);
void releaseJoint(WorldInfo* world, b2Joint* joint);
bool engineAcceptsPolygon(const ::b2Vec2* points, int count);
float sanitizedNonNegative(float v, float fallback);
::b2FixtureDef engineFixtureDef(const b2v3::b2ShapeDef& def, const ::b2Shape* shape, float densityFactor);
bool bodyMassIsFinite(const b2Body* body);
b2Fixture* addFixture(b2Body* body, const ::b2FixtureDef& fd, ShapeInfo* info);
b2v3::b2Polygon polygonFromEngine(const ::b2PolygonShape& shape, float radius);
void applySprings(WorldInfo& world, float h);
void releaseBodyRecords(b2Body* body);

}  // namespace b2layer
