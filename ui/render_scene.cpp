#include "ui/render_scene.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <rlgl.h>

#include "physics/engine/b2layer.h"
#include "ui/draw_human.h"
#include "ui/joint_markers.h"
#include "ui/screen_map.h"
#include "ui/sway_pose.h"
#include "ui/sway_view.h"

namespace {

constexpr float RAD_TO_DEG = 180.0f / 3.14159265358979323846f;
// The first break's ring, in world units: wide enough to stand out round a joint marker.
constexpr float FIRST_BREAK_INNER = 3.0f;
constexpr float FIRST_BREAK_OUTER = 4.0f;
// The ring round the grid point a click would pick, in world units: outside its 2 x 2 dot
// and the pending point's, inside half the grid spacing.
constexpr float HOVER_INNER = 2.5f;
constexpr float HOVER_OUTER = 3.5f;
constexpr float LOOSE_END_THICKNESS = 1.0f;
// Scene texts, in render-target pixels: the mode right of the panel, above anything the
// tests read; the first hint below the ground, where nothing is drawn at the start.
constexpr int SCENE_TEXT_LEFT = 310;
constexpr int MODE_TOP = 6;
constexpr int MODE_SIZE = 20;
constexpr int HINT_TOP = 470;
constexpr int HINT_SIZE = 20;
constexpr int HINT_LINE = 28;
constexpr const char* FIRST_HINT[] = {"Click two grid points to draw a line.", "F builds it, Enter shakes it."};

// The reference drawing leaves nothing out; the usual one skips what lies off screen.
bool shown(const SceneView& view, const ScreenMap& map, Vector2 centre, float reach) {
    return view.referenceDrawing || nearVisible(map, centre, reach);
}

void drawGridPoint(Vector2 point, Color color) {
    DrawRectangle(static_cast<int>(point.x - 1), static_cast<int>(point.y - 1), 2, 2, color);
}

void drawEditorView(const SceneView& view, const ScreenMap& map) {
    // Feedback first, under the drawing, so it never hides a line or a point.
    if (view.hasPending) {
        // The line being placed follows the mouse to the grid point it would end on.
        DrawLineEx(view.pendingStart, view.hasHover ? view.hover : view.mouse, LOOSE_END_THICKNESS, LOOSE_END_COLOR);
    }
    if (view.hasHover) DrawRing(view.hover, HOVER_INNER, HOVER_OUTER, 0.0f, 360.0f, 16, HOVER_COLOR);
    for (const Line& line : view.lines) {
        const float t = EDITOR_LINE_THICKNESS;
        if (view.referenceDrawing ||
            boxVisible(map, std::min(line.start.x, line.end.x) - t, std::min(line.start.y, line.end.y) - t,
                       std::max(line.start.x, line.end.x) + t, std::max(line.start.y, line.end.y) + t)) {
            DrawLineEx(line.start, line.end, t, LINE_COLOR);
        }
    }
    if (view.canMove != nullptr && view.canMove->size() == view.lines.size()) {
        for (std::size_t i = 0; i < view.lines.size(); ++i) {
            if ((*view.canMove)[i]) DrawLineEx(view.lines[i].start, view.lines[i].end, 3.0f, CAN_MOVE_COLOR);
        }
    }
    for (std::size_t i : view.deletePreview) {
        if (i < view.lines.size()) DrawLineEx(view.lines[i].start, view.lines[i].end, 3.0f, DELETE_PREVIEW_COLOR);
    }
    for (const auto& row : view.grid) {
        for (const Vector2& point : row) {
            if (shown(view, map, point, 2.0f)) drawGridPoint(point, BLACK);
        }
    }
    if (view.hasPending) drawGridPoint(view.pendingStart, PENDING_COLOR);
}

// In render-target pixels, over the scene and under the panel.
void drawSceneTexts(const SceneView& view, float sway) {
    if (view.modeName != nullptr && *view.modeName != '\0')
        DrawText(view.modeName, SCENE_TEXT_LEFT, MODE_TOP, MODE_SIZE, SCENE_TEXT_COLOR);
    if (sway > 1.0f) drawSwayLegend(sway, view.magnification);
    if (!view.firstHint) return;
    int y = HINT_TOP;
    for (const char* line : FIRST_HINT) {
        DrawText(line, SCENE_TEXT_LEFT, y, HINT_SIZE, SCENE_TEXT_COLOR);
        y += HINT_LINE;
    }
}

// The target copied to the window, centred, pixel for pixel. The usual drawing copies it
// with a framebuffer blit, the reference drawing as a textured quad. The two give the
// same pixels: the quad lies on whole pixels at the texture's own size, so the bilinear
// filter reads every texel at its centre, and everything drawn into the target is opaque
// (alpha 255 everywhere), so blending the quad over the black window changes nothing.
// Software GL shades the quad's 850 x 850 pixels one by one; the blit copies them, which
// halves the cost of a frame there.
void copyToWindow(const RenderTexture2D& renderTarget, bool referenceDrawing) {
    const float size = static_cast<float>(SCREEN_SIZE);
    if (referenceDrawing) {
        DrawTexturePro(renderTarget.texture, {0.0f, 0.0f, size, -size},
                       {(GetScreenWidth() - size) * 0.5f, (GetScreenHeight() - size) * 0.5f, size, size},
                       {0.0f, 0.0f}, 0.0f, WHITE);
        return;
    }
    // Both framebuffers keep their rows bottom up, so the blit needs no flip. Its corners
    // are given as first and last-plus-one coordinates, not as sizes.
    constexpr int COLOR_BUFFER_BIT = 0x00004000;  // GL_COLOR_BUFFER_BIT
    const int x = (GetRenderWidth() - SCREEN_SIZE) / 2;
    const int y = (GetRenderHeight() - SCREEN_SIZE) / 2;
    rlDrawRenderBatchActive();
    rlBindFramebuffer(RL_READ_FRAMEBUFFER, renderTarget.id);
    rlBindFramebuffer(RL_DRAW_FRAMEBUFFER, 0);
    rlBlitFramebuffer(0, 0, SCREEN_SIZE, SCREEN_SIZE, x, y, x + SCREEN_SIZE, y + SCREEN_SIZE, COLOR_BUFFER_BIT);
    rlBindFramebuffer(RL_READ_FRAMEBUFFER, 0);
}

void drawSimulationView(const SceneView& view, const ScreenMap& map, PixelCanvas& canvas, float sway) {
    if (sway > 1.0f) {
        // Joint markers stand where the joints are, not where the view draws them: left out.
        drawSwayedMembers(view.sim, *view.swayRest, sway, view.hingeThreshold);
        for (const Human& human : view.sim.humans) drawHuman(human);
        return;
    }
    for (const Beam& beam : view.sim.beams) {
        if (shown(view, map, b2Body_GetPosition(beam.body), beam.halfWidth + beam.halfLength)) drawBeam(beam);
    }
    for (const Human& human : view.sim.humans) drawHuman(human);
    if (view.referenceDrawing) {
        drawJointMarkersReference(view.sim);
    } else {
        drawJointMarkers(view.sim, map, canvas);
    }
}

}  // namespace

