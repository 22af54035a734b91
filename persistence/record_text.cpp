#include "persistence/record_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdio>
#include <system_error>

LineReader::LineReader(std::string_view text) : rest_(text) {
    if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
}

bool LineReader::next(std::string_view& line) {
    if (done_) return false;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
        done_ = true;
        if (rest_.empty()) return false;
        line = rest_;
    } else {
        line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return true;
}

bool nextToken(std::string_view& rest, std::string_view separators, std::string_view& token) {
    const std::size_t begin = rest.find_first_not_of(separators);
    if (begin == std::string_view::npos) {
        rest = {};
        return false;
    }
    const std::size_t end = std::min(rest.size(), rest.find_first_of(separators, begin));
    token = rest.substr(begin, end - begin);
    rest.remove_prefix(end);
    return true;
}

std::vector<std::string_view> splitTokens(std::string_view line, std::string_view separators, std::size_t most) {
    std::vector<std::string_view> tokens;
    std::string_view token;
    while (tokens.size() < most && nextToken(line, separators, token)) tokens.push_back(token);
    return tokens;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool parseNumber(std::string_view token, double& out) {
    if (token.empty() || token.size() > 64) return false;
    std::string text(token);
    if (text[0] == '+') text.erase(0, 1);
    for (char& c : text) {
        if (c == 'D' || c == 'd') c = 'E';  // Fortran's double-precision exponent
    }
    const char* end = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), end, out, std::chars_format::general);
    if (r.ptr != end || text.empty()) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Too large reads as infinity, too small as zero.
        const bool negative = text[0] == '-';
        const bool huge = text.find_first_of("Ee") == std::string::npos || text[text.find_first_of("Ee") + 1] != '-';
        out = huge ? (negative ? -1.0 : 1.0) * std::numeric_limits<double>::infinity() : 0.0;
        return true;
    }
    return r.ec == std::errc();
}

std::string quoted(std::string_view token) {
    constexpr std::size_t SHOWN = 40;
    if (token.size() <= SHOWN) return "\"" + std::string(token) + "\"";
    return "\"" + std::string(token.substr(0, SHOWN)) + "...\"";
}

std::string atLine(std::size_t line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

std::string accelerationProblem(double g, std::string_view token) {
    if (!std::isfinite(g)) return "the acceleration " + quoted(token) + " is not a finite number";
    if (std::fabs(g) > MAX_RECORD_G) {
        return "the acceleration " + quoted(token) + " is beyond the " + std::to_string(int(MAX_RECORD_G)) +
               " g a record may reach";
    }
    return "";
}

namespace {

std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

std::string stepProblem(double dt) {
    if (std::isnormal(dt) && dt > 0.0) return "";
    return "the time step " + shortNumber(dt) + " s is not a positive number of seconds (zero, subnormal, infinite and " +
           "not-a-number steps are refused)";
}

std::string lengthProblem(double points, double dt) {
    if (!(points >= 2.0)) return "a record needs at least two points, to give its time step";
    const double seconds = (points - 1.0) * dt;
    if (!(seconds <= MAX_RECORD_SECONDS)) {
        return "the record would last " + shortNumber(seconds) + " s; a record lasts at most " +
               shortNumber(MAX_RECORD_SECONDS) + " s";
    }
    return "";
}

std::string blankRunProblem(bool blank, std::size_t& run) {
    run = blank ? run + 1 : 0;
    if (run <= MAX_BLANK_LINES) return "";
    return "more than " + std::to_string(MAX_BLANK_LINES) + " blank lines in a row";
}

AccelerogramRead refusedRead(const std::string& message) { return {false, {}, message}; }
