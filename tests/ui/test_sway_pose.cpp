// The sway view's geometry: members drawn at rest + ground moved + factor x displacement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "physics/engine/b2layer.h"
#include "physics/rest_pose.h"
#include "physics/world.h"
#include "ui/sway_pose.h"

namespace {

Vector2 add(Vector2 a, Vector2 b) { return Vector2{a.x + b.x, a.y + b.y}; }
Vector2 towards(Vector2 from, Vector2 to, float k) { return Vector2{from.x + k * (to.x - from.x), from.y + k * (to.y - from.y)}; }

// Float rounding of positions near 100 units, magnified with the factor.
void expectNear(Vector2 a, Vector2 b, float factor = 1.0f) {
    EXPECT_NEAR(a.x, b.x, 1e-4f * factor);
    EXPECT_NEAR(a.y, b.y, 1e-4f * factor);
}

}  // namespace

TEST(SwayPose, FactorOneIsWhereMembersStandAndTheGroundsMotionIsNotMagnified) {
    Simulation sim;
    initSimulation(sim);
    buildStructure(sim, {Line{{100.0f, -30.0f}, {100.0f, -50.0f}}});  // a post in the air, 2 m long
    ASSERT_EQ(sim.beams.size(), 1u);
    const RestPose rest = captureRestPose(sim);
    const b2BodyId body = sim.beams[0].body;
    const float h = sim.beams[0].halfLength;
    const std::vector<MemberEnds> atRest = swayedMembers(sim, rest, 1.0f);

    // The ground has moved 3 units; the member 3 units with it and 1 up, and turned.
    const Vector2 groundMoved{3.0f, 0.0f};
    b2Body_SetTransform(sim.ground.body, add(b2Body_GetPosition(sim.ground.body), groundMoved),
                        b2Body_GetRotation(sim.ground.body));
    b2Body_SetTransform(body, add(b2Body_GetPosition(body), Vector2{3.0f, -1.0f}),
                        b2MakeRot(b2Rot_GetAngle(b2Body_GetRotation(body)) + 0.1f));

    const MemberEnds now = swayedMembers(sim, rest, 1.0f)[0];
    const Vector2 ends[2] = {b2Body_GetWorldPoint(body, {0.0f, -h}), b2Body_GetWorldPoint(body, {0.0f, h})};
    expectNear(now.start, ends[0]);
    expectNear(now.end, ends[1]);

    const MemberEnds outline = swayedMembers(sim, rest, 0.0f)[0];
    expectNear(outline.start, add(atRest[0].start, groundMoved));
    expectNear(outline.end, add(atRest[0].end, groundMoved));

    // Only the motion relative to the ground grows with the factor.
    const MemberEnds magnified = swayedMembers(sim, rest, 20.0f)[0];
    expectNear(magnified.start, towards(outline.start, ends[0], 20.0f), 20.0f);
    expectNear(magnified.end, towards(outline.end, ends[1], 20.0f), 20.0f);

    // About 1.5 units of sway: factor 5 draws it, factor 50 would draw it over 2 m and is
    // lowered to the factor that draws it 2 m.
    EXPECT_EQ(shownSwayFactor(sim, rest, 5), 5.0f);
    const float shown = shownSwayFactor(sim, rest, 50);
    const MemberEnds drawn = swayedMembers(sim, rest, shown)[0];
    const float far = std::max(std::hypot(drawn.start.x - outline.start.x, drawn.start.y - outline.start.y),
                               std::hypot(drawn.end.x - outline.end.x, drawn.end.y - outline.end.y));
    EXPECT_NEAR(far, MAX_DRAWN_SWAY, 1e-3f);
    destroySimulation(sim);
}
