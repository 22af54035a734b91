#pragma once
// How a Design is laid out in cereal's binary archives. The order of the fields is the
// file format: a design file is exactly what these functions write.
#include <cereal/cereal.hpp>
#include <cereal/types/string.hpp>
#include <cereal/types/vector.hpp>

#include "physics/structure.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "Design files are little-endian and cereal's binary archives write the native order"
#endif

template <class Archive>
void serialize(Archive& archive, Vector2& v) {
    archive(v.x, v.y);
}

template <class Archive>
void serialize(Archive& archive, Line& line) {
    archive(line.start, line.end);
}

template <class Archive>
void serialize(Archive& archive, Design& design) {
    archive(design.lines, design.name, design.density, design.accumulativeLimit, design.threshold,
            design.duration, design.magnitude, design.epicenter);
}
