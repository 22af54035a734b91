// Two-column CSV accelerograms: time in s and acceleration in g, an optional header line
// of words, the times a constant step apart.
#include <algorithm>
#include <cmath>

#include "persistence/accelerogram_file.h"
#include "persistence/record_text.h"

namespace {

// How far a step may stray from the first one, as a part of it: times written with few
// digits (or as floats) round each step a little.
constexpr double STEP_TOLERANCE = 1e-3;

}  // namespace

AccelerogramRead readAccelerogramCsvText(const std::string& text, bool complete) {
    LineReader lines(text);
    std::string_view line;
    Accelerogram record;
    double firstTime = 0.0, lastTime = 0.0;
    bool first = true;
    double step = 0.0;
    std::size_t blankRun = 0;
    while (lines.next(line)) {
        const bool blank = trimmed(line).empty();
        const std::string blanks = blankRunProblem(blank, blankRun);
        if (!blanks.empty()) return refusedRead(atLine(lines.number(), blanks));
        if (blank) continue;
        const std::size_t comma = line.find(',');
        const std::string_view timeText = trimmed(line.substr(0, comma));
        double t = 0.0, g = 0.0;
        const bool timeIsNumber = parseNumber(timeText, t);
        if (first && !timeIsNumber) {  // a header of words
            first = false;
            continue;
        }
        first = false;
        const std::size_t at = lines.number();
        const std::size_t columns = std::count(line.begin(), line.end(), ',') + 1;
        if (columns != 2) {
            const std::string count = columns == 1 ? "one column" : std::to_string(columns) + " columns";
            return refusedRead(atLine(at, count + "; a row holds two, time,acceleration"));
        }
        const std::string_view gText = trimmed(line.substr(comma + 1));
        if (!timeIsNumber) return refusedRead(atLine(at, "the time " + quoted(timeText) + " is not a number"));
        if (!std::isfinite(t)) return refusedRead(atLine(at, "the time " + quoted(timeText) + " is not finite"));
        if (!parseNumber(gText, g)) return refusedRead(atLine(at, "the acceleration " + quoted(gText) + " is not a number"));
        std::string problem = accelerationProblem(g, gText);
        if (!problem.empty()) return refusedRead(atLine(at, problem));
        const std::size_t count = record.accelerationG.size();
        if (count == MAX_RECORD_POINTS) return refusedRead(atLine(at, "over the 1000000 rows a record may hold"));

        if (count == 0) {
            firstTime = t;
        } else if (count == 1) {
            step = t - firstTime;
            if (!(step > 0.0)) return refusedRead(atLine(at, "the time does not advance"));
            problem = stepProblem(step);
            if (!problem.empty()) return refusedRead(atLine(at, problem));
        } else if (!(std::fabs(t - lastTime - step) <= STEP_TOLERANCE * step)) {
            return refusedRead(atLine(at, "the time step changes (" + std::to_string(t - lastTime) + " s after " +
                                              std::to_string(step) + " s); steps must be equal"));
        }
        if (count > 0) {
            const double steps = static_cast<double>(count);
            problem = lengthProblem(steps + 1.0, (t - firstTime) / steps);
            if (!problem.empty()) return refusedRead(atLine(at, problem));
        }
        lastTime = t;
        record.accelerationG.push_back(g);
    }
    const std::size_t count = record.accelerationG.size();
    if (!complete) return {true, std::move(record), ""};
    if (count < 2) return refusedRead("a record needs at least two rows, to give its time step");
    record.dt = (lastTime - firstTime) / static_cast<double>(count - 1);
    return {true, std::move(record), ""};
}
