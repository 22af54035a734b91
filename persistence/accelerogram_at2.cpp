// PEER strong-motion .AT2 files: four header lines, the fourth giving NPTS and DT, then
// the accelerations in g, several to a line.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "persistence/accelerogram_file.h"
#include "persistence/record_text.h"

namespace {

const char* const HEADER_EXAMPLE = "as \"NPTS=  5000, DT=   .0050 SEC\" or \"5000   .0050   NPTS, DT\"";

std::string upper(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The token after "KEY=" (spaces allowed around "="), where KEY is not the end of a longer word.
bool valueAfterKey(const std::string& line, const std::string& key, std::string_view& value) {
    for (std::size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + 1)) {
        if (at > 0 && std::isalpha(static_cast<unsigned char>(line[at - 1]))) continue;
        std::size_t p = line.find_first_not_of(" \t", at + key.size());
        if (p == std::string::npos || line[p] != '=') continue;
        p = line.find_first_not_of(" \t", p + 1);
        if (p == std::string::npos) return false;
        const std::size_t end = std::min(line.size(), line.find_first_of(" \t,;", p));
        value = std::string_view(line).substr(p, end - p);
        return true;
    }
    return false;
}

// NPTS and DT from the fourth line, or why they cannot be had.
std::string readCounts(std::string_view raw, double& npts, double& dt) {
    const std::string line = upper(raw);
    const std::size_t nptsAt = line.find("NPTS");
    const std::size_t dtAt = line.find("DT");
    if (nptsAt == std::string::npos || dtAt == std::string::npos) {
        return "the fourth header line should give NPTS and DT, " + std::string(HEADER_EXAMPLE);
    }
    std::string_view nptsText, dtText;
    if (line.find('=') != std::string::npos) {
        if (!valueAfterKey(line, "NPTS", nptsText) || !valueAfterKey(line, "DT", dtText)) {
            return "the fourth header line should give NPTS= and DT=, " + std::string(HEADER_EXAMPLE);
        }
    } else {
        // The older layout: the two numbers first, then their labels in the same order.
        const std::vector<std::string_view> tokens = splitTokens(line, " \t,", 2);
        if (tokens.size() < 2) return "the fourth header line should give NPTS and DT, " + std::string(HEADER_EXAMPLE);
        nptsText = tokens[nptsAt < dtAt ? 0 : 1];
        dtText = tokens[nptsAt < dtAt ? 1 : 0];
    }
    if (!parseNumber(nptsText, npts)) return "NPTS " + quoted(nptsText) + " is not a number";
    if (!parseNumber(dtText, dt)) return "DT " + quoted(dtText) + " is not a number";
    if (!(npts >= 1.0) || npts != std::floor(npts)) return "NPTS " + quoted(nptsText) + " is not a count of points";
    if (npts > static_cast<double>(MAX_RECORD_POINTS)) {
        return "NPTS " + quoted(nptsText) + " is over the 1000000 points a record may hold";
    }
    std::string problem = stepProblem(dt);
    if (problem.empty()) problem = lengthProblem(npts, dt);
    return problem;
}

// Why the third header line shows this is not an acceleration in g ("" when it may be).
std::string kindProblem(std::string_view raw) {
    const std::string line = upper(raw);
    if (line.find("VELOCITY") != std::string::npos || line.find("DISPLACEMENT") != std::string::npos) {
        return "the file holds a velocity or displacement history, not accelerations";
    }
    const std::size_t units = line.find("UNITS OF ");
    if (units != std::string::npos) {
        const std::vector<std::string_view> rest = splitTokens(std::string_view(line).substr(units + 9), " \t,.", 1);
        if (!rest.empty() && rest[0] != "G") return "the accelerations are in " + quoted(rest[0]) + ", not in g";
    }
    return "";
}

}  // namespace

AccelerogramRead readAt2Text(const std::string& text, bool complete) {
    LineReader lines(text);
    std::string_view header[4];
    for (std::string_view& line : header) {
        if (lines.next(line)) continue;
        if (!complete) return {true, {}, ""};
        return refusedRead("the file ends within its four header lines");
    }
    std::string problem = kindProblem(header[2]);
    if (!problem.empty()) return refusedRead(atLine(3, problem));
    double npts = 0.0, dt = 0.0;
    problem = readCounts(header[3], npts, dt);
    if (!problem.empty()) return refusedRead(atLine(4, problem));

    const std::size_t expected = static_cast<std::size_t>(npts);
    Accelerogram record;
    record.dt = dt;
    record.accelerationG.reserve(expected);
    std::string_view line;
    std::size_t blankRun = 0;
    while (lines.next(line)) {
        problem = blankRunProblem(trimmed(line).empty(), blankRun);
        if (!problem.empty()) return refusedRead(atLine(lines.number(), problem));
        std::string_view token;
        while (nextToken(line, " \t", token)) {
            double g = 0.0;
            if (!parseNumber(token, g)) return refusedRead(atLine(lines.number(), quoted(token) + " is not a number"));
            problem = accelerationProblem(g, token);
            if (!problem.empty()) return refusedRead(atLine(lines.number(), problem));
            if (record.accelerationG.size() == expected) {
                return refusedRead(atLine(lines.number(), "more values than NPTS = " + std::to_string(expected)));
            }
            record.accelerationG.push_back(g);
        }
    }
    if (complete && record.accelerationG.size() != expected) {
        return refusedRead("the file holds " + std::to_string(record.accelerationG.size()) + " values but NPTS = " +
                           std::to_string(expected));
    }
    return {true, std::move(record), ""};
}
