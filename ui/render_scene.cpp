#include "ui/render_scene.h"

#include <cmath>
#include <cstddef>

#include "physics/engine/b2layer.h"
#include "physics/joint_loads.h"
#include "ui/draw_human.h"

namespace {

constexpr float RAD_TO_DEG = 180.0f / 3.14159265358979323846f;
// The first break's ring, in world units: wide enough to stand out round a joint marker.
constexpr float FIRST_BREAK_INNER = 3.0f;
constexpr float FIRST_BREAK_OUTER = 4.0f;

void drawEditorView(const SceneView& view) {
    for (const Line& line : view.lines) DrawLineEx(line.start, line.end, 2.0f, LINE_COLOR);
    for (std::size_t i : view.deletePreview) {
        if (i < view.lines.size()) DrawLineEx(view.lines[i].start, view.lines[i].end, 3.0f, DELETE_PREVIEW_COLOR);
    }
    for (const auto& row : view.grid) {
        for (const Vector2& point : row) {
            DrawRectangle(static_cast<int>(point.x - 1), static_cast<int>(point.y - 1), 2, 2, BLACK);
        }
    }
    if (view.hasPending) {
        DrawRectangle(static_cast<int>(view.pendingStart.x - 1), static_cast<int>(view.pendingStart.y - 1),
                      2, 2, PENDING_COLOR);
    }
}

void drawJointMarkers(const Simulation& sim) {
    for (const JointRecord& record : sim.jointRecords) {
        if (record.jointSlot >= sim.jointSlots.size()) continue;
        const b2JointId id = sim.jointSlots[record.jointSlot];
        if (!isLive(id)) continue;
        DrawCircleV(jointWorldPoint(id), 0.5f, jointLoadColor(record.accumulated, sim.accumulativeLimit));
    }
}

void drawSimulationView(const Simulation& sim) {
    for (const Beam& beam : sim.beams) drawBeam(beam);
    for (const Human& human : sim.humans) drawHuman(human);
    drawJointMarkers(sim);
}

}  // namespace

Color jointLoadColor(float accumulated, float accumulativeLimit) {
    if (!(accumulativeLimit > 0.0f)) return ColorFromHSV(0.0f, 1.0f, 1.0f);
    float hue = 60.0f - (accumulated / accumulativeLimit) * 60.0f;
    if (!std::isfinite(hue) || hue < 0.0f) hue = 0.0f;
    if (hue > 60.0f) hue = 60.0f;
    return ColorFromHSV(hue, 1.0f, 1.0f);
}

void drawBeam(const Beam& beam) {
    const Vector2 corner = b2Body_GetWorldPoint(beam.body, {-beam.halfWidth, -beam.halfLength});
    const float angle = b2Rot_GetAngle(b2Body_GetRotation(beam.body)) * RAD_TO_DEG;
    DrawRectanglePro({corner.x, corner.y, 2.0f * beam.halfWidth, 2.0f * beam.halfLength}, {0.0f, 0.0f}, angle,
                     beam.color);
}

void renderScene(const SceneView& view, const RenderTexture2D& renderTarget) {
    BeginTextureMode(renderTarget);
    ClearBackground(BACKGROUND_COLOR);
    DrawFPS(760, 0);
    BeginMode2D(view.camera);
    if (!view.simulating) {
        drawEditorView(view);
    } else {
        drawSimulationView(view.sim);
    }
    DrawCircleV({10000.0f * view.epicenter.x, -10000.0f * view.epicenter.y}, 2.0f, EPICENTER_COLOR);
    drawBeam(view.sim.ground);
    // Over the ground, so a ground joint's ring shows whole.
    if (view.simulating && view.hasFirstBreak)
        DrawRing(view.firstBreakPoint, FIRST_BREAK_INNER, FIRST_BREAK_OUTER, 0.0f, 360.0f, 36, FIRST_BREAK_COLOR);
    EndMode2D();
    EndTextureMode();

    BeginDrawing();
    ClearBackground(BLACK);
    const float size = static_cast<float>(SCREEN_SIZE);
    DrawTexturePro(renderTarget.texture, {0.0f, 0.0f, size, -size},
                   {(GetScreenWidth() - size) * 0.5f, (GetScreenHeight() - size) * 0.5f, size, size}, {0.0f, 0.0f},
                   0.0f, WHITE);
}
