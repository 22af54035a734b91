#include "app/frame_log.h"

#include <cstdio>

bool countFrame(FrameCounter& counter, double now, const FrameFacts& facts, std::string& line) {
    if (counter.spanStart < 0.0) {
        counter = FrameCounter{now, 0, facts.worldSteps};
        return false;
    }
    ++counter.frames;
    const double span = now - counter.spanStart;
    if (span < 1.0) return false;
    char text[192];
    std::snprintf(text, sizeof text, "time %.3f frames %llu steps %llu span %.3f members %zu joints %zu awake %zu\n", now,
                  static_cast<unsigned long long>(counter.frames),
                  static_cast<unsigned long long>(facts.worldSteps - counter.stepsAtStart), span, facts.members,
                  facts.joints, facts.awake);
    line = text;
    counter = FrameCounter{now, 0, facts.worldSteps};
    return true;
}
