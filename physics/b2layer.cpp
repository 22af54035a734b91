// The Box2D-3-style calls of b2layer.h, carried out by Box2D 2.4.
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
#include "physics/b2layer.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// Solver iterations of every engine sub-step. Each frame step is four sub-steps, so
// the solver already makes 16 velocity and 8 position passes per 1/120 s; more bought
// no visible accuracy on a 1,000-member truss (same sag, same ground reaction within
// 1%) at half again the cost.
constexpr int VELOCITY_ITERATIONS = 4;
constexpr int POSITION_ITERATIONS = 2;

float gLengthScale = 1.0f;  // world units per metre

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

std::vector<WorldInfo*> gWorlds;
std::unordered_set<const b2Body*> gLiveBodies;
std::unordered_set<const b2Joint*> gLiveJoints;

bool finite(float v) { return std::isfinite(v); }
bool finite(b2v3::b2Vec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

::b2Vec2 toEngine(b2v3::b2Vec2 v) { return ::b2Vec2(v.x / gLengthScale, v.y / gLengthScale); }
b2v3::b2Vec2 fromEngine(const ::b2Vec2& v) { return b2v3::b2Vec2{v.x * gLengthScale, v.y * gLengthScale}; }

WorldInfo* findWorld(const b2World* world) {
    for (WorldInfo* info : gWorlds) {
        if (info->world == world) return info;
    }
    return nullptr;
}

ShapeInfo* shapeInfo(b2Fixture* fixture) {
    return reinterpret_cast<ShapeInfo*>(fixture->GetUserData().pointer);
}
BodyInfo* bodyInfo(b2Body* body) { return reinterpret_cast<BodyInfo*>(body->GetUserData().pointer); }
JointInfo* jointInfo(b2Joint* joint) { return reinterpret_cast<JointInfo*>(joint->GetUserData().pointer); }

void releaseFixture(b2Fixture* fixture) {
    ShapeInfo* info = shapeInfo(fixture);
    fixture->GetUserData().pointer = 0;
    if (info != nullptr && --info->fixtureCount <= 0) delete info;
}

void forgetSpring(WorldInfo* world, const b2Joint* joint) {
    if (world == nullptr) return;
    auto& springs = world->springs;
    for (std::size_t k = 0; k < springs.size(); ++k) {
        if (springs[k] == joint) {
            springs[k] = springs.back();
            springs.pop_back();
            return;
        }
    }
}

void releaseJoint(WorldInfo* world, b2Joint* joint) {
    JointInfo* info = jointInfo(joint);
    if (info != nullptr && info->spring) forgetSpring(world, joint);
    delete info;
    joint->GetUserData().pointer = 0;
    gLiveJoints.erase(joint);
}

void RecordReleaser::SayGoodbye(b2Joint* joint) { releaseJoint(info_, joint); }
void RecordReleaser::SayGoodbye(b2Fixture* fixture) { releaseFixture(fixture); }

// The checks b2PolygonShape::Set makes (with assertions) on its points, done first so
// that the engine is never handed a polygon it would refuse. Points are in metres.
bool engineAcceptsPolygon(const ::b2Vec2* points, int count) {
    if (count < 3 || count > b2_maxPolygonVertices) return false;
    ::b2Vec2 ps[b2_maxPolygonVertices];
    int tempCount = 0;
    const float weld = 0.5f * b2_linearSlop;
    for (int i = 0; i < count; ++i) {
        ::b2Vec2 v = points[i];
        if (!std::isfinite(v.x) || !std::isfinite(v.y)) return false;
        bool unique = true;
        for (int j = 0; j < tempCount; ++j) {
            if (b2DistanceSquared(v, ps[j]) < weld * weld) {
                unique = false;
                break;
            }
        }
        if (unique) ps[tempCount++] = v;
    }
    if (tempCount < 3) return false;

    int i0 = 0;
    float x0 = ps[0].x;
    for (int i = 1; i < tempCount; ++i) {
        float x = ps[i].x;
        if (x > x0 || (x == x0 && ps[i].y < ps[i0].y)) {
            i0 = i;
            x0 = x;
        }
    }
    int hull[b2_maxPolygonVertices];
    int m = 0;
    int ih = i0;
    for (;;) {
        if (m >= b2_maxPolygonVertices) return false;
        hull[m] = ih;
        int ie = 0;
        for (int j = 1; j < tempCount; ++j) {
            if (ie == ih) {
                ie = j;
                continue;
            }
            ::b2Vec2 r = ps[ie] - ps[hull[m]];
            ::b2Vec2 v = ps[j] - ps[hull[m]];
            float c = b2Cross(r, v);
            if (c < 0.0f) ie = j;
            if (c == 0.0f && v.LengthSquared() > r.LengthSquared()) ie = j;
        }
        ++m;
        ih = ie;
        if (ie == i0) break;
    }
    if (m < 3) return false;

    float area = 0.0f;
    ::b2Vec2 s = ps[hull[0]];
    for (int i = 0; i < m; ++i) {
        ::b2Vec2 e1 = ps[hull[i]] - s;
        ::b2Vec2 e2 = ps[hull[(i + 1) % m]] - s;
        area += 0.5f * b2Cross(e1, e2);
    }
    return std::isfinite(area) && area > b2_epsilon;
}

float sanitizedNonNegative(float v, float fallback) { return (std::isfinite(v) && v >= 0.0f) ? v : fallback; }

::b2FixtureDef engineFixtureDef(const b2v3::b2ShapeDef& def, const ::b2Shape* shape, float densityFactor) {
    ::b2FixtureDef fd;
    fd.shape = shape;
    float density = std::isnan(def.density) || def.density < 0.0f ? 0.0f : def.density;
    fd.density = density * gLengthScale * gLengthScale * densityFactor;
    fd.friction = sanitizedNonNegative(def.friction, 0.6f);
    fd.restitution = sanitizedNonNegative(def.restitution, 0.0f);
    fd.filter.categoryBits = static_cast<uint16>(def.filter.categoryBits & 0xFFFFu);
    fd.filter.maskBits = static_cast<uint16>(def.filter.maskBits & 0xFFFFu);
    // Box2D 2.4 groups are 16 bits. Negative groups (never collide) stay negative and
    // positive ones positive, wrapping within their own sign's range.
    int group = def.filter.groupIndex;
    if (group > 32767) group = 1 + (group - 1) % 32767;
    if (group < -32767) group = -(1 + (-(group + 1)) % 32767);
    fd.filter.groupIndex = static_cast<int16>(group);
    return fd;
}

bool bodyMassIsFinite(const b2Body* body) {
    return std::isfinite(body->GetMass()) && std::isfinite(body->GetInertia()) &&
           std::isfinite(body->GetWorldCenter().x) && std::isfinite(body->GetWorldCenter().y);
}

// Adds one fixture to the logical shape `info`; refuses it (and leaves the body as it
// was) when its mass would not be finite.
b2Fixture* addFixture(b2Body* body, const ::b2FixtureDef& fd, ShapeInfo* info) {
    b2Fixture* fixture = body->CreateFixture(&fd);
    if (!bodyMassIsFinite(body)) {
        body->DestroyFixture(fixture);
        return nullptr;
    }
    fixture->GetUserData().pointer = reinterpret_cast<uintptr_t>(info);
    ++info->fixtureCount;
    return fixture;
}

b2v3::b2Polygon polygonFromEngine(const ::b2PolygonShape& shape, float radius) {
    b2v3::b2Polygon out;
    out.count = shape.m_count;
    for (int i = 0; i < shape.m_count; ++i) {
        out.vertices[i] = fromEngine(shape.m_vertices[i]);
        out.normals[i] = b2v3::b2Vec2{shape.m_normals[i].x, shape.m_normals[i].y};
    }
    out.centroid = fromEngine(shape.m_centroid);
    out.radius = radius;
    return out;
}

// The spring of a sprung joint, stiffness and damping as b2AngularStiffness gives them for
// its two bodies, acting on the joint angle (from the reference angle) and the relative
// angular velocity. Applied as the angular impulse of one sub-step, torque x h, which is
// what the engine's integration would make of the torque; sleeping bodies are left alone.
void applySprings(WorldInfo& world, float h) {
    for (b2RevoluteJoint* joint : world.springs) {
        JointInfo* info = jointInfo(joint);
        b2Body* a = joint->GetBodyA();
        b2Body* b = joint->GetBodyB();
        if (!a->IsAwake() && !b->IsAwake()) continue;
        float stiffness = 0.0f;
        float damping = 0.0f;
        b2AngularStiffness(stiffness, damping, info->hertz, info->dampingRatio, a, b);
        float torque = -stiffness * joint->GetJointAngle() - damping * joint->GetJointSpeed();
        float impulse = torque * h;
        if (!std::isfinite(impulse)) continue;
        a->ApplyAngularImpulse(-impulse, false);
        b->ApplyAngularImpulse(impulse, false);
    }
}

void releaseBodyRecords(b2Body* body) {
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) releaseFixture(f);
    delete bodyInfo(body);
    body->GetUserData().pointer = 0;
    gLiveBodies.erase(body);
}

}  // namespace

