// SPDX-License-Identifier: MIT
#include "tools/plots.h"

#include "numeric/format.h"
#include "tools/localised.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::plots {

namespace {

using schematic::Axis;
using schematic::Colour;
using schematic::Curve;
using schematic::Marker;
using schematic::Panel;
using schematic::Plot;
using schematic::Scale;

QString tr(const char* text)
{
    return QCoreApplication::translate("tools::plots", text);
}

QChar pointOf(const QLocale& locale)
{
    return locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint().front();
}

// "1.5915 kHz", "0.15915 Hz": a figure as the answers beside the plot show it.
QString figure(double v, const QString& unit, const QLocale& locale)
{
    return localised(values::withUnit(values::approximate(v), unit.toStdString()), locale);
}

// A linear range round `lo` and `hi` on whole steps of 1, 2 or 5.
void fit(Axis& axis, double lo, double hi)
{
    if (!(hi > lo)) {
        lo -= 1;
        hi += 1;
    }
    const double raw = (hi - lo) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    }
    axis.from = std::floor(lo / step) * step;
    axis.to = std::ceil(hi / step) * step;
}

// Decibels from the top of the curves down to `depth` below it at most.
void fitDb(Axis& axis, const std::vector<std::vector<double>>& curves, double depth)
{
    double lo = 1e300;
    double hi = -1e300;
    for (const auto& c : curves) {
        for (const double v : c) {
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
    }
    hi = std::ceil((hi + 1) / 10) * 10;
    axis.from = std::max(std::floor(lo / 10) * 10, hi - depth);
    axis.to = hi;
}

Axis frequencyAxis(double from, double to)
{
    return {tr("Frequency"), QStringLiteral("Hz"), Scale::Log, from, to};
}

} // namespace

Plot filter(const values::FilterDesign& design, const values::FilterCurves& curves, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The filter's response against the ideal, with its spread over the parts' tolerances");
    if (design.sections.empty() || curves.frequencies.empty())
        return p;
    p.x = frequencyAxis(curves.frequencies.front(), curves.frequencies.back());
    p.xs = curves.frequencies;
    Panel gain;
    gain.y = {tr("Gain"), QStringLiteral("dB")};
    gain.curves.push_back({tr("Ideal"), curves.idealDb, Colour::Ink, true});
    gain.curves.push_back({tr("From the parts"), curves.realDb, Colour::Accent, false});
    gain.shades.push_back({tr("Over the tolerances"), curves.band.lowDb, curves.band.highDb});
    fitDb(gain.y, {curves.idealDb, curves.realDb, curves.band.highDb}, 80);
    const double fc = design.goal.fcHz;
    gain.markers.push_back({tr("fc %1").arg(figure(fc, QStringLiteral("Hz"), locale)), fc, {}});
    const std::optional<double> half =
        values::halfPowerHz(design.goal, [&design](double f) { return values::designResponse(design, f); });
    if (half) {
        const double atHalf =
            values::decibels(values::designResponse(design, *half) / std::abs(values::passBandGain(design)));
        gain.markers.push_back({tr("-3 dB %1").arg(figure(*half, QStringLiteral("Hz"), locale)), *half, atHalf});
    }
    p.panels.push_back(std::move(gain));
    return p;
}

Plot bode(const values::Biquad& response, const std::vector<double>& minus3dbHz, const QString& title,
          const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = title;
    const double f0 = response.f0Hz();
    if (!(f0 > 0) || !std::isfinite(f0))
        return p;
    p.x = frequencyAxis(f0 / 100, f0 * 100);
    p.xs = values::logFrequencies(f0 / 100, f0 * 100, 50);
    Panel magnitude;
    magnitude.y = {tr("Gain"), QStringLiteral("dB")};
    Panel phase;
    phase.y = {tr("Phase"), QStringLiteral("°")};
    Curve db{tr("Gain"), {}, Colour::Accent, false};
    Curve degrees{tr("Phase"), {}, Colour::Second, false};
    for (const double f : p.xs) {
        const std::complex<double> h = response.at(f);
        db.y.push_back(values::decibels(h));
        degrees.y.push_back(values::degrees(h));
    }
    fitDb(magnitude.y, {db.y}, 60);
    phase.y.from = std::floor(*std::min_element(degrees.y.begin(), degrees.y.end()) / 45 - 1e-9) * 45;
    phase.y.to = std::ceil(*std::max_element(degrees.y.begin(), degrees.y.end()) / 45 + 1e-9) * 45;
    phase.y.step = 45;
    magnitude.markers.push_back({tr("f0 %1").arg(figure(f0, QStringLiteral("Hz"), locale)), f0, {}});
    for (const double f : minus3dbHz) {
        if (std::abs(f / f0 - 1) > 1e-9)
            magnitude.markers.push_back(
                {tr("-3 dB %1").arg(figure(f, QStringLiteral("Hz"), locale)), f, values::decibels(response.at(f))});
    }
    magnitude.curves.push_back(std::move(db));
    phase.curves.push_back(std::move(degrees));
    p.panels.push_back(std::move(magnitude));
    p.panels.push_back(std::move(phase));
    return p;
}

