// Side records and checks shared by the engine layer's source files.
#include "physics/engine/b2layer_internal.h"

#include <algorithm>

namespace b2layer {

namespace {

// One set per thread: a thread that steps a world of its own (the lab's seeds) shares no
// handle table or length scale with another.
struct EngineTables {
    float lengthScale = 1.0f;  // world units per metre
    SlotTable<WorldInfo, b2WorldId> worlds;
    SlotTable<b2Body, b2BodyId> bodies;
    SlotTable<b2Joint, b2JointId> joints;
    SlotTable<b2Fixture, b2ShapeId> shapes;
};
thread_local EngineTables tables;

}  // namespace

float& lengthScale() { return tables.lengthScale; }
SlotTable<WorldInfo, b2WorldId>& worldTable() { return tables.worlds; }
SlotTable<b2Body, b2BodyId>& bodyTable() { return tables.bodies; }
SlotTable<b2Joint, b2JointId>& jointTable() { return tables.joints; }
SlotTable<b2Fixture, b2ShapeId>& shapeTable() { return tables.shapes; }

ShapeInfo* shapeInfo(b2Fixture* fixture) {
    return reinterpret_cast<ShapeInfo*>(fixture->GetUserData().pointer);
}
BodyInfo* bodyInfo(b2Body* body) { return reinterpret_cast<BodyInfo*>(body->GetUserData().pointer); }
JointInfo* jointInfo(b2Joint* joint) { return reinterpret_cast<JointInfo*>(joint->GetUserData().pointer); }

// Every body and fixture the layer makes carries its record, so these find the handle
// the object was made under.
b2BodyId bodyHandle(b2Body* body) {
    BodyInfo* info = bodyInfo(body);
    return info != nullptr ? bodyTable().handle(info->slot) : b2BodyId{};
}
b2ShapeId shapeHandle(b2Fixture* fixture) {
    ShapeInfo* info = shapeInfo(fixture);
    return info != nullptr ? shapeTable().handle(info->slot) : b2ShapeId{};
}

b2ShapeId registerShape(ShapeInfo* info, b2Fixture* primary) {
    info->primary = primary;
    info->slot = shapeTable().take(primary);
    return shapeTable().handle(info->slot);
}

void releaseFixture(b2Fixture* fixture) {
    ShapeInfo* info = shapeInfo(fixture);
    fixture->GetUserData().pointer = 0;
    if (info == nullptr) return;
    if (info->primary == fixture) shapeTable().release(info->slot);
    if (--info->fixtureCount <= 0) delete info;
}

namespace {
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
}  // namespace

void releaseJoint(b2Joint* joint) {
    JointInfo* info = jointInfo(joint);
    if (info == nullptr) return;
    if (info->spring) forgetSpring(info->world, joint);
    jointTable().release(info->slot);
    delete info;
    joint->GetUserData().pointer = 0;
}

void RecordReleaser::SayGoodbye(b2Joint* joint) { releaseJoint(joint); }
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
    fd.density = density * lengthScale() * lengthScale() * densityFactor;
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
    restoreAskedMass(body);
    return fixture;
}

// 2.4 recomputes a body's mass from its fixtures as it holds them whenever one is added:
// an inset polygon, its density raised, weighs what was asked for but turns a little too
// easily. The body takes its mass, centre and inertia from the shapes as asked for.
void restoreAskedMass(b2Body* body) {
    if (body->GetType() != b2_dynamicBody) return;
    ::b2MassData total;
    total.mass = 0.0f;
    total.center.SetZero();
    total.I = 0.0f;
    bool anyInset = false;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) {
        ShapeInfo* info = shapeInfo(f);
        ::b2MassData md;
        if (info != nullptr && info->inset) {
            info->askedShape.ComputeMass(&md, info->askedDensity);
            anyInset = true;
        } else {
            f->GetMassData(&md);
        }
        total.mass += md.mass;
        total.center += md.mass * md.center;
        total.I += md.I;
    }
    if (!anyInset || !(total.mass > 0.0f)) return;
    total.center *= 1.0f / total.mass;
    if (std::isfinite(total.mass) && std::isfinite(total.I) && std::isfinite(total.center.x) &&
        std::isfinite(total.center.y)) {
        body->SetMassData(&total);
    }
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
// angular velocity. Applied as the angular impulse of one step, torque x h, which is
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

WorldInfo* jointWorld(b2WorldId worldId, b2BodyId bodyA, b2BodyId bodyB, b2v3::b2Vec2 localA, b2v3::b2Vec2 localB,
                      float referenceAngle) {
    WorldInfo* world = resolve(worldId);
    b2Body* a = resolve(bodyA);
    b2Body* b = resolve(bodyB);
    if (world == nullptr || a == nullptr || b == nullptr || a == b) return nullptr;
    if (a->GetWorld() != world->world || b->GetWorld() != world->world) return nullptr;
    const bool finiteDef = finite(localA) && finite(localB) && std::isfinite(referenceAngle);
    return finiteDef ? world : nullptr;
}

void releaseBodyRecords(b2Body* body) {
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext()) releaseFixture(f);
    BodyInfo* info = bodyInfo(body);
    if (info != nullptr) bodyTable().release(info->slot);
    delete info;
    body->GetUserData().pointer = 0;
}

}  // namespace b2layer

bool isLive(b2WorldId id) { return b2layer::resolve(id) != nullptr; }
bool isLive(b2BodyId id) { return b2layer::resolve(id) != nullptr; }
bool isLive(b2JointId id) { return b2layer::resolve(id) != nullptr; }
bool isLive(b2ShapeId id) { return b2layer::resolve(id) != nullptr; }