namespace b2v3 {

// --- math --------------------------------------------------------------------
b2Rot b2MakeRot(float radians) { return b2Rot{std::cos(radians), std::sin(radians)}; }
float b2Rot_GetAngle(b2Rot q) { return std::atan2(q.s, q.c); }
b2Vec2 b2TransformPoint(b2Transform t, b2Vec2 p) {
    return b2Vec2{t.q.c * p.x - t.q.s * p.y + t.p.x, t.q.s * p.x + t.q.c * p.y + t.p.y};
}

// --- world -------------------------------------------------------------------
b2WorldDef b2DefaultWorldDef() { return b2WorldDef{}; }

b2WorldId b2CreateWorld(const b2WorldDef* def) {
    WorldInfo* info = new WorldInfo();
    if (def != nullptr && finite(def->gravity)) info->gravity = def->gravity;
    info->world = new b2World(toEngine(info->gravity));
    info->world->SetAutoClearForces(false);
    info->world->SetDestructionListener(&info->releaser);
    gWorlds.push_back(info);
    return b2WorldId{info->world};
}

void b2DestroyWorld(b2WorldId worldId) {
    WorldInfo* info = findWorld(worldId.index);
    if (info == nullptr) return;
    b2World* world = info->world;
    for (b2Joint* j = world->GetJointList(); j != nullptr; j = j->GetNext()) {
        delete jointInfo(j);
        j->GetUserData().pointer = 0;
        gLiveJoints.erase(j);
    }
    for (b2Body* b = world->GetBodyList(); b != nullptr; b = b->GetNext()) releaseBodyRecords(b);
    world->SetDestructionListener(nullptr);
    delete world;
    gWorlds.erase(std::find(gWorlds.begin(), gWorlds.end(), info));
    delete info;
}

void b2SetLengthUnitsPerMeter(float lengthUnits) {
    if (std::isfinite(lengthUnits) && lengthUnits > 0.0f) gLengthScale = lengthUnits;
}
float b2GetLengthUnitsPerMeter() { return gLengthScale; }

void b2World_Step(b2WorldId worldId, float timeStep, int subStepCount) {
    WorldInfo* info = findWorld(worldId.index);
    if (info == nullptr || !std::isfinite(timeStep) || timeStep <= 0.0f) return;
    int steps = std::max(1, subStepCount);
    float h = timeStep / static_cast<float>(steps);
    b2World* world = info->world;
    // Gravity is kept in world units and converted with the scale in force now, so a
    // world made before the scale was set still falls at the right rate.
    world->SetGravity(toEngine(info->gravity));
    for (int k = 0; k < steps; ++k) {
        applySprings(*info, h);
        world->Step(h, VELOCITY_ITERATIONS, POSITION_ITERATIONS);
    }
    world->ClearForces();
    info->inverseSubStep = 1.0f / h;
}

int b2World_GetBodyCount(b2WorldId worldId) {
    return isLive(worldId) ? worldId.index->GetBodyCount() : 0;
}
int b2World_GetJointCount(b2WorldId worldId) {
    return isLive(worldId) ? worldId.index->GetJointCount() : 0;
}

// --- bodies ------------------------------------------------------------------
b2BodyDef b2DefaultBodyDef() { return b2BodyDef{}; }

b2BodyId b2CreateBody(b2WorldId worldId, const b2BodyDef* def) {
    if (!isLive(worldId) || def == nullptr) return b2BodyId{};
    if (!finite(def->position) || !finite(def->rotation.c) || !finite(def->rotation.s) ||
        !finite(def->linearVelocity) || !finite(def->angularVelocity)) {
        return b2BodyId{};
    }
    ::b2BodyDef bd;
    switch (def->type) {
        case b2_dynamicBody: bd.type = ::b2_dynamicBody; break;
        case b2_kinematicBody: bd.type = ::b2_kinematicBody; break;
        default: bd.type = ::b2_staticBody; break;
    }
    bd.position = toEngine(def->position);
    bd.angle = std::atan2(def->rotation.s, def->rotation.c);
    bd.linearVelocity = toEngine(def->linearVelocity);
    bd.angularVelocity = def->angularVelocity;
    bd.linearDamping = sanitizedNonNegative(def->linearDamping, 0.0f);
    bd.angularDamping = sanitizedNonNegative(def->angularDamping, 0.0f);
    BodyInfo* info = new BodyInfo();
    if (def->name != nullptr) info->name = def->name;
    info->userData = def->userData;
    bd.userData.pointer = reinterpret_cast<uintptr_t>(info);
    b2Body* body = worldId.index->CreateBody(&bd);
    gLiveBodies.insert(body);
    return b2BodyId{body};
}

void b2DestroyBody(b2BodyId bodyId) {
    b2Body* body = bodyId.index;
    if (body == nullptr || gLiveBodies.count(body) == 0) return;
    b2World* world = body->GetWorld();
    delete bodyInfo(body);
    body->GetUserData().pointer = 0;
    gLiveBodies.erase(body);
    // The world's release listener frees the records of its joints and fixtures.
    world->DestroyBody(body);
}

const char* b2Body_GetName(b2BodyId bodyId) {
    if (!isLive(bodyId)) return "";
    BodyInfo* info = bodyInfo(bodyId.index);
    return info != nullptr ? info->name.c_str() : "";
}

b2Vec2 b2Body_GetPosition(b2BodyId bodyId) {
    return isLive(bodyId) ? fromEngine(bodyId.index->GetPosition()) : b2Vec2{0.0f, 0.0f};
}
b2Rot b2Body_GetRotation(b2BodyId bodyId) {
    if (!isLive(bodyId)) return b2Rot{};
    const ::b2Rot& q = bodyId.index->GetTransform().q;
    return b2Rot{q.c, q.s};
}
b2Transform b2Body_GetTransform(b2BodyId bodyId) {
    return b2Transform{b2Body_GetPosition(bodyId), b2Body_GetRotation(bodyId)};
}
b2Vec2 b2Body_GetLocalPoint(b2BodyId bodyId, b2Vec2 worldPoint) {
    if (!isLive(bodyId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(bodyId.index->GetLocalPoint(toEngine(worldPoint)));
}
b2Vec2 b2Body_GetWorldPoint(b2BodyId bodyId, b2Vec2 localPoint) {
    if (!isLive(bodyId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(bodyId.index->GetWorldPoint(toEngine(localPoint)));
}
b2Vec2 b2Body_GetLinearVelocity(b2BodyId bodyId) {
    return isLive(bodyId) ? fromEngine(bodyId.index->GetLinearVelocity()) : b2Vec2{0.0f, 0.0f};
}
float b2Body_GetAngularVelocity(b2BodyId bodyId) {
    return isLive(bodyId) ? bodyId.index->GetAngularVelocity() : 0.0f;
}
float b2Body_GetMass(b2BodyId bodyId) { return isLive(bodyId) ? bodyId.index->GetMass() : 0.0f; }

void b2Body_ApplyForceToCenter(b2BodyId bodyId, b2Vec2 force, bool wake) {
    if (!isLive(bodyId) || !finite(force)) return;
    bodyId.index->ApplyForceToCenter(toEngine(force), wake);
}

void b2Body_ApplyAngularImpulse(b2BodyId bodyId, float impulse, bool wake) {
    if (!isLive(bodyId) || !std::isfinite(impulse)) return;
    bodyId.index->ApplyAngularImpulse(impulse / (gLengthScale * gLengthScale), wake);
}

int b2Body_GetShapes(b2BodyId bodyId, b2ShapeId* shapeArray, int capacity) {
    if (!isLive(bodyId) || shapeArray == nullptr || capacity <= 0) return 0;
    // 2.4 lists fixtures newest first; report the logical shapes in the order made.
    int total = 0;
    for (b2Fixture* f = bodyId.index->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ShapeInfo* info = shapeInfo(f);
        if (info == nullptr || info->primary == f) ++total;
    }
    int position = total;
    for (b2Fixture* f = bodyId.index->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ShapeInfo* info = shapeInfo(f);
        if (info != nullptr && info->primary != f) continue;
        --position;
        if (position < capacity) shapeArray[position] = b2ShapeId{f};
    }
    return std::min(total, capacity);
}

int b2Body_GetContactData(b2BodyId bodyId, b2ContactData* contactData, int capacity) {
    if (!isLive(bodyId) || contactData == nullptr || capacity <= 0) return 0;
    int count = 0;
    for (b2ContactEdge* edge = bodyId.index->GetContactList(); edge != nullptr && count < capacity;
         edge = edge->next) {
        b2Contact* contact = edge->contact;
        if (!contact->IsTouching()) continue;
        b2Fixture* fa = contact->GetFixtureA();
        b2Fixture* fb = contact->GetFixtureB();
        ShapeInfo* ia = shapeInfo(fa);
        ShapeInfo* ib = shapeInfo(fb);
        b2ShapeId a{ia != nullptr && ia->primary != nullptr ? ia->primary : fa};
        b2ShapeId b{ib != nullptr && ib->primary != nullptr ? ib->primary : fb};
        // A capsule is several fixtures; report each pair of logical shapes once.
        bool compound = (ia != nullptr && ia->fixtureCount > 1) || (ib != nullptr && ib->fixtureCount > 1);
        if (compound) {
            bool seen = false;
            for (int k = 0; k < count && !seen; ++k) {
                seen = (contactData[k].shapeIdA == a && contactData[k].shapeIdB == b) ||
                       (contactData[k].shapeIdA == b && contactData[k].shapeIdB == a);
            }
            if (seen) continue;
        }
        contactData[count].shapeIdA = a;
        contactData[count].shapeIdB = b;
        ++count;
    }
    return count;
}

// --- shapes ------------------------------------------------------------------
b2Polygon b2MakeBox(float halfWidth, float halfHeight) {
    b2Polygon box;
    box.count = 4;
    box.vertices[0] = b2Vec2{-halfWidth, -halfHeight};
    box.vertices[1] = b2Vec2{halfWidth, -halfHeight};
    box.vertices[2] = b2Vec2{halfWidth, halfHeight};
    box.vertices[3] = b2Vec2{-halfWidth, halfHeight};
    box.normals[0] = b2Vec2{0.0f, -1.0f};
    box.normals[1] = b2Vec2{1.0f, 0.0f};
    box.normals[2] = b2Vec2{0.0f, 1.0f};
    box.normals[3] = b2Vec2{-1.0f, 0.0f};
    return box;
}

namespace {
float cross(b2Vec2 o, b2Vec2 a, b2Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }
}  // namespace

b2Hull b2ComputeHull(const b2Vec2* points, int count) {
    b2Hull hull;
    if (points == nullptr || count < 3 || count > b2_maxPolygonVertices) return hull;
    // Weld points closer than the engine's tolerance, then a monotone chain that drops
    // collinear points; the result runs with positive orientation (x right, y up sense).
    const float slop = 0.005f * gLengthScale;
    b2Vec2 ps[b2_maxPolygonVertices];
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (!finite(points[i])) return hull;
        bool unique = true;
        for (int j = 0; j < n && unique; ++j) {
            float dx = points[i].x - ps[j].x;
            float dy = points[i].y - ps[j].y;
            unique = dx * dx + dy * dy >= 16.0f * slop * slop;
        }
        if (unique) ps[n++] = points[i];
    }
    if (n < 3) return hull;
    for (int i = 1; i < n; ++i) {  // by x, then y
        b2Vec2 key = ps[i];
        int j = i - 1;
        while (j >= 0 && (ps[j].x > key.x || (ps[j].x == key.x && ps[j].y > key.y))) {
            ps[j + 1] = ps[j];
            --j;
        }
        ps[j + 1] = key;
    }
    b2Vec2 chain[2 * b2_maxPolygonVertices];
    int k = 0;
    for (int i = 0; i < n; ++i) {
        while (k >= 2 && cross(chain[k - 2], chain[k - 1], ps[i]) <= 0.0f) --k;
        chain[k++] = ps[i];
    }
    for (int i = n - 2, lower = k + 1; i >= 0; --i) {
        while (k >= lower && cross(chain[k - 2], chain[k - 1], ps[i]) <= 0.0f) --k;
        chain[k++] = ps[i];
    }
    int m = k - 1;  // the last point repeats the first
    if (m < 3) return hull;
    // Points that lie within the tolerance of the line through their neighbours go too.
    b2Vec2 kept[2 * b2_maxPolygonVertices];
    int keptCount = 0;
    for (int i = 0; i < m; ++i) {
        b2Vec2 prev = chain[(i + m - 1) % m];
        b2Vec2 next = chain[(i + 1) % m];
        float ex = next.x - prev.x;
        float ey = next.y - prev.y;
        float len = std::sqrt(ex * ex + ey * ey);
        float distance = len > 0.0f ? cross(prev, next, chain[i]) / len : 0.0f;
        if (std::fabs(distance) > 2.0f * slop) kept[keptCount++] = chain[i];
    }
    if (keptCount < 3) return hull;
    hull.count = keptCount;
    for (int i = 0; i < keptCount; ++i) hull.points[i] = kept[i];
    return hull;
}

b2Polygon b2MakePolygon(const b2Hull* hull, float radius) {
    b2Polygon polygon;
    if (hull == nullptr || hull->count < 3) return polygon;
    polygon.count = hull->count;
    polygon.radius = radius;
    for (int i = 0; i < hull->count; ++i) polygon.vertices[i] = hull->points[i];
    float area = 0.0f;
    float cx = 0.0f;
    float cy = 0.0f;
    b2Vec2 origin = polygon.vertices[0];
    for (int i = 0; i < polygon.count; ++i) {
        b2Vec2 v1 = polygon.vertices[i];
        b2Vec2 v2 = polygon.vertices[(i + 1) % polygon.count];
        float ex = v2.x - v1.x;
        float ey = v2.y - v1.y;
        float len = std::sqrt(ex * ex + ey * ey);
        polygon.normals[i] = len > 0.0f ? b2Vec2{ey / len, -ex / len} : b2Vec2{0.0f, 0.0f};
        float a = 0.5f * cross(origin, v1, v2);
        area += a;
        cx += a * (origin.x + v1.x + v2.x) / 3.0f;
        cy += a * (origin.y + v1.y + v2.y) / 3.0f;
    }
    if (area > 0.0f) polygon.centroid = b2Vec2{cx / area, cy / area};
    return polygon;
}

b2ShapeDef b2DefaultShapeDef() { return b2ShapeDef{}; }

b2ShapeId b2CreatePolygonShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Polygon* polygon) {
    if (!isLive(bodyId) || def == nullptr || polygon == nullptr) return b2ShapeId{};
    if (polygon->count < 3 || polygon->count > b2_maxPolygonVertices) return b2ShapeId{};
    ::b2Vec2 points[b2_maxPolygonVertices];
    for (int i = 0; i < polygon->count; ++i) points[i] = toEngine(polygon->vertices[i]);
    if (!engineAcceptsPolygon(points, polygon->count)) return b2ShapeId{};
    ::b2PolygonShape shape;
    shape.Set(points, polygon->count);
    ::b2FixtureDef fd = engineFixtureDef(*def, &shape, 1.0f);
    ShapeInfo* info = new ShapeInfo();
    info->type = b2_polygonShape;
    info->radius = std::isfinite(polygon->radius) ? polygon->radius : 0.0f;
    info->filter = def->filter;
    info->userData = def->userData;
    b2Fixture* fixture = addFixture(bodyId.index, fd, info);
    if (fixture == nullptr) {
        delete info;
        return b2ShapeId{};
    }
    info->primary = fixture;
    return b2ShapeId{fixture};
}

b2ShapeId b2CreateCapsuleShape(b2BodyId bodyId, const b2ShapeDef* def, const b2Capsule* capsule) {
    if (!isLive(bodyId) || def == nullptr || capsule == nullptr) return b2ShapeId{};
    if (!finite(capsule->center1) || !finite(capsule->center2) || !std::isfinite(capsule->radius) ||
        capsule->radius <= 0.0f) {
        return b2ShapeId{};
    }
    ::b2Vec2 c1 = toEngine(capsule->center1);
    ::b2Vec2 c2 = toEngine(capsule->center2);
    float radius = capsule->radius / gLengthScale;
    ::b2Vec2 axis = c2 - c1;
    float length = axis.Length();

    ShapeInfo* info = new ShapeInfo();
    info->type = b2_capsuleShape;
    info->capsule = *capsule;
    info->filter = def->filter;
    info->userData = def->userData;
    b2Body* body = bodyId.index;
    std::vector<b2Fixture*> made;

    // Preferred form: one eight-sided polygon, four corners around each end, pulled in
    // by the engine's polygon skin so that, skin included, it is the capsule's outline.
    // One fixture per capsule keeps the pair count of a heap of figures down (a box and
    // two circles make nine contact pairs for every two capsules that meet).
    if (length >= b2_linearSlop) {
        const float inner = radius - b2_polygonRadius;
        const ::b2Vec2 u = (1.0f / length) * axis;
        const ::b2Vec2 n(-u.y, u.x);
        const float cosines[4] = {0.0f, 0.8660254f, 0.8660254f, 0.0f};
        const float sines[4] = {-1.0f, -0.5f, 0.5f, 1.0f};
        ::b2Vec2 outline[8];
        for (int k = 0; k < 4; ++k) {
            outline[k] = c2 + inner * (cosines[k] * u + sines[k] * n);
            outline[4 + k] = c1 - inner * (cosines[k] * u + sines[k] * n);
        }
        // Every corner must survive the engine's welding, or the shape would not be the
        // one whose area sets the density below.
        if (inner >= 0.75f * b2_linearSlop && engineAcceptsPolygon(outline, 8)) {
            ::b2PolygonShape polygon;
            polygon.Set(outline, 8);
            float polygonArea = 0.0f;
            for (int k = 0; k < polygon.m_count; ++k) {
                polygonArea += 0.5f * b2Cross(polygon.m_vertices[k], polygon.m_vertices[(k + 1) % polygon.m_count]);
            }
            // Density raised so that the mass is that of the true capsule.
            const float capsuleArea = 2.0f * radius * length + b2_pi * radius * radius;
            const float factor = polygonArea > 0.0f ? capsuleArea / polygonArea : 1.0f;
            ::b2FixtureDef fd = engineFixtureDef(*def, &polygon, factor);
            b2Fixture* f = addFixture(body, fd, info);
            if (f == nullptr) {
                delete info;
                return b2ShapeId{};
            }
            info->primary = f;
            return b2ShapeId{f};
        }
    }

    // Too thin for that polygon (or too short to have an axis): a box between the
    // centres and a circle at each centre, or one circle.
    // The box between the centres is narrowed by the engine's polygon skin so that its
    // sides, skin included, run flush with the end circles. Its density is raised to
    // make up for the narrowing, and the two circles, which overlap it by half each,
    // carry half density: the mass is that of a true capsule.
    ::b2PolygonShape box;
    bool haveBox = false;
    const float halfWidth = radius - b2_polygonRadius;
    if (length >= b2_linearSlop && halfWidth > 0.0f) {
        ::b2Vec2 centre = 0.5f * (c1 + c2);
        float angle = std::atan2(axis.y, axis.x);
        box.SetAsBox(0.5f * length, halfWidth, centre, angle);
        haveBox = engineAcceptsPolygon(box.m_vertices, box.m_count);
    }
    bool ok = true;
    if (haveBox) {
        ::b2FixtureDef fd = engineFixtureDef(*def, &box, radius / halfWidth);
        b2Fixture* f = addFixture(body, fd, info);
        ok = f != nullptr;
        if (ok) made.push_back(f);
    }
    const ::b2Vec2 ends[2] = {c1, c2};
    int circleCount = length >= b2_linearSlop ? 2 : 1;
    for (int k = 0; k < circleCount && ok; ++k) {
        ::b2CircleShape circle;
        circle.m_p = circleCount == 1 ? 0.5f * (c1 + c2) : ends[k];
        circle.m_radius = radius;
        float share = circleCount == 1 ? 1.0f : 0.5f;
        ::b2FixtureDef fd = engineFixtureDef(*def, &circle, share);
        b2Fixture* f = addFixture(body, fd, info);
        ok = f != nullptr;
        if (ok) made.push_back(f);
    }
    if (!ok || made.empty()) {
        for (b2Fixture* f : made) {
            f->GetUserData().pointer = 0;
            body->DestroyFixture(f);
        }
        delete info;
        return b2ShapeId{};
    }
    info->primary = made.front();
    return b2ShapeId{info->primary};
}

b2ShapeType b2Shape_GetType(b2ShapeId shapeId) {
    if (!isLive(shapeId)) return b2_polygonShape;
    ShapeInfo* info = shapeInfo(shapeId.index);
    if (info != nullptr) return info->type;
    switch (shapeId.index->GetType()) {
        case ::b2Shape::e_circle: return b2_circleShape;
        case ::b2Shape::e_edge: return b2_segmentShape;
        case ::b2Shape::e_chain: return b2_chainSegmentShape;
        default: return b2_polygonShape;
    }
}

b2Polygon b2Shape_GetPolygon(b2ShapeId shapeId) {
    if (!isLive(shapeId) || shapeId.index->GetType() != ::b2Shape::e_polygon) return b2Polygon{};
    ShapeInfo* info = shapeInfo(shapeId.index);
    if (info != nullptr && info->type != b2_polygonShape) return b2Polygon{};
    const auto* shape = static_cast<const ::b2PolygonShape*>(shapeId.index->GetShape());
    return polygonFromEngine(*shape, info != nullptr ? info->radius : 0.0f);
}

b2Capsule b2Shape_GetCapsule(b2ShapeId shapeId) {
    if (!isLive(shapeId)) return b2Capsule{};
    ShapeInfo* info = shapeInfo(shapeId.index);
    return (info != nullptr && info->type == b2_capsuleShape) ? info->capsule : b2Capsule{};
}

b2Filter b2Shape_GetFilter(b2ShapeId shapeId) {
    if (!isLive(shapeId)) return b2Filter{};
    ShapeInfo* info = shapeInfo(shapeId.index);
    return info != nullptr ? info->filter : b2Filter{};
}

b2BodyId b2Shape_GetBody(b2ShapeId shapeId) {
    return isLive(shapeId) ? b2BodyId{shapeId.index->GetBody()} : b2BodyId{};
}

// --- joints ------------------------------------------------------------------
b2RevoluteJointDef b2DefaultRevoluteJointDef() { return b2RevoluteJointDef{}; }

b2JointId b2CreateRevoluteJoint(b2WorldId worldId, const b2RevoluteJointDef* def) {
    if (!isLive(worldId) || def == nullptr || !isLive(def->bodyIdA) || !isLive(def->bodyIdB)) return b2JointId{};
    b2Body* a = def->bodyIdA.index;
    b2Body* b = def->bodyIdB.index;
    if (a == b || a->GetWorld() != worldId.index || b->GetWorld() != worldId.index) return b2JointId{};
    if (!finite(def->localAnchorA) || !finite(def->localAnchorB) || !std::isfinite(def->referenceAngle)) {
        return b2JointId{};
    }
    ::b2RevoluteJointDef jd;
    jd.bodyA = a;
    jd.bodyB = b;
    jd.collideConnected = def->collideConnected;
    jd.localAnchorA = toEngine(def->localAnchorA);
    jd.localAnchorB = toEngine(def->localAnchorB);
    jd.referenceAngle = def->referenceAngle;
    float lower = std::isfinite(def->lowerAngle) ? def->lowerAngle : 0.0f;
    float upper = std::isfinite(def->upperAngle) ? def->upperAngle : 0.0f;
    jd.enableLimit = def->enableLimit;
    jd.lowerAngle = std::min(lower, upper);
    jd.upperAngle = std::max(lower, upper);
    jd.enableMotor = def->enableMotor;
    jd.motorSpeed = std::isfinite(def->motorSpeed) ? def->motorSpeed : 0.0f;
    jd.maxMotorTorque = sanitizedNonNegative(def->maxMotorTorque, 0.0f) / (gLengthScale * gLengthScale);

    JointInfo* info = new JointInfo();
    info->spring = def->enableSpring && std::isfinite(def->hertz) && def->hertz > 0.0f;
    info->hertz = info->spring ? def->hertz : 0.0f;
    info->dampingRatio = sanitizedNonNegative(def->dampingRatio, 0.0f);
    info->drawSize = def->drawSize;
    info->userData = def->userData;
    jd.userData.pointer = reinterpret_cast<uintptr_t>(info);

    auto* joint = static_cast<b2RevoluteJoint*>(worldId.index->CreateJoint(&jd));
    gLiveJoints.insert(joint);
    if (info->spring) {
        WorldInfo* world = findWorld(worldId.index);
        if (world != nullptr) world->springs.push_back(joint);
    }
    return b2JointId{joint};
}

void b2DestroyJoint(b2JointId jointId) {
    b2Joint* joint = jointId.index;
    if (joint == nullptr || gLiveJoints.count(joint) == 0) return;
    b2World* world = joint->GetBodyA()->GetWorld();
    releaseJoint(findWorld(world), joint);
    world->DestroyJoint(joint);
}

b2Vec2 b2Joint_GetConstraintForce(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    WorldInfo* world = findWorld(jointId.index->GetBodyA()->GetWorld());
    float inverse = world != nullptr ? world->inverseSubStep : 0.0f;
    return fromEngine(jointId.index->GetReactionForce(inverse));
}

b2BodyId b2Joint_GetBodyA(b2JointId jointId) {
    return isLive(jointId) ? b2BodyId{jointId.index->GetBodyA()} : b2BodyId{};
}
b2BodyId b2Joint_GetBodyB(b2JointId jointId) {
    return isLive(jointId) ? b2BodyId{jointId.index->GetBodyB()} : b2BodyId{};
}
b2Vec2 b2Joint_GetLocalAnchorA(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(static_cast<b2RevoluteJoint*>(jointId.index)->GetLocalAnchorA());
}
b2Vec2 b2Joint_GetLocalAnchorB(b2JointId jointId) {
    if (!isLive(jointId)) return b2Vec2{0.0f, 0.0f};
    return fromEngine(static_cast<b2RevoluteJoint*>(jointId.index)->GetLocalAnchorB());
}
float b2RevoluteJoint_GetAngle(b2JointId jointId) {
    return isLive(jointId) ? static_cast<b2RevoluteJoint*>(jointId.index)->GetJointAngle() : 0.0f;
}

}  // namespace b2v3