Plot rc(double r, double c, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The RC's low and high pass");
    const double fc = 1 / (2 * std::numbers::pi * r * c);
    if (!(fc > 0) || !std::isfinite(fc))
        return p;
    p.x = frequencyAxis(fc / 100, fc * 100);
    p.xs = values::logFrequencies(fc / 100, fc * 100, 50);
    Panel magnitude;
    magnitude.y = {tr("Gain"), QStringLiteral("dB")};
    Panel phase;
    phase.y = {tr("Phase"), QStringLiteral("°"), Scale::Linear, -90, 90, 45};
    Curve lowDb{tr("Low pass"), {}, Colour::Accent, false};
    Curve highDb{tr("High pass"), {}, Colour::Second, false};
    Curve lowDeg{tr("Low pass"), {}, Colour::Accent, false};
    Curve highDeg{tr("High pass"), {}, Colour::Second, false};
    const values::Biquad low = values::passiveBiquad(values::PassiveForm::RcLow, {r, 0, c});
    const values::Biquad high = values::passiveBiquad(values::PassiveForm::RcHigh, {r, 0, c});
    for (const double f : p.xs) {
        lowDb.y.push_back(values::decibels(low.at(f)));
        highDb.y.push_back(values::decibels(high.at(f)));
        lowDeg.y.push_back(values::degrees(low.at(f)));
        highDeg.y.push_back(values::degrees(high.at(f)));
    }
    magnitude.y.from = -40;
    magnitude.y.to = 5;
    magnitude.y.step = 10;
    magnitude.markers.push_back(
        {tr("fc %1").arg(figure(fc, QStringLiteral("Hz"), locale)), fc, values::decibels(low.at(fc))});
    magnitude.curves = {std::move(lowDb), std::move(highDb)};
    phase.curves = {std::move(lowDeg), std::move(highDeg)};
    p.panels = {std::move(magnitude), std::move(phase)};
    return p;
}

Plot tank(double l, double c, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The reactances of L and C and the tank's impedance, which they make infinite at f0");
    const double f0 = 1 / (2 * std::numbers::pi * std::sqrt(l * c));
    if (!(f0 > 0) || !std::isfinite(f0))
        return p;
    const double z0 = std::sqrt(l / c);
    p.x = frequencyAxis(f0 / 100, f0 * 100);
    p.xs = values::logFrequencies(f0 / 100, f0 * 100, 50);
    Panel z;
    z.y = {tr("Impedance"), QStringLiteral("Ω"), Scale::Log, z0 / 1e3, z0 * 1e3};
    Curve xl{tr("L"), {}, Colour::Second, true};
    Curve xc{tr("C"), {}, Colour::Third, true};
    Curve tank{tr("The tank"), {}, Colour::Accent, false};
    for (const double f : p.xs) {
        const double w = 2 * std::numbers::pi * f;
        xl.y.push_back(w * l);
        xc.y.push_back(1 / (w * c));
        tank.y.push_back(std::abs(w * l / (1 - w * w * l * c)));
    }
    z.curves = {std::move(tank), std::move(xl), std::move(xc)};
    z.markers.push_back({tr("f0 %1").arg(figure(f0, QStringLiteral("Hz"), locale)), f0, z0});
    p.panels.push_back(std::move(z));
    return p;
}

