// libFuzzer target for the record readers: any text is either refused with a message
// and an empty record, or read into a record that every later step can use: a normal
// positive time step, two to a million points lasting at most an hour, and finite
// accelerations within the bound. Every input goes through both readers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "persistence/accelerogram_file.h"
#include "persistence/record_text.h"

namespace {

void check(const AccelerogramRead& read) {
    const Accelerogram& r = read.record;
    if (!read.ok) {
        if (read.message.empty() || !r.accelerationG.empty()) std::abort();
        return;
    }
    const std::size_t n = r.accelerationG.size();
    if (!read.message.empty() || n < 2 || n > MAX_RECORD_POINTS) std::abort();
    if (!std::isnormal(r.dt) || r.dt <= 0.0) std::abort();
    // Within rounding: the CSV's step is its length over its steps.
    if (!(r.dt * static_cast<double>(n - 1) <= MAX_RECORD_SECONDS * (1.0 + 1e-9))) std::abort();
    for (double g : r.accelerationG) {
        if (!std::isfinite(g) || std::fabs(g) > MAX_RECORD_G) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    check(readAt2Text(text));
    check(readAccelerogramCsvText(text));
    return 0;
}
