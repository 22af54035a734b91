#pragma once
// Pieces shared by the accelerogram readers: lines, tokens, numbers and the limits every
// record must keep.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "persistence/accelerogram_file.h"

// The most points a record may hold, and the largest |acceleration| it may reach.
inline constexpr std::size_t MAX_RECORD_POINTS = 1000000;
inline constexpr double MAX_RECORD_G = 10.0;
// The longest record, first point to last: an hour, far beyond any real quake's shaking
// (a great one shakes for minutes); a longer one is a wrong time step.
inline constexpr double MAX_RECORD_SECONDS = 3600.0;
// Blank lines in a row a record may hold: a file of blank lines is refused after its
// first ones instead of being read to its end.
inline constexpr std::size_t MAX_BLANK_LINES = 100;

// The lines of a text one by one, without their "\r\n" or "\n" and without a leading
// UTF-8 byte-order mark; number() is the line's number, from 1.
class LineReader {
public:
    explicit LineReader(std::string_view text);
    bool next(std::string_view& line);
    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    bool done_ = false;
    std::size_t number_ = 0;
};

// Takes the next piece of rest between any of the separator characters into token, empty
// pieces skipped; false when none is left.
bool nextToken(std::string_view& rest, std::string_view separators, std::string_view& token);
// The first pieces of a line, at most `most` of them.
std::vector<std::string_view> splitTokens(std::string_view line, std::string_view separators, std::size_t most);
// The line without spaces and tabs at either end.
std::string_view trimmed(std::string_view text);
// A decimal number, whole token, as C or Fortran writes it ("-.123456E-02", "+1.5D+00");
// one too large to hold reads as infinity. False when the token is not a number.
bool parseNumber(std::string_view token, double& out);
// The token in quotes for a message, cut short when long.
std::string quoted(std::string_view token);
// "line N: " before what is wrong there.
std::string atLine(std::size_t line, const std::string& what);
// Why a time step in seconds may not be used ("" when it may): it must be a normal
// positive number, neither zero, subnormal, infinite nor not a number.
std::string stepProblem(double dt);
// Why a record of `points` points `dt` apart may not be used ("" when it may): at least
// two points, lasting at most MAX_RECORD_SECONDS.
std::string lengthProblem(double points, double dt);
// Counts the blank lines in a row; why the latest one is one too many ("" while not).
std::string blankRunProblem(bool blank, std::size_t& run);
// Why an acceleration value may not be used ("" when it may): not finite or over 10 g.
std::string accelerationProblem(double g, std::string_view token);
// A read that refuses, with its message.
AccelerogramRead refusedRead(const std::string& message);
