// SPDX-License-Identifier: MIT
// Every search against its budget, and against trying everything where that is quick. The bytes
// choose the search (the network finder over a series or over a stock, the RC designer for a
// corner or a time constant, the 555 designer, a filter stage's designer and the passive filters'
// designer), the parts (unions of E3 ... E192 over up to
// thirty decades, or stocks of up to 100,000 parts), a target near the parts or far out of their
// reach, how many answers and a budget. Properties:
// - a search never spends more than its budget: its steps at most a ranking beyond maxSteps, its
//   thread's CPU time at most a poll (and the sanitizers' slowness) beyond maxCpuSeconds;
// - a search that stays within its budget on parts few enough for the brute force agrees with it
//   row for row;
// - a search out of budget still answers with what it found (the networks the single parts).
#include "support.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "values/budget.h"
#include "values/filters.h"
#include "values/networks.h"
#include "values/series.h"
#include "values/timing.h"

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using values::Decimal;

// Reads the input a byte at a time; zeros once it runs out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    unsigned next() { return at_ < size_ ? data_[at_++] : 0U; }
    unsigned word()
    {
        const unsigned high = next();
        return high << 8 | next();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// How much CPU time a search may spend here: less than the program's, so that a run of a few
// seconds tries many inputs; what a poll may add beyond it, generous for the sanitizers; and
// what merging and sorting each part may take before the first poll (under the sanitizers a
// stock of 100,000 parts takes about 0.3 s there, the program as shipped 0.03 s).
constexpr double budgetSeconds = 0.2;
constexpr double pollSlack = 0.3;
constexpr double perPartSlack = 5e-6;

values::SeriesSet seriesUnion(unsigned bits)
{
    values::SeriesSet set;
    for (std::size_t i = 0; i < values::allSeries.size(); ++i) {
        if ((bits >> i & 1U) != 0)
            set.push_back(values::allSeries[i]);
    }
    if (set.empty())
        set.push_back(values::Series::E3);
    return set;
}

// Parts from a union of series over `decades` decades from 10^first.
std::vector<Decimal> seriesValues(unsigned bits, int first, int decades)
{
    return values::valuesInRange(seriesUnion(bits), Decimal::of(1, first), Decimal::of(1, first + decades));
}

// A target: 1 to 6 digits at an exponent from `low` to `low + span`.
Decimal targetOf(Bytes& in, int low, int span)
{
    const unsigned high = in.word();
    const auto mantissa = static_cast<std::int64_t>(1 + (high << 4 | (in.next() & 15U)) % 999999);
    return Decimal::of(mantissa, low + static_cast<int>(in.next() % static_cast<unsigned>(span + 1)));
}

void checkBudget(const char* search, double seconds, long long steps, long long maxSteps, long long slack,
                 std::size_t parts, const std::string& input)
{
    if (seconds > budgetSeconds + pollSlack + perPartSlack * static_cast<double>(parts))
        fuzz::fail(std::string(search) + " took " + std::to_string(seconds) + " s of CPU with a budget of " +
                       std::to_string(budgetSeconds) + " s",
                   {input});
    if (steps > maxSteps + slack)
        fuzz::fail(std::string(search) + " took " + std::to_string(steps) + " steps with a limit of " +
                       std::to_string(maxSteps),
                   {input});
}

void networks(Bytes& in, bool stock)
{
    values::SearchOptions options;
    options.kind = (in.next() & 1U) != 0 ? values::Kind::Capacitor : values::Kind::Resistor;
    options.maxParts = 1 + static_cast<int>(in.next() % 4);
    options.top = 1 + static_cast<int>(in.word() % 1000);
    options.maxCpuSeconds = budgetSeconds;
    const unsigned limit = in.next();
    if (limit < 64)
        options.maxSteps = 1 + limit * 400;
    // Small: E3 ... E12 over a decade or two, few answers, a target within a few decades; the
    // brute force checks it. Large: any union over up to thirty decades, or a stock of up to
    // 100,000 parts, and a target anywhere from 10^-30 to 10^30.
    const bool small = (in.next() & 3U) != 0;
    std::vector<values::Part> parts;
    int first = 0;
    if (stock) {
        const std::size_t count = small ? 1 + in.next() % 12 : 1 + (in.word() * 7U) % 100'000;
        std::mt19937 random(in.word());
        const unsigned digits = 1 + in.next() % 6;
        unsigned top = 1;
        for (unsigned i = 0; i < digits; ++i)
            top *= 10;
        first = static_cast<int>(in.next() % 25) - 12;
        for (std::size_t i = 0; i < count; ++i) {
            const auto m = static_cast<std::int64_t>(1 + random() % top);
            parts.push_back({Decimal::of(m, first), static_cast<int>(1 + random() % 3)});
        }
    } else if (small) {
        first = static_cast<int>(in.next() % 25) - 12;
        const int decades = options.maxParts == 4 ? 1 : 1 + static_cast<int>(in.next() % 2);
        parts = values::unlimitedParts(seriesValues(1U << (in.next() % 3), first, decades));
    } else {
        first = static_cast<int>(in.next() % 31) - 15;
        const int decades = static_cast<int>(in.next() % static_cast<unsigned>(16 - first));
        parts = values::unlimitedParts(seriesValues(in.next() & 127U, first, decades));
    }
    if (small)
        options.top = std::min(options.top, 1 + options.top % 12);
    const Decimal target = small ? targetOf(in, first - 6, 12) : targetOf(in, -30, 60);
    const std::string input = values::format(target) + " from " + std::to_string(parts.size()) + " parts";

    const double started = values::threadCpuSeconds();
    const values::SearchResult fast = values::findNetworks(target, parts, options);
    // At most a ranking beyond: its exact arithmetic, and a step for each network it is put among.
    checkBudget("the network finder", values::threadCpuSeconds() - started, fast.steps, options.maxSteps,
                256 + 2LL * options.top, parts.size(), input);
    if (fast.limited) {
        if (fast.networks.empty())
            fuzz::fail("stopped at its limit without the single parts", {input});
        return;
    }
    if (!small)
        return;
    const values::SearchResult slow = values::findNetworksBruteForce(target, parts, options);
    if (fast.networks.size() != slow.networks.size())
        fuzz::fail("found " + std::to_string(fast.networks.size()) + " networks, every combination gives " +
                       std::to_string(slow.networks.size()),
                   {input});
    for (std::size_t i = 0; i < fast.networks.size(); ++i) {
        if (fast.networks[i].text != slow.networks[i].text ||
            fast.networks[i].deviation.text() != slow.networks[i].deviation.text())
            fuzz::fail("row " + std::to_string(i + 1) + " is " + fast.networks[i].text + " " +
                           fast.networks[i].deviation.text() + ", every combination gives " + slow.networks[i].text +
                           " " + slow.networks[i].deviation.text(),
                       {input});
    }
}

// The designers' parts: small (E3 ... E12 over one or two decades) or large (any union over up
// to thirty decades).
std::vector<Decimal> designerParts(Bytes& in, bool small)
{
    // In the order first decade, decades, series.
    if (small) {
        const int first = static_cast<int>(in.next() % 25) - 12;
        const int decades = 1 + static_cast<int>(in.next() % 2);
        return seriesValues(1U << (in.next() % 3), first, decades);
    }
    const int first = static_cast<int>(in.next() % 31) - 15;
    const int decades = static_cast<int>(in.next() % static_cast<unsigned>(16 - first));
    return seriesValues(in.next() & 127U, first, decades);
}

values::DesignBudget designBudget(Bytes& in)
{
    values::DesignBudget budget;
    budget.maxCpuSeconds = budgetSeconds;
    const unsigned limit = in.next();
    if (limit < 64)
        budget.maxSteps = 1 + limit * 40;
    return budget;
}

void rc(Bytes& in)
{
    const auto kind = (in.next() & 1U) != 0 ? values::RcTarget::Corner : values::RcTarget::TimeConstant;
    const int top = 1 + static_cast<int>(in.word() % 1000);
    values::DesignBudget budget = designBudget(in);
    const bool small = (in.next() & 3U) != 0;
    const auto r = designerParts(in, small);
    const auto c = designerParts(in, small);
    const Decimal target = targetOf(in, -18, 36);
    const std::string input =
        values::format(target) + " from " + std::to_string(r.size()) + " R and " + std::to_string(c.size()) + " C";

    const double started = values::threadCpuSeconds();
    const auto fast = values::designRc(kind, target, r, c, small ? 1 + top % 12 : top, {}, &budget);
    checkBudget("the RC designer", values::threadCpuSeconds() - started, budget.steps, budget.maxSteps, 64,
                r.size() + c.size(), input);
    if (budget.limited || !small)
        return;
    const auto slow = values::designRcBruteForce(kind, target, r, c, 1 + top % 12);
    if (fast.size() != slow.size())
        fuzz::fail("found " + std::to_string(fast.size()) + " pairs, every pair gives " + std::to_string(slow.size()),
                   {input});
    for (std::size_t i = 0; i < fast.size(); ++i) {
        if (fast[i].r != slow[i].r || fast[i].c != slow[i].c)
            fuzz::fail("row " + std::to_string(i + 1) + " is " + values::format(fast[i].r) + ", " +
                           values::format(fast[i].c) + "; every pair gives " + values::format(slow[i].r) + ", " +
                           values::format(slow[i].c),
                       {input});
    }
}

void timer(Bytes& in)
{
    values::TimerGoal goal;
    goal.diode = (in.next() & 1U) != 0;
    const int top = 1 + static_cast<int>(in.word() % 1000);
    values::DesignBudget budget = designBudget(in);
    const bool small = (in.next() & 3U) != 0;
    const auto r = designerParts(in, small);
    const auto c = designerParts(in, small);
    goal.frequency = targetOf(in, -18, 36);
    // A duty from 10^-15 % to just under 100 %; without the diode above 50 %.
    const auto m = static_cast<std::int64_t>(1 + in.word() % 9999);
    goal.dutyPercent = Decimal::of(m, -2 - static_cast<int>(in.next() % 14));
    if (!goal.diode)
        goal.dutyPercent = Decimal::of(5000 + static_cast<std::int64_t>(in.word() % 4999), -2);
    const std::string input = values::format(goal.frequency) + " Hz at " + values::format(goal.dutyPercent) +
        " % from " + std::to_string(r.size()) + " R and " + std::to_string(c.size()) + " C";

    const double started = values::threadCpuSeconds();
    const auto fast = values::designTimer(goal, r, c, small ? 1 + top % 12 : top, {}, &budget);
    checkBudget("the 555 designer", values::threadCpuSeconds() - started, budget.steps, budget.maxSteps, 256,
                r.size() + c.size(), input);
    if (budget.limited || !small)
        return;
    const auto slow = values::designTimerBruteForce(goal, r, c, 1 + top % 12);
    if (fast.size() != slow.size())
        fuzz::fail("found " + std::to_string(fast.size()) + " designs, every triple gives " +
                       std::to_string(slow.size()),
                   {input});
    for (std::size_t i = 0; i < fast.size(); ++i) {
        if (fast[i].r1 != slow[i].r1 || fast[i].r2 != slow[i].r2 || fast[i].c != slow[i].c)
            fuzz::fail("row " + std::to_string(i + 1) + " differs from every triple's", {input});
    }
}

// A filter stage of any circuit for an f0 anywhere and a Q from 0.1 to 50 (none for first order).
void filterStage(Bytes& in)
{
    using values::Circuit;
    static constexpr Circuit circuits[] = {Circuit::RcLow,
                                           Circuit::RcHigh,
                                           Circuit::SallenKeyLow,
                                           Circuit::SallenKeyHigh,
                                           Circuit::SallenKeyEqualLow,
                                           Circuit::SallenKeyEqualHigh,
                                           Circuit::MultipleFeedbackLow,
                                           Circuit::MultipleFeedbackHigh};
    const Circuit circuit = circuits[in.next() % std::size(circuits)];
    const int top = 1 + static_cast<int>(in.word() % 1000);
    values::DesignBudget budget = designBudget(in);
    const bool small = (in.next() & 3U) != 0;
    const auto r = designerParts(in, small);
    const auto c = designerParts(in, small);
    values::SectionGoal goal;
    goal.f0Hz = targetOf(in, -18, 36).nearestDouble();
    if (!values::isFirstOrder(circuit))
        goal.q = static_cast<double>(1 + in.word() % 500) / 10;
    const std::string input = values::format(values::shortest(goal.f0Hz)) + " Hz, Q " + std::to_string(goal.q) +
        ", circuit " + std::to_string(static_cast<int>(circuit)) + " from " + std::to_string(r.size()) + " R and " +
        std::to_string(c.size()) + " C";

    const double started = values::threadCpuSeconds();
    const auto fast = values::designSection(circuit, goal, r, c, small ? 1 + top % 12 : top, {}, &budget);
    checkBudget("the filter stage designer", values::threadCpuSeconds() - started, budget.steps, budget.maxSteps, 256,
                r.size() + c.size(), input);
    if (budget.limited || !small)
        return;
    const auto slow = values::designSectionBruteForce(circuit, goal, r, c, 1 + top % 12);
    if (fast.size() != slow.size())
        fuzz::fail("found " + std::to_string(fast.size()) + " stages, every combination gives " +
                       std::to_string(slow.size()),
                   {input});
    for (std::size_t i = 0; i < fast.size(); ++i) {
        for (std::size_t k = 0; k < fast[i].parts.size() && k < slow[i].parts.size(); ++k) {
            if (fast[i].parts[k].value != slow[i].parts[k].value)
                fuzz::fail("row " + std::to_string(i + 1) + " has " + fast[i].parts[k].name + " " +
                               values::format(fast[i].parts[k].value) + ", every combination gives " +
                               values::format(slow[i].parts[k].value),
                           {input});
        }
    }
}

// A passive filter of any form from its parts' lists: within its budget, whatever it is asked.
void passiveFilter(Bytes& in)
{
    const auto form = static_cast<values::PassiveForm>(in.next() % 11);
    const int top = 1 + static_cast<int>(in.word() % 1000);
    values::DesignBudget budget = designBudget(in);
    const bool small = (in.next() & 3U) != 0;
    const auto r = designerParts(in, small);
    const auto l = designerParts(in, small);
    const auto c = designerParts(in, small);
    const values::SectionGoal goal{targetOf(in, -18, 36).nearestDouble(),
                                   static_cast<double>(1 + in.word() % 500) / 10};
    const Decimal load = targetOf(in, -3, 9);
    const std::string input = values::format(values::shortest(goal.f0Hz)) + " Hz, form " +
        std::to_string(static_cast<int>(form)) + " from " + std::to_string(r.size()) + " R, " +
        std::to_string(l.size()) + " L and " + std::to_string(c.size()) + " C";
    const double started = values::threadCpuSeconds();
    values::designPassive(form, goal, load, r, l, c, top, {}, &budget);
    checkBudget("the passive filter designer", values::threadCpuSeconds() - started, budget.steps, budget.maxSteps, 256,
                r.size() + l.size() + c.size(), input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return -1;
    Bytes in(data, size);
    switch (in.next() % 7) {
    case 0:
        networks(in, false);
        break;
    case 1:
        networks(in, true);
        break;
    case 2:
    case 3:
        rc(in);
        break;
    case 4:
        timer(in);
        break;
    case 5:
        filterStage(in);
        break;
    default:
        passiveFilter(in);
        break;
    }
    return 0;
}