float shownSway(const SceneView& view) {
    if (!view.simulating || view.swayRest == nullptr || view.magnification <= 1 ||
        view.swayRest->position.size() != view.sim.beams.size())
        return 1.0f;
    return shownSwayFactor(view.sim, *view.swayRest, view.magnification);
}

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

void renderScene(const SceneView& view, const RenderTexture2D& renderTarget, PixelCanvas& canvas) {
    BeginTextureMode(renderTarget);
    ClearBackground(BACKGROUND_COLOR);
    DrawFPS(760, 0);
    BeginMode2D(view.camera);
    const ScreenMap map = screenMapOf(view.camera, static_cast<float>(SCREEN_SIZE));
    const float sway = shownSway(view);
    if (!view.simulating) {
        drawEditorView(view, map);
    } else {
        drawSimulationView(view, map, canvas, sway);
    }
    DrawCircleV({10000.0f * view.epicenter.x, -10000.0f * view.epicenter.y}, 2.0f, EPICENTER_COLOR);
    drawBeam(view.sim.ground);
    // Over the ground, so a ground joint's ring shows whole.
    if (view.simulating && view.hasFirstBreak)
        DrawRing(view.firstBreakPoint, FIRST_BREAK_INNER, FIRST_BREAK_OUTER, 0.0f, 360.0f, 36, FIRST_BREAK_COLOR);
    EndMode2D();
    drawSceneTexts(view, sway);
    EndTextureMode();

    BeginDrawing();
    ClearBackground(BLACK);
    copyToWindow(renderTarget, view.referenceDrawing);
}
