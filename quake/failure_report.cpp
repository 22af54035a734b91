#include "quake/failure_report.h"

#include <cmath>
#include <cstdio>

#include "physics/engine/b2layer.h"
#include "physics/time_step.h"
#include "physics/units.h"

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

unsigned long long count(std::size_t n) { return static_cast<unsigned long long>(n); }

}  // namespace

FailureReport startReport(const Simulation& sim) {
    FailureReport report;
    report.jointsBuilt = sim.jointRecords.size();
    return report;
}

void noteQuakeStart(FailureReport& report) {
    report.quakeStarted = true;
    report.quakeRunning = true;
    report.quakeStartSeconds = report.simulatedSeconds;
    report.brokenAtQuakeStart = report.jointsBroken;
    report.quakeHasBreak = false;
}

void noteFrame(FailureReport& report, const Simulation& sim, const QuakeState& quake, const FrameOutcome& outcome) {
    // Joints break in the load check, before the frame's step: at the time reached so far.
    const double sinceQuake = report.simulatedSeconds - report.quakeStartSeconds;
    if (!sim.brokenThisFrame.empty()) {
        if (!report.hasFirstBreak) {
            report.hasFirstBreak = true;
            report.firstBreakPoint = sim.brokenThisFrame.front().point;
            report.firstBreakInQuake = report.quakeStarted;
            report.firstBreakSeconds = report.quakeStarted ? sinceQuake : report.simulatedSeconds;
        }
        if (report.quakeRunning && !report.quakeHasBreak) {
            report.quakeHasBreak = true;
            report.quakeFirstBreakSeconds = sinceQuake;
        }
        report.jointsBroken += sim.brokenThisFrame.size();
    }
    if (outcome.quakeStepped) {
        const float mean = std::hypot(quake.lastMean.x, quake.lastMean.y);
        if (mean > report.peakMeanForce) report.peakMeanForce = mean;
    }
    report.groundModel = quake.ground.model == QuakeModel::GroundMotion;
    if (outcome.stepped && quake.groundRun.moving) {
        for (const JointRecord& record : sim.jointRecords) {
            if (record.jointSlot >= sim.jointSlots.size() || !isLive(sim.jointSlots[record.jointSlot])) continue;
            const double kN = kilonewtonsFromEngineForce(record.force);
            if (kN > report.peakJointForceKN) report.peakJointForceKN = kN;
        }
    }
    if (outcome.stepped) report.simulatedSeconds += STEP_SECONDS;
    if (outcome.quakeEnded && report.quakeRunning) {
        const std::size_t broke = report.jointsBroken - report.brokenAtQuakeStart;
        report.quakeSummary = format("Quake over: %llu of %llu joints broke", count(broke), count(report.jointsBuilt));
        if (report.quakeHasBreak) report.quakeSummary += format(", the first at %.2f s", report.quakeFirstBreakSeconds);
        report.quakeRunning = false;
    }
}

std::string firstBreakText(const FailureReport& report) {
    if (!report.hasFirstBreak) return "First break: none yet";
    return format(report.firstBreakInQuake ? "First break: %.2f s into the quake" : "First break: %.2f s after F",
                  report.firstBreakSeconds);
}

std::string jointsBrokenText(const FailureReport& report) {
    return format("Joints broken: %llu of %llu", count(report.jointsBroken), count(report.jointsBuilt));
}

std::string peakForceText(const FailureReport& report) {
    if (report.groundModel) return format("Largest joint force: %.1f kN", report.peakJointForceKN);
    return format("Largest mean force: %.0f N", static_cast<double>(report.peakMeanForce));
}
