#include "quake/quake_seed.h"

#include <cctype>

namespace {

constexpr std::uint64_t BASE = 2u * OFFSET_RANGE + 1u;

std::uint64_t digitOf(std::int32_t offset) {
    // A source that strays out of range is held at its edge rather than spilling into
    // the neighbouring digit.
    if (offset < -OFFSET_RANGE) offset = -OFFSET_RANGE;
    if (offset > OFFSET_RANGE) offset = OFFSET_RANGE;
    return static_cast<std::uint64_t>(offset + OFFSET_RANGE);
}

std::int32_t offsetOf(std::uint64_t digit) { return static_cast<std::int32_t>(digit) - OFFSET_RANGE; }

}  // namespace

const std::uint64_t MAX_SEED_NUMBER = (static_cast<std::uint64_t>(UINT32_MAX) * BASE + (BASE - 1)) * BASE + (BASE - 1);

std::uint64_t seedNumber(const QuakeSeed& seed) {
    return (static_cast<std::uint64_t>(seed.noise) * BASE + digitOf(seed.offsetX)) * BASE + digitOf(seed.offsetY);
}

QuakeSeed seedOfNumber(std::uint64_t number) {
    if (number > MAX_SEED_NUMBER) number = MAX_SEED_NUMBER;
    QuakeSeed seed;
    seed.offsetY = offsetOf(number % BASE);
    number /= BASE;
    seed.offsetX = offsetOf(number % BASE);
    seed.noise = static_cast<std::uint32_t>(number / BASE);
    return seed;
}

std::optional<QuakeSeed> parseSeed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    if (begin == end) return std::nullopt;
    std::uint64_t number = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c)) return std::nullopt;
        const std::uint64_t digit = c - '0';
        if (number > (MAX_SEED_NUMBER - digit) / 10) return std::nullopt;
        number = number * 10 + digit;
    }
    return seedOfNumber(number);
}
