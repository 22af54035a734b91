// libFuzzer target for the design-file decoder: any byte string is either refused with
// a reason and no change, or accepted and then encodes back to exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "persistence/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Design out;
    out.name = "untouched";
    std::string reason;
    if (decodeDesign(bytes, out, reason)) {
        if (!reason.empty() || encodeDesign(out) != bytes) std::abort();
    } else if (reason.empty() || out.name != "untouched" || !out.lines.empty()) {
        std::abort();
    }
    return 0;
}
