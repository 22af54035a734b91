// The rigidity check: ways the drawing can move, and which members move, against counts
// made by hand. Point (c, r) is x = 10 c, y = -20 - 10 r, so row 0 is pinned to the ground.
#include <gtest/gtest.h>

#include "physics/rigidity.h"
#include "tools/preset_designs.h"

namespace {

constexpr float GROUND_TOP = -20.0f;

Vector2 at(int c, int r) { return Vector2{10.0f * static_cast<float>(c), -20.0f - 10.0f * static_cast<float>(r)}; }
Line bar(int c1, int r1, int c2, int r2) { return Line{at(c1, r1), at(c2, r2)}; }

}  // namespace

TEST(Rigidity, TrianglesAndSquaresOnTheGround) {
    // Apex: two bars from pinned joints fix it.
    const RigidityResult triangle = checkRigidity({bar(0, 0, 2, 0), bar(0, 0, 1, 1), bar(2, 0, 1, 1)}, GROUND_TOP);
    EXPECT_EQ(triangle.waysToMove, 0u);
    EXPECT_EQ(triangle.canMove, std::vector<bool>(3, false));

    // Two free corners (4 freedoms) and three bars that reach them: it sways one way; the
    // base between two pins stays.
    std::vector<Line> square = {bar(0, 0, 1, 0), bar(0, 0, 0, 1), bar(1, 0, 1, 1), bar(0, 1, 1, 1)};
    const RigidityResult open = checkRigidity(square, GROUND_TOP);
    EXPECT_EQ(open.waysToMove, 1u);
    EXPECT_EQ(open.canMove, (std::vector<bool>{false, true, true, true}));

    square.push_back(bar(0, 0, 1, 1));
    EXPECT_EQ(checkRigidity(square, GROUND_TOP).waysToMove, 0u);

    // A second square on top, sharing the first one's top: its two corners add 4
    // freedoms and 3 bars, so it folds one way while the braced square below holds.
    square.push_back(bar(0, 1, 0, 2));
    square.push_back(bar(1, 1, 1, 2));
    square.push_back(bar(0, 2, 1, 2));
    const RigidityResult stacked = checkRigidity(square, GROUND_TOP);
    EXPECT_EQ(stacked.waysToMove, 1u);
    EXPECT_EQ(stacked.canMove, (std::vector<bool>{false, false, false, false, false, true, true, true}));
}

TEST(Rigidity, AFreeTriangleMovesAsABody) {
    const RigidityResult free = checkRigidity({bar(0, 3, 2, 3), bar(0, 3, 1, 4), bar(2, 3, 1, 4)}, GROUND_TOP);
    EXPECT_EQ(free.waysToMove, 3u);
    EXPECT_EQ(free.canMove, std::vector<bool>(3, true));
}

TEST(Rigidity, JoinsOnlyWhereTheBuildJoins) {
    // A copy of a side (either way round) meets the other sides at both ends and adds
    // nothing; a zero-length line builds no member and moves nothing.
    const RigidityResult copies = checkRigidity(
        {bar(0, 0, 2, 0), bar(0, 0, 1, 1), bar(2, 0, 1, 1), bar(1, 1, 0, 0), bar(1, 1, 1, 1)}, GROUND_TOP);
    EXPECT_EQ(copies.waysToMove, 0u);
    EXPECT_EQ(copies.canMove, std::vector<bool>(5, false));

    // Two copies of a line alone are hinged at one end only, so the copy swings about it
    // on its own: the pair in the air has 3 + 1 ways. Crossing bars from two pins are not
    // joined where they cross, so each turns about its pin.
    EXPECT_EQ(checkRigidity({bar(0, 3, 2, 3), bar(2, 3, 0, 3)}, GROUND_TOP).waysToMove, 4u);
    EXPECT_EQ(checkRigidity({bar(0, 0, 2, 2), bar(2, 0, 0, 2)}, GROUND_TOP).waysToMove, 2u);
}

TEST(Rigidity, PresetsAreRigid) {
    // hause: walls at columns 20, 23, 26 with joints at rows 0, 3, 6, and the apex (23, 9):
    // 7 free joints, 14 freedoms, 17 bars. Each storey's middle joint is held by its wall
    // and two braces from the row below (3 bars for 2 freedoms), each outer joint by its
    // wall and the beam to the middle; the apex by two rafters and the king post. 3 bars
    // to spare: rigid.
    const Design hause = hausePreset();
    const RigidityResult h = checkRigidity(hause.lines, GROUND_TOP);
    EXPECT_EQ(h.waysToMove, 0u);
    EXPECT_EQ(h.canMove, std::vector<bool>(hause.lines.size(), false));

    // lightaf: posts at columns 30 and 32 with joints at rows 0, 2, ..., 14, and the arm's
    // tip (35, 14): 15 free joints, 30 freedoms, 30 bars. Each panel's two new joints take
    // two posts, a strut and a diagonal (4 bars, 4 freedoms, triangulated); the tip takes
    // the arm and its brace. Rigid with none to spare.
    const Design lightaf = lightafPreset();
    const RigidityResult l = checkRigidity(lightaf.lines, GROUND_TOP);
    EXPECT_EQ(l.waysToMove, 0u);
    EXPECT_EQ(l.canMove, std::vector<bool>(lightaf.lines.size(), false));
}

TEST(Rigidity, MomentConnectionsHoldTheAnglesAndAFixedBaseHoldsAFoot) {
    ConnectionSetup moment;
    moment.connection = Connection::Moment;
    ConnectionSetup fixed = moment;
    fixed.base = BaseFixity::Fixed;

    // A portal of two posts and a beam folds on pins; welded at its corners it is one body
    // on two pins.
    const std::vector<Line> portal = {bar(0, 0, 0, 1), bar(0, 1, 2, 1), bar(2, 0, 2, 1)};
    EXPECT_EQ(checkRigidity(portal, GROUND_TOP).waysToMove, 1u);
    const RigidityResult welded = checkRigidity(portal, GROUND_TOP, moment);
    EXPECT_EQ(welded.waysToMove, 0u);
    EXPECT_EQ(welded.canMove, std::vector<bool>(3, false));

    // One foot alone: an L of a post and a beam, welded, still turns about its pinned foot;
    // a fixed foot holds it.
    const std::vector<Line> ell = {bar(0, 0, 0, 1), bar(0, 1, 2, 1)};
    const RigidityResult turns = checkRigidity(ell, GROUND_TOP, moment);
    EXPECT_EQ(turns.waysToMove, 1u);
    EXPECT_EQ(turns.canMove, std::vector<bool>(2, true));
    EXPECT_EQ(checkRigidity(ell, GROUND_TOP, fixed).waysToMove, 0u);
    // A fixed base alone holds only the members standing on the ground.
    ConnectionSetup fixedPins;
    fixedPins.base = BaseFixity::Fixed;
    EXPECT_EQ(checkRigidity(ell, GROUND_TOP, fixedPins).canMove, (std::vector<bool>{false, true}));
}
