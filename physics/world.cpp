// The physics world and its ground, building the user's lines into members and
// hinges, the fixed time step, and tearing the built structure down again.
#include "physics/world.h"

#include <algorithm>
#include <cmath>

#include "physics/build_limits.h"
#include "physics/end_points.h"
#include "physics/shared_anchors.h"
#include "physics/engine/b2layer.h"
#include "physics/human.h"
#include "physics/moment_connections.h"
#include "physics/units.h"

namespace {

constexpr float GROUND_HALF_WIDTH = 250.0f;
constexpr float GROUND_HALF_HEIGHT = 10.0f;
constexpr b2Vec2 GROUND_POSITION{250.0f, -10.0f};
// Continuous collision costs more than all else in a large structure's step, so the world
// runs without it. What it guarded against, a member or figure driven through the
// ground by the strongest quake, cannot happen through this deep, undrawn foundation
// under the ground: a body moves at most the engine's top speed of 2 m a step, and
// wherever it ends inside the ground the nearest way out is up.
constexpr float FOUNDATION_DEPTH = 1000.0f;
constexpr float GROUND_ZONE = 5.0f;          // end points this far above the surface are pinned
constexpr std::size_t RESERVED_JOINT_SLOTS = 1000;

bool samePoint(Vector2 a, Vector2 b) { return a.x == b.x && a.y == b.y; }

bool finitePoint(Vector2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Appends a joint and its load record; a joint the engine would not make is left out.
bool recordJoint(Simulation& sim, b2JointId joint, std::ptrdiff_t beam) {
    if (!isLive(joint)) return false;
    sim.jointSlots.push_back(joint);
    JointRecord record{beam, sim.jointSlots.size() - 1, 0.0f};
    if (b2Joint_GetType(joint) == b2_weldJoint) record.momentCapacity = sim.momentSprings.capacity;
    record.anchorBody = b2Joint_GetBodyB(joint);
    record.anchorLocal = b2Joint_GetLocalAnchorB(joint);
    sim.jointRecords.push_back(record);
    return true;
}

// One member for a line; false (and nothing left behind) when the line cannot be a body:
// non-finite points, too short for the engine to make a box of, or a mass or inertia
// the engine cannot hold at this density.
bool buildBeam(Simulation& sim, const Line& line) {
    const float density = memberDensity(sim, line);
    if (!finitePoint(line.start) || !finitePoint(line.end) || !memberFits(line, density)) return false;
    float dx = line.end.x - line.start.x;
    float dy = line.end.y - line.start.y;
    float length = std::sqrt(dx * dx + dy * dy);
    float halfLength = length * 0.5f;
    if (!std::isfinite(halfLength) || !(halfLength > 0.0f)) return false;

    b2Polygon box = b2MakeBox(MEMBER_HALF_WIDTH, halfLength);
    b2BodyDef bodyDef = b2DefaultBodyDef();
    bodyDef.type = b2_dynamicBody;
    bodyDef.position = b2Vec2{(line.start.x + line.end.x) * 0.5f, (line.start.y + line.end.y) * 0.5f};
    bodyDef.rotation = b2MakeRot(-std::atan2(dx, dy));
    b2BodyId body = b2CreateBody(sim.worldId, &bodyDef);
    if (!isLive(body)) return false;

    b2ShapeDef shapeDef = b2DefaultShapeDef();
    shapeDef.density = density;
    b2ShapeId shape = b2CreatePolygonShape(body, &shapeDef, &box);
    if (!isLive(shape)) {
        b2DestroyBody(body);
        return false;
    }
    sim.beams.push_back(Beam{body, MEMBER_HALF_WIDTH, halfLength, BEAM_COLOR, false, line});
    return true;
}

void createWorld(Simulation& sim) {
    b2WorldDef worldDef = b2DefaultWorldDef();
    worldDef.gravity = b2Vec2{0.0f, sim.setup.gravityY};
    sim.worldId = b2CreateWorld(&worldDef);
}

void createGround(Simulation& sim) {
    b2Polygon groundBox = b2MakeBox(GROUND_HALF_WIDTH, GROUND_HALF_HEIGHT);
    b2BodyDef groundDef = b2DefaultBodyDef();
    groundDef.type = b2_staticBody;
    groundDef.position = GROUND_POSITION;
    b2BodyId groundBody = b2CreateBody(sim.worldId, &groundDef);
    b2ShapeDef groundShape = b2DefaultShapeDef();
    b2CreatePolygonShape(groundBody, &groundShape, &groundBox);
    b2Polygon foundation = b2MakeBox(GROUND_HALF_WIDTH, 0.5f * FOUNDATION_DEPTH);
    for (int i = 0; i < foundation.count; ++i) foundation.vertices[i].y += GROUND_HALF_HEIGHT + 0.5f * FOUNDATION_DEPTH;
    foundation.centroid.y += GROUND_HALF_HEIGHT + 0.5f * FOUNDATION_DEPTH;
    b2CreatePolygonShape(groundBody, &groundShape, &foundation);
    sim.ground = Beam{groundBody, GROUND_HALF_WIDTH, GROUND_HALF_HEIGHT, GROUND_COLOR, false, Line{}};
}

// A structure with moment connections starts where its ground joints will hold it,
// PIN_ANCHOR_OFFSET above where it is drawn. Left to the joints, that first correction
// turns members by more than a connection takes before it yields, and a triangulated
// structure keeps such a yield as forces locked in between its members.
void seatOnGroundJoints(Simulation& sim) {
    for (const Beam& beam : sim.beams) {
        const b2Vec2 p = b2Body_GetPosition(beam.body);
        b2Body_SetTransform(beam.body, b2Vec2{p.x, p.y - PIN_ANCHOR_OFFSET}, b2Body_GetRotation(beam.body));
    }
}

bool bodyIsFinite(b2BodyId body) {
    if (!isLive(body)) return true;
    const b2Vec2 p = b2Body_GetPosition(body);
    const b2Vec2 v = b2Body_GetLinearVelocity(body);
    return finitePoint(p) && finitePoint(v) && std::isfinite(b2Body_GetAngularVelocity(body)) &&
           std::isfinite(b2Rot_GetAngle(b2Body_GetRotation(body)));
}

}  // namespace

// A horizontal member carries the floor load spread over its 1-unit-wide box, so its mass
// and inertia grow as a floor's would; the sum stays within what the engine can hold.
float memberDensity(const Simulation& sim, const Line& line) {
    const float load = sim.setup.floorLoadKgPerMetre;
    if (line.start.y != line.end.y || !(load > 0.0f)) return sim.density;
    const double perArea = static_cast<double>(load) / (UNITS_PER_METRE * 2.0 * MEMBER_HALF_WIDTH);
    return static_cast<float>(std::min<double>(sim.density + perArea, MAX_DENSITY));
}

void initSimulation(Simulation& sim) {
    const Simulation defaults;
    sim.accumulativeLimit = defaults.accumulativeLimit;
    sim.threshold = defaults.threshold;
    sim.lengthUnitsPerMeter = defaults.lengthUnitsPerMeter;
    sim.groundTop = defaults.groundTop;
    sim.density = defaults.density;
    sim.setup = defaults.setup;
    sim.jointSlots.clear();
    sim.presets.clear();
    sim.jointRecords.clear();
    sim.beams.clear();
    sim.humans.clear();
    sim.jointSlots.reserve(RESERVED_JOINT_SLOTS);

    // The world is made while the engine still counts one unit to the metre; the scale
    // is set right after, and every later definition uses it.
    createWorld(sim);
    b2SetLengthUnitsPerMeter(sim.lengthUnitsPerMeter);
    createGround(sim);
}

void setWorldSetup(Simulation& sim, const WorldSetup& setup) {
    sim.setup = setup;
    if (isLive(sim.worldId)) b2World_SetGravity(sim.worldId, b2Vec2{0.0f, setup.gravityY});
}

void renewWorld(Simulation& sim) {
    clearStructure(sim);
    if (isLive(sim.worldId)) b2DestroyWorld(sim.worldId);
    createWorld(sim);
    createGround(sim);
}

void buildStructure(Simulation& sim, std::vector<Line> lines) {
    sim.jointForcesChanged = true;
    for (const Line& line : lines) buildBeam(sim, line);

    // Slots and records come out as: member i's ground joints, then its joints with
    // every later member sharing an end point, in list order.
    std::vector<Line> built(sim.beams.size());
    for (std::size_t i = 0; i < built.size(); ++i) built[i] = sim.beams[i].line;
    planMomentSprings(sim, built);
    const auto pairs = sharedEndPointPairs(built);
    auto next = pairs.begin();
    for (std::size_t i = 0; i < built.size(); ++i) {
        pinToGround(sim, i);
        for (; next != pairs.end() && next->first == i; ++next) joinBeams(sim, i, next->second);
    }
    linkSameAnchors(sim);
    if (sim.momentSprings.stiffness > 0.0f) seatOnGroundJoints(sim);
}

bool pinnedPoint(Vector2 p, float groundTop) { return groundTop >= p.y && p.y >= groundTop - GROUND_ZONE; }

void pinToGround(Simulation& sim, std::size_t beamIndex) {
    if (beamIndex >= sim.beams.size()) return;
    b2RevoluteJointDef def = b2DefaultRevoluteJointDef();
    // The classic base joints hold with motor friction; a torque of 0 leaves a true pin.
    def.enableMotor = sim.setup.baseMotorTorque > 0.0f;
    def.maxMotorTorque = sim.setup.baseMotorTorque;
    def.motorSpeed = 0.0f;
    def.bodyIdA = sim.beams[beamIndex].body;
    def.bodyIdB = sim.ground.body;
    def.collideConnected = true;

    const Line line = sim.beams[beamIndex].line;
    for (Vector2 p : {line.start, line.end}) {
        if (!pinnedPoint(p, sim.groundTop)) continue;
        def.localAnchorA = b2Body_GetLocalPoint(def.bodyIdA, b2Vec2{p.x, p.y + PIN_ANCHOR_OFFSET});
        def.localAnchorB = b2Body_GetLocalPoint(def.bodyIdB, b2Vec2{p.x, sim.groundTop});
        const b2JointId joint = weldsFeet(sim) ? createMomentConnection(sim, def.bodyIdA, def.bodyIdB, def.localAnchorA,
                                                                        def.localAnchorB, def.collideConnected)
                                               : b2CreateRevoluteJoint(sim.worldId, &def);
        if (recordJoint(sim, joint, static_cast<std::ptrdiff_t>(beamIndex))) {
            sim.beams[beamIndex].pinned = true;
        }
    }
}

void joinBeams(Simulation& sim, std::size_t first, std::size_t second) {
    if (first >= sim.beams.size() || second >= sim.beams.size()) return;
    const Beam& a = sim.beams[first];
    const Beam& b = sim.beams[second];
    Vector2 onA{};
    Vector2 onB{};
    if (samePoint(b.line.start, a.line.start)) {
        onA = a.line.start;
        onB = b.line.start;
    } else if (samePoint(b.line.end, a.line.end)) {
        onA = a.line.end;
        onB = b.line.end;
    } else if (samePoint(b.line.end, a.line.start)) {
        onA = a.line.start;
        onB = b.line.end;
    } else if (samePoint(b.line.start, a.line.end)) {
        onA = a.line.end;
        onB = b.line.start;
    } else {
        return;
    }
    b2RevoluteJointDef def = b2DefaultRevoluteJointDef();
    def.bodyIdA = a.body;
    def.bodyIdB = b.body;
    def.collideConnected = false;
    def.localAnchorA = b2Body_GetLocalPoint(a.body, onA);
    def.localAnchorB = b2Body_GetLocalPoint(b.body, onB);
    const b2JointId joint = weldsMembers(sim) ? createMomentConnection(sim, a.body, b.body, def.localAnchorA,
                                                                       def.localAnchorB, def.collideConnected)
                                              : b2CreateRevoluteJoint(sim.worldId, &def);
    recordJoint(sim, joint, NO_BEAM);
}

int awakeBodies(const Simulation& sim) { return b2World_GetAwakeBodyCount(sim.worldId); }

bool stepWorld(Simulation& sim, float& stepAccumulator) { return stepWorld(sim, stepAccumulator, GroundPath{}); }

bool stepWorld(Simulation& sim, float& stepAccumulator, const GroundPath& ground) {
    if (!(static_cast<double>(stepAccumulator) > STEP_SECONDS)) return false;
    // A world whose bodies all sleep would come out of the step unchanged, joint forces
    // included; skipping it is what lets a resting structure cost next to nothing.
    if (b2World_GetAwakeBodyCount(sim.worldId) > 0) {
        const float step = static_cast<float>(STEP_SECONDS);
        if (ground.moving && isLive(sim.ground.body)) {
            b2Body_SetLinearVelocity(sim.ground.body, ground.velocity);
        }
        // Moment connections take several engine steps, the ground keeping its velocity
        // through them; every other world takes one.
        const int engineSteps = std::max(1, sim.momentSprings.subSteps);
        for (int k = 0; k < engineSteps; ++k) {
            b2World_Step(sim.worldId, engineSteps == 1 ? step : step / static_cast<float>(engineSteps), SUB_STEPS);
            updateMomentConnections(sim);
        }
        sim.jointForcesChanged = true;
    }
    stepAccumulator = 0.0f;
    return true;
}

void clearStructure(Simulation& sim) {
    // Joints first: destroying a member would take its joints with it.
    for (b2JointId& joint : sim.jointSlots) {
        if (isLive(joint)) b2DestroyJoint(joint);
        joint = b2JointId{};
    }
    for (Beam& beam : sim.beams) {
        if (isLive(beam.body)) b2DestroyBody(beam.body);
        beam.body = b2BodyId{};
    }
    for (Human& human : sim.humans) destroyHuman(human);
    sim.beams.clear();
    sim.jointSlots.clear();
    sim.humans.clear();
    sim.jointRecords.clear();
    sim.momentSprings = MomentSprings{};
    sim.designForce = 0.0f;
}

void destroySimulation(Simulation& sim) {
    if (isLive(sim.worldId)) b2DestroyWorld(sim.worldId);
    // Every body and joint went with the world; no handle may outlive it.
    sim.worldId = b2WorldId{};
    sim.ground.body = b2BodyId{};
    sim.beams.clear();
    sim.jointSlots.clear();
    sim.jointRecords.clear();
    sim.humans.clear();
    sim.momentSprings = MomentSprings{};
    sim.designForce = 0.0f;
}

bool worldIsFinite(const Simulation& sim) {
    if (!bodyIsFinite(sim.ground.body)) return false;
    for (const Beam& beam : sim.beams) {
        if (!bodyIsFinite(beam.body)) return false;
    }
    for (const Human& human : sim.humans) {
        for (const Bone& bone : human.bones) {
            if (!bodyIsFinite(bone.bodyId)) return false;
        }
    }
    return true;
}
