#include "quake/quake.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "physics/build_limits.h"
#include "physics/engine/b2layer.h"
#include "physics/units.h"
#include "quake/ground_quake.h"

namespace {

constexpr int CONTACT_CAPACITY = 2000;
constexpr float UNITS_PER_KM = static_cast<float>(unitsFromMetres(1000.0));
constexpr float ATTENUATION_PER_KM = 0.0657f;

// Contacts of one beam, reused for every beam of every step.
b2ContactData contactScratch[CONTACT_CAPACITY];

// An amplitude that is not a number (for instance an epicenter that is not one, or an
// infinitely far epicenter of an infinitely strong quake) pushes nothing; one past the
// bound (infinity included) saturates at the bound.
float boundedAmplitude(float a) {
    if (std::isnan(a)) return 0.0f;
    return a > QUAKE_FORCE_LIMIT ? QUAKE_FORCE_LIMIT : a;
}

float boundedForce(float f) {
    if (std::isnan(f)) return 0.0f;
    if (f > QUAKE_FORCE_LIMIT) return QUAKE_FORCE_LIMIT;
    if (f < -QUAKE_FORCE_LIMIT) return -QUAKE_FORCE_LIMIT;
    return f;
}

// The linear map of a sample n in [-1, 1] onto [-a, a], evaluated in this order.
float scaleSample(float n, float a) { return (n - (-1.0f)) * 0.5f * (a - (-a)) + (-a); }

bool touchesGround(b2BodyId body, b2BodyId groundBody) {
    if (!isLive(body) || !isLive(groundBody)) return false;
    b2ShapeId beamShape{};
    b2ShapeId groundShape{};
    if (b2Body_GetShapes(body, &beamShape, 1) < 1) return false;
    if (b2Body_GetShapes(groundBody, &groundShape, 1) < 1) return false;
    const int count = b2Body_GetContactData(body, contactScratch, CONTACT_CAPACITY);
    for (int i = 0; i < count; ++i) {
        const b2ContactData& c = contactScratch[i];
        if ((c.shapeIdA == beamShape && c.shapeIdB == groundShape) ||
            (c.shapeIdA == groundShape && c.shapeIdB == beamShape)) {
            return true;
        }
    }
    return false;
}

std::uint32_t seedFromTime(double timeSeconds) {
    // Seconds truncated toward zero to 64 bits, of which the low 32 are kept.
    if (!std::isfinite(timeSeconds) || std::fabs(timeSeconds) >= 9.2e18) return 0u;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(timeSeconds));
}

void applyQuakeSeed(QuakeState& quake, const QuakeSeed& seed) {
    reseed(quake.noise, seed.noise);
    quake.noiseOffsetX = static_cast<float>(seed.offsetX);
    quake.noiseOffsetY = static_cast<float>(seed.offsetY);
    quake.seed = seed;
    quake.hasSeed = true;
}

}  // namespace

QuakeSeed drawQuakeSeed(double timeSeconds, const RandomInt& randomInt) {
    QuakeSeed seed;
    seed.noise = seedFromTime(timeSeconds);
    seed.offsetX = randomInt(-OFFSET_RANGE, OFFSET_RANGE);
    seed.offsetY = randomInt(-OFFSET_RANGE, OFFSET_RANGE);
    return seed;
}

std::string magnitudeProblem(float magnitude) {
    if (std::isfinite(magnitude) && magnitude >= 0.0f) return "";
    return "a magnitude of " + shownNumber(magnitude) + " cannot shake anything (it must be a number of at least 0)";
}

std::string durationProblem(float duration) {
    if (duration >= 0.0f && duration <= MAX_QUAKE_SECONDS) return "";
    return "the duration " + shownNumber(duration) + " s is outside 0 to " + shownNumber(MAX_QUAKE_SECONDS) + " s";
}

std::string epicenterProblem(Vector2 epicenter) {
    for (const auto& [name, km] : {std::pair{"x", epicenter.x}, std::pair{"y", epicenter.y}}) {
        if (!(std::fabs(km) <= MAX_EPICENTER_KM)) {
            return std::string("the epicenter ") + name + " " + shownNumber(km) + " km is not a number from -" +
                   shownNumber(MAX_EPICENTER_KM) + " to " + shownNumber(MAX_EPICENTER_KM) + " km";
        }
    }
    return "";
}

