#include "quake/scaled_motion.h"

#include <cmath>
#include <utility>
#include <vector>

GroundMotion scaledToPeak(const GroundMotion& motion, double peakG) {
    if (!(motion.peakG > 0.0) || !std::isfinite(peakG) || !(peakG > 0.0)) return motion;
    const double factor = peakG / motion.peakG;
    std::vector<double> scaled(motion.accelerationG.size());
    for (std::size_t i = 0; i < scaled.size(); ++i) scaled[i] = motion.accelerationG[i] * factor;
    return integratedMotion(std::move(scaled), motion.dt);
}
