#pragma once
// The lognormal fragility curve of a sweep: the chance of collapse at intensity x is
// Phi(ln(x / median) / beta), fitted to the number of runs that collapsed at each level
// by maximum likelihood on their binomial outcomes (Baker 2015, "Efficient analytical
// fragility function fitting using dynamic structural analysis", Earthquake Spectra
// 31(1), eq. 11).
#include <string>
#include <vector>

struct FragilityLevel {
    double intensity = 0.0;  // positive: a PGA in g, or a magnitude
    int runs = 0;
    int collapsed = 0;
};

struct FragilityFit {
    bool fitted = false;
    double median = 0.0;  // theta, in the intensity's own unit
    double beta = 0.0;    // the dispersion: the standard deviation of ln(capacity)
    std::string reason;   // why there is no fit, when there is none
};

// How a reason names the outcome counted in FragilityLevel::collapsed: collapse by
// default, or reaching a damage state ("reached Moderate", "stayed below it", "reaching
// Moderate").
struct FragilityEvent {
    std::string happened = "collapsed";
    std::string didNot = "stood";
    std::string noun = "collapse";
};

// The maximum-likelihood fit, or the reason the outcomes cannot give one: no run or
// every run collapsed, the outcomes change from none to all collapsed between two levels
// with no run in between (any beta down to 0 fits them), or collapse does not grow with
// intensity.
FragilityFit fitLognormalFragility(const std::vector<FragilityLevel>& levels, const FragilityEvent& event = {});

// Phi, the standard normal distribution function.
double standardNormalCdf(double z);