void startGroundMotion(QuakeState& quake, double timeSeconds, const RandomInt& randomInt) {
    applyQuakeSeed(quake, drawQuakeSeed(timeSeconds, randomInt));
}

void advanceGroundMotion(QuakeState& quake) {
    const double delta = static_cast<double>(quake.magnitude) * 0.001;
    quake.noiseOffsetX = static_cast<float>(static_cast<double>(quake.noiseOffsetX) + delta);
    quake.noiseOffsetY = static_cast<float>(static_cast<double>(quake.noiseOffsetY) + delta);
}

void startQuake(QuakeState& quake, double timeSeconds, const RandomInt& randomInt) {
    startQuakeWithSeed(quake, drawQuakeSeed(timeSeconds, randomInt));
}

void startQuakeWithSeed(QuakeState& quake, const QuakeSeed& seed) {
    if (quake.ground.model == QuakeModel::GroundMotion) {
        startGroundQuake(quake, seed);
        return;
    }
    stopGroundQuake(quake);
    applyQuakeSeed(quake, seed);
    erase(quake.graphX);
    erase(quake.graphY);
    quake.active = true;
}

void stepQuake(QuakeState& quake, std::vector<Beam>& beams, float frameTime) {
    // A running ground motion goes with the world's steps (see ground_quake.h), whichever
    // model is chosen now.
    if (!quake.active || quake.groundRun.moving) return;

    float sumX = 0.0f;
    float sumY = 0.0f;
    std::int32_t counter = 0;
    quake.lastAmplitude = Vector2{0.0f, 0.0f};

    advanceGroundMotion(quake);

    quake.elapsed += frameTime;
    // Written so that a duration that is not a number ends the quake like one of 0.
    if (!(quake.elapsed <= quake.duration)) {
        quake.elapsed = 0.0f;
        quake.active = false;
    }

    const float nX = static_cast<float>(sample(quake.noise, static_cast<double>(quake.noiseOffsetX), NOISE_Y, NOISE_Z));
    const float nY = static_cast<float>(sample(quake.noise, static_cast<double>(quake.noiseOffsetY), NOISE_Y, NOISE_Z));
    const float base = sqrtf(powf(10.0f, quake.magnitude * 1.44f + 5.24f));

    for (Beam& beam : beams) {
        const float mx = (beam.line.end.x + beam.line.start.x) * 0.5f;
        const float my = (beam.line.end.y + beam.line.start.y) * 0.5f;
        const float dx = mx - UNITS_PER_KM * quake.epicenter.x;
        const float dy = my - UNITS_PER_KM * quake.epicenter.y;
        const float d = sqrtf(dy * dy + dx * dx);
        const float attenuation = expf(-(d / UNITS_PER_KM * ATTENUATION_PER_KM));
        const float a = boundedAmplitude(attenuation * base);

        const float theta = atan2f(dy, dx);
        float ax = cosf(theta) * a;
        float ay = sinf(theta) * a;
        if (std::isnan(ax)) ax = 0.0f;
        if (std::isnan(ay)) ay = 0.0f;
        quake.lastAmplitude = Vector2{ax, ay};

        const float fx = boundedForce(scaleSample(nX, ax));
        const float fy = boundedForce(scaleSample(nY, ay));
        sumX += fx;
        sumY += fy;

        if (isLive(beam.body) && (beam.pinned || touchesGround(beam.body, quake.groundBody))) {
            b2Body_ApplyForceToCenter(beam.body, b2Vec2{fx, fy}, true);
        }
        counter += 1;
    }

    // No beams: nothing pushed, recorded as a mean of 0.
    float meanX = counter > 0 ? sumX / static_cast<float>(counter) : 0.0f;
    float meanY = counter > 0 ? sumY / static_cast<float>(counter) : 0.0f;
    if (!std::isfinite(meanX)) meanX = 0.0f;
    if (!std::isfinite(meanY)) meanY = 0.0f;
    quake.lastMean = Vector2{meanX, meanY};
    addPoint(quake.graphX, quake.elapsed, meanX);
    addPoint(quake.graphY, quake.elapsed, meanY);
}
