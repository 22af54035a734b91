// The shipped presets, drawn on the editor's grid: point (c, r) is x = 10 c, y = -20 - 10 r,
// so row 0 lies on the ground and is pinned when built.
#include "tools/preset_designs.h"

namespace {

Vector2 gridPoint(int c, int r) {
    return Vector2{10.0f * static_cast<float>(c), -20.0f - 10.0f * static_cast<float>(r)};
}

void add(Design& d, int c1, int r1, int c2, int r2) { addGridLine(d, c1, r1, c2, r2); }

}  // namespace

void addGridLine(Design& d, int c1, int r1, int c2, int r2) {
    d.lines.push_back(Line{gridPoint(c1, r1), gridPoint(c2, r2)});
}

void addLattice(Design& d, int left, int right, int panel, int panels) {
    for (int p = 0; p < panels; ++p) {
        const int low = p * panel;
        const int high = low + panel;
        add(d, left, low, left, high);
        add(d, right, low, right, high);
        add(d, left, high, right, high);
        // Zigzag bracing.
        if (p % 2 == 0) {
            add(d, left, low, right, high);
        } else {
            add(d, right, low, left, high);
        }
    }
}

Design hausePreset() {
    Design d;
    d.name = "hause";
    const int left = 20;
    const int middle = 23;
    const int right = 26;
    const int first = 3;   // first floor
    const int second = 6;  // second floor
    // Walls, one member per storey.
    for (int c : {left, middle, right}) {
        add(d, c, 0, c, first);
        add(d, c, first, c, second);
    }
    // Floor beams.
    for (int r : {first, second}) {
        add(d, left, r, middle, r);
        add(d, middle, r, right, r);
    }
    // Braces, one per bay and storey, mirrored about the middle wall.
    add(d, left, 0, middle, first);
    add(d, right, 0, middle, first);
    add(d, left, first, middle, second);
    add(d, right, first, middle, second);
    // Roof truss: rafters and king post.
    add(d, left, second, middle, 9);
    add(d, middle, 9, right, second);
    add(d, middle, second, middle, 9);

    // Under gravity no joint force reaches about 6100, well below the threshold; a
    // magnitude 5 quake pushes the pinned walls hard enough to break most joints.
    d.density = 4.0f;
    d.accumulativeLimit = 50000.0f;
    d.threshold = 10000.0f;
    d.duration = 6.0f;
    d.magnitude = 5.0f;
    d.epicenter = {0.0f, 0.0f};
    return d;
}

Design lightafPreset() {
    Design d;
    d.name = "lightaf";
    const int left = 30;
    const int right = 32;
    const int panel = 2;
    const int panels = 7;
    addLattice(d, left, right, panel, panels);
    // The lamp arm at the top, braced back to the mast.
    const int top = panels * panel;
    add(d, right, top, right + 3, top);
    add(d, right, top - panel, right + 3, top);

    // Light members keep the joint forces under gravity near 2200, below the threshold;
    // once a quake lifts them above it the brittle joints give way within a few frames.
    d.density = 0.5f;
    d.accumulativeLimit = 2000.0f;
    d.threshold = 4000.0f;
    d.duration = 6.0f;
    d.magnitude = 5.0f;
    d.epicenter = {0.0f, 0.0f};
    return d;
}