Plot timer(double highS, double lowS, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The 555's output and its capacitor over two periods");
    if (!(highS > 0) || !(lowS > 0) || !std::isfinite(highS + lowS))
        return p;
    // The capacitor swings between a third and two thirds of the supply: up towards the supply
    // while the output is high, down towards 0 while it is low.
    const double charge = highS / std::numbers::ln2;
    const double discharge = lowS / std::numbers::ln2;
    const double period = highS + lowS;
    Curve output{tr("Output"), {}, Colour::Accent, false};
    Curve capacitor{tr("Capacitor"), {}, Colour::Second, false};
    constexpr int steps = 60;
    for (int cycle = 0; cycle < 2; ++cycle) {
        const double start = cycle * period;
        for (int i = 0; i <= steps; ++i) {
            const double t = highS * i / steps;
            p.xs.push_back(start + t);
            output.y.push_back(1);
            capacitor.y.push_back(1 - 2.0 / 3 * std::exp(-t / charge));
        }
        for (int i = 0; i <= steps; ++i) {
            const double t = lowS * i / steps;
            p.xs.push_back(start + highS + t);
            output.y.push_back(0);
            capacitor.y.push_back(2.0 / 3 * std::exp(-t / discharge));
        }
    }
    p.x = {tr("Time"), QStringLiteral("s"), Scale::Linear, 0, 2 * period};
    Panel v;
    // A little beyond 0 and 1, so the output's levels are not hidden in the frame.
    v.y = {tr("Share of the supply"), QString(), Scale::Linear, -0.1, 1.1};
    v.curves = {std::move(output), std::move(capacitor)};
    v.markers.push_back({tr("high %1").arg(figure(highS, QStringLiteral("s"), locale)), highS, {}});
    v.markers.push_back({tr("period %1").arg(figure(period, QStringLiteral("s"), locale)), period, {}});
    p.panels.push_back(std::move(v));
    return p;
}

Plot pulse(double pulseS, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The 555's pulse from the trigger");
    if (!(pulseS > 0) || !std::isfinite(pulseS))
        return p;
    // The capacitor charges with R C = pulse / ln 3 until it reaches two thirds of the supply.
    const double tau = pulseS / std::log(3.0);
    Curve output{tr("Output"), {}, Colour::Accent, false};
    Curve capacitor{tr("Capacitor"), {}, Colour::Second, false};
    constexpr int steps = 120;
    for (int i = 0; i <= steps; ++i) {
        const double t = pulseS * i / steps;
        p.xs.push_back(t);
        output.y.push_back(1);
        capacitor.y.push_back(-std::expm1(-t / tau));
    }
    for (const double t : {pulseS, 2 * pulseS}) {
        p.xs.push_back(t);
        output.y.push_back(0);
        capacitor.y.push_back(0);
    }
    p.x = {tr("Time"), QStringLiteral("s"), Scale::Linear, 0, 2 * pulseS};
    Panel v;
    v.y = {tr("Share of the supply"), QString(), Scale::Linear, -0.1, 1.1};
    v.curves = {std::move(output), std::move(capacitor)};
    v.markers.push_back({tr("pulse %1").arg(figure(pulseS, QStringLiteral("s"), locale)), pulseS, {}});
    p.panels.push_back(std::move(v));
    return p;
}

Plot charge(double tau, double supply, double level, const QLocale& locale)
{
    Plot p;
    p.decimalPoint = pointOf(locale);
    p.title = tr("The capacitor charging towards the supply");
    if (!(tau > 0) || !(supply > 0) || !std::isfinite(tau * supply))
        return p;
    const bool reached = level > 0 && level < supply;
    const double t = reached ? -tau * std::log1p(-level / supply) : 0;
    const double end = std::max(5 * tau, 1.25 * t);
    Curve v{tr("Capacitor"), {}, Colour::Accent, false};
    constexpr int steps = 200;
    for (int i = 0; i <= steps; ++i) {
        const double x = end * i / steps;
        p.xs.push_back(x);
        v.y.push_back(-supply * std::expm1(-x / tau));
    }
    p.x = {tr("Time"), QStringLiteral("s"), Scale::Linear, 0, end};
    Panel panel;
    panel.y = {tr("Voltage"), QStringLiteral("V")};
    fit(panel.y, 0, supply);
    panel.curves.push_back(std::move(v));
    panel.markers.push_back(
        {tr("τ %1").arg(figure(tau, QStringLiteral("s"), locale)), tau, supply * (1 - std::exp(-1.0))});
    if (reached)
        panel.markers.push_back(
            {tr("%1 at %2").arg(figure(level, QStringLiteral("V"), locale), figure(t, QStringLiteral("s"), locale)), t,
             level});
    p.panels.push_back(std::move(panel));
    return p;
}

} // namespace tools::plots
