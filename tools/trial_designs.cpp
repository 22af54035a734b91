// The trial designs, drawn on the editor's grid like the presets: point (c, r) is
// x = 10 c, y = -20 - 10 r, so row 0 lies on the ground and is pinned when built.
#include "tools/trial_designs.h"

#include "tools/preset_designs.h"

namespace {

void add(Design& d, int c1, int r1, int c2, int r2) { addGridLine(d, c1, r1, c2, r2); }

// A design with the house's material and quake settings and no lines yet.
Design named(const std::string& name) {
    Design d = hausePreset();
    d.lines.clear();
    d.name = name;
    return d;
}

// One storey of 4 m by 3 m: posts at columns left and left + 4, the beam on top, and a
// diagonal brace from the lower left corner when braced.
Design portal(const std::string& name, bool braced) {
    Design d = named(name);
    add(d, 10, 0, 10, 3);
    add(d, 14, 0, 14, 3);
    add(d, 10, 3, 14, 3);
    if (braced) add(d, 10, 0, 14, 3);
    return d;
}

Design twoBays() {
    Design d = named("two_bays_braced");
    for (int c : {5, 9, 13}) add(d, c, 0, c, 3);
    add(d, 5, 3, 9, 3);
    add(d, 9, 3, 13, 3);
    add(d, 5, 0, 9, 3);
    add(d, 13, 0, 9, 3);
    return d;
}

// Three storeys of 3 m, two bays of 4 m; each beam is two members meeting at mid-bay,
// where a storey's chevron braces (an inverted V from the bay's lower corners) meet it.
Design threeStoreys(const std::string& name, bool groundBraced, bool upperBraced) {
    Design d = named(name);
    const int columns[] = {10, 14, 18};
    for (int storey = 0; storey < 3; ++storey) {
        const int low = 3 * storey;
        const int high = low + 3;
        for (int c : columns) add(d, c, low, c, high);
        for (int bay = 0; bay < 2; ++bay) {
            const int left = columns[bay];
            const int middle = left + 2;
            const int right = left + 4;
            add(d, left, high, middle, high);
            add(d, middle, high, right, high);
            if (storey == 0 ? groundBraced : upperBraced) {
                add(d, left, low, middle, high);
                add(d, right, low, middle, high);
            }
        }
    }
    return d;
}

// A lattice tower 3 m wide and 20 m tall: five panels of 4 m with a strut on top of each
// and one diagonal, zigzagging up.
Design tower() {
    Design d = named("tower_20m");
    addLattice(d, 30, 33, 4, 5);
    return d;
}

// A Pratt truss 20 m long and 4 m deep whose ends rest on two braced piers 2 m wide and
// 4 m tall.
Design bridge() {
    Design d = named("bridge_20m");
    const int from = 10;
    const int to = 30;
    for (int pier : {from, to - 2}) {
        add(d, pier, 0, pier, 4);
        add(d, pier + 2, 0, pier + 2, 4);
        add(d, pier, 0, pier + 2, 4);
    }
    const int middle = (from + to) / 2;
    for (int c = from; c < to; c += 2) {
        add(d, c, 4, c + 2, 4);  // bottom chord
        add(d, c, 8, c + 2, 8);  // top chord
        // Diagonals fall towards mid-span.
        if (c < middle) {
            add(d, c, 8, c + 2, 4);
        } else {
            add(d, c, 4, c + 2, 8);
        }
    }
    for (int c = from; c <= to; c += 2) add(d, c, 4, c, 8);
    return d;
}

// A bare frame of one 4 m bay for moment connections: `storeys` storeys `height` m tall,
// posts and beams only. With pins it is a mechanism and folds.
Design bareFrame(const std::string& name, int storeys, int height) {
    Design d = named(name);
    for (int storey = 0; storey < storeys; ++storey) {
        const int low = height * storey;
        const int high = low + height;
        add(d, 10, low, 10, high);
        add(d, 14, low, 14, high);
        add(d, 10, high, 14, high);
    }
    return d;
}

bool slanted(const Line& l) { return l.start.x != l.end.x && l.start.y != l.end.y; }

// The house less its four storey braces; the roof truss stays.
Design hauseUnbraced() {
    Design d = hausePreset();
    const float roofBase = -80.0f;  // row 6
    std::vector<Line> kept;
    for (const Line& l : d.lines) {
        if (!(slanted(l) && l.start.y >= roofBase && l.end.y >= roofBase)) kept.push_back(l);
    }
    d.lines = kept;
    d.name = "hause_unbraced";
    return d;
}

}  // namespace

std::vector<TrialDesign> trialDesigns() {
    return {
        {portal("portal_braced", true), true},
        {portal("portal_unbraced", false), false},
        {twoBays(), true},
        {threeStoreys("three_storeys_braced", true, true), true},
        {threeStoreys("three_storeys_soft", false, true), false},
        {threeStoreys("three_storeys_ground_braced", true, false), false},
        {tower(), true},
        {bridge(), true},
        {hausePreset(), true},
        {hauseUnbraced(), false},
        {lightafPreset(), true},
        {bareFrame("moment_frame_1storey", 1, 4), false},
        {bareFrame("moment_frame_3storeys", 3, 4), false},
    };
}

std::vector<TrialPair> trialPairs() {
    return {
        {"portal_braced", "portal_unbraced"},
        {"three_storeys_braced", "three_storeys_soft"},
        {"three_storeys_braced", "three_storeys_ground_braced"},
        {"hause", "hause_unbraced"},
    };
}

Design trialDesign(const std::string& name) {
    for (const TrialDesign& t : trialDesigns()) {
        if (t.design.name == name) return t.design;
    }
    return named(name);
}
