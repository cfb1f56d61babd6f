// SPDX-License-Identifier: MIT
#include "values/filters.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <random>

namespace values {

namespace {

// The prototype's sections at s (rad/s over the corner), unity at DC.
std::complex<double> prototypeAt(const std::vector<PoleSection>& sections, std::complex<double> s)
{
    std::complex<double> h = 1;
    for (const PoleSection& p : sections) {
        const std::complex<double> x = s / p.w0;
        h /= p.firstOrder() ? x + 1.0 : x * x + x / p.q + 1.0;
    }
    return h;
}

// Each frequency's lowest and highest level seen.
class Extremes {
public:
    explicit Extremes(std::size_t n)
    {
        band_.lowDb.assign(n, std::numeric_limits<double>::infinity());
        band_.highDb.assign(n, -std::numeric_limits<double>::infinity());
    }
    void add(std::size_t i, double db)
    {
        band_.lowDb[i] = std::min(band_.lowDb[i], db);
        band_.highDb[i] = std::max(band_.highDb[i], db);
    }
    Band take() { return std::move(band_); }

private:
    Band band_;
};

double tolerance(const SectionPart& p, const Tolerances& t)
{
    return (isCapacitor(p.name) ? t.capacitorPct : t.resistorPct) / 100;
}

// A part's name along the cascade: the n-th resistor and capacitor of the whole filter, and the
// gain-setting pair by its section ("RF2").
std::string cascadeName(const std::string& local, int section, std::map<char, int>& counts)
{
    if (local == "RF" || local == "RG")
        return local + std::to_string(section);
    return local.substr(0, 1) + std::to_string(++counts[local.front()]);
}

} // namespace

std::vector<SectionGoal> sectionGoals(const FilterGoal& goal)
{
    std::vector<SectionGoal> goals;
    for (const PoleSection& p : prototypeSections(goal.prototype))
        goals.push_back({goal.pass == Pass::LowPass ? goal.fcHz * p.w0 : goal.fcHz / p.w0, p.q});
    return goals;
}

std::complex<double> idealResponse(const FilterGoal& goal, double fHz)
{
    const std::complex<double> s(0, fHz / goal.fcHz);
    return prototypeAt(prototypeSections(goal.prototype), goal.pass == Pass::LowPass ? s : 1.0 / s);
}

FilterDesign designFilter(const FilterGoal& goal, std::span<const Decimal> resistors,
                          std::span<const Decimal> capacitors, const std::stop_token& stop, DesignBudget* budget)
{
    FilterDesign design;
    design.goal = goal;
    DesignBudget defaults;
    DesignBudget& spent = budget != nullptr ? *budget : defaults;
    const double started = threadCpuSeconds();
    long long steps = 0;
    std::map<char, int> counts;
    int index = 0;
    const std::vector<SectionGoal> goals = sectionGoals(goal);
    for (const SectionGoal& g : goals) {
        // What is left of the budget is shared by the sections still to design.
        const auto sectionsLeft = static_cast<long long>(goals.size()) - index;
        DesignBudget left;
        left.maxSteps = std::max(0LL, spent.maxSteps - steps) / sectionsLeft;
        left.maxCpuSeconds =
            std::max(0.0, spent.maxCpuSeconds - (threadCpuSeconds() - started)) / static_cast<double>(sectionsLeft);
        const Circuit circuit = circuitFor(goal.topology, goal.pass, g.q == 0);
        std::vector<SectionDesign> found = designSection(circuit, g, resistors, capacitors, 1, stop, &left);
        steps += left.steps;
        design.limited = design.limited || left.limited;
        if (found.empty() || stop.stop_requested()) {
            design.sections.clear();
            break;
        }
        ++index;
        for (SectionPart& p : found.front().parts)
            p.name = cascadeName(p.name, index, counts);
        design.sections.push_back(std::move(found.front()));
    }
    spent.limited = design.limited;
    spent.steps = steps;
    return design;
}

std::complex<double> designResponse(const FilterDesign& design, double fHz)
{
    std::complex<double> h = 1;
    for (const SectionDesign& s : design.sections)
        h *= s.biquad().at(fHz);
    return h;
}

double passBandGain(const FilterDesign& design)
{
    double gain = 1;
    for (const SectionDesign& s : design.sections)
        gain *= s.gain;
    return gain;
}

std::vector<double> logFrequencies(double fromHz, double toHz, int perDecade)
{
    std::vector<double> f;
    if (!(fromHz > 0) || !(toHz > fromHz) || perDecade < 1)
        return f;
    const double decades = std::log10(toHz / fromHz);
    const int steps = std::max(1, static_cast<int>(std::ceil(decades * perDecade)));
    for (int i = 0; i <= steps; ++i)
        f.push_back(i == steps ? toHz : fromHz * std::pow(10.0, decades * i / steps));
    return f;
}

Band sectionBand(const SectionDesign& section, const Tolerances& tolerances, std::span<const double> frequencies)
{
    Extremes band(frequencies.size());
    const std::vector<double> nominal = section.values();
    const std::size_t n = nominal.size();
    std::vector<double> v(n);
    for (std::size_t corner = 0; corner <= (std::size_t{1} << n); ++corner) {
        // The last turn is the nominal parts, which a band must hold as well.
        for (std::size_t i = 0; i < n; ++i) {
            const double t = corner == (std::size_t{1} << n) ? 0 : tolerance(section.parts[i], tolerances);
            v[i] = nominal[i] * ((corner >> i & 1) != 0 ? 1 + t : 1 - t);
        }
        const Biquad h = biquadOf(section.circuit, v);
        for (std::size_t k = 0; k < frequencies.size(); ++k)
            band.add(k, decibels(h.at(frequencies[k])));
    }
    return band.take();
}

Band filterBand(const FilterDesign& design, const Tolerances& tolerances, std::span<const double> frequencies,
                int draws, std::uint64_t seed)
{
    Extremes band(frequencies.size());
    const double gain = std::abs(passBandGain(design));
    // mt19937_64 is the same sequence everywhere; the uniform doubles are made here for the same reason.
    std::mt19937_64 random(seed);
    const auto uniform = [&random] { return static_cast<double>(random() >> 11) * 0x1.0p-52 - 1; };
    std::vector<Biquad> drawn;
    for (int draw = 0; draw <= draws; ++draw) {
        drawn.clear();
        for (const SectionDesign& s : design.sections) {
            std::vector<double> v = s.values();
            // The first turn is the nominal parts.
            if (draw > 0) {
                for (std::size_t i = 0; i < v.size(); ++i)
                    v[i] *= 1 + tolerance(s.parts[i], tolerances) * uniform();
            }
            drawn.push_back(biquadOf(s.circuit, v));
        }
        for (std::size_t k = 0; k < frequencies.size(); ++k) {
            std::complex<double> h = 1;
            for (const Biquad& b : drawn)
                h *= b.at(frequencies[k]);
            band.add(k, decibels(h / gain));
        }
    }
    return band.take();
}

FilterCurves filterCurves(const FilterDesign& design, const Tolerances& tolerances, int perDecade)
{
    FilterCurves c;
    const double fc = design.goal.fcHz;
    c.frequencies = logFrequencies(fc / 100, fc * 100, perDecade);
    const double gain = std::abs(passBandGain(design));
    double previous = 0;
    for (const double f : c.frequencies) {
        c.idealDb.push_back(decibels(idealResponse(design.goal, f)));
        const std::complex<double> h = designResponse(design, f);
        c.realDb.push_back(decibels(h / gain));
        // Unwrapped: each point within half a turn of the one before.
        double phase = degrees(h);
        if (!c.realDegrees.empty())
            phase += 360 * std::round((previous - phase) / 360);
        c.realDegrees.push_back(phase);
        previous = phase;
    }
    c.band = filterBand(design, tolerances, c.frequencies);
    return c;
}

std::optional<double> halfPowerHz(const FilterGoal& goal, const std::function<std::complex<double>(double)>& response)
{
    const bool low = goal.pass == Pass::LowPass;
    const double passBand = std::abs(response(low ? 0.0 : goal.fcHz * 1e6));
    const auto below = [&](double f) { return std::abs(response(f)) < passBand / std::numbers::sqrt2; };
    // From the stop band towards the pass band, a hundredth of a decade at a time, to the first
    // point back above half power; then halve the step between the two.
    const double step = std::pow(10.0, 0.01);
    double outer = low ? goal.fcHz * 100 : goal.fcHz / 100;
    if (!below(outer))
        return std::nullopt;
    double inner = outer;
    bool crossed = false;
    for (int i = 0; i < 400 && !crossed; ++i) {
        inner = low ? outer / step : outer * step;
        crossed = !below(inner);
        if (!crossed)
            outer = inner;
    }
    if (!crossed)
        return std::nullopt;
    for (int i = 0; i < 100; ++i) {
        const double mid = std::sqrt(outer * inner);
        if (mid == outer || mid == inner)
            break;
        (below(mid) ? outer : inner) = mid;
    }
    return std::sqrt(outer * inner);
}

} // namespace values
