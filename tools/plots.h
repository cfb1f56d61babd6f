// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/plot.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "values/filters.h"

#include <QLocale>

// The plots the tools show, made from their answers: what the plot view draws and the tests lay out.
namespace tools::plots {

// A designed filter's response against the ideal, with the band over the tolerances, the corner
// and the frequency 3 dB down marked.
schematic::Plot filter(const values::FilterDesign& design, const values::FilterCurves& curves, const QLocale& locale);

// The Bode plot (magnitude over phase) of a first- or second-order response, from f0 / 100 to
// 100 f0, with f0 and the -3 dB points marked.
schematic::Plot bode(const values::Biquad& response, const std::vector<double>& minus3dbHz, const QString& title,
                     const QLocale& locale);

// An RC's low and high pass together (magnitude over phase), crossing 3 dB down at the corner.
schematic::Plot rc(double r, double c, const QLocale& locale);

// An LC tank: the reactances of L and C and the tank's impedance against frequency, crossing at f0.
schematic::Plot tank(double l, double c, const QLocale& locale);

// The 555 astable over two periods: the output and the capacitor's voltage, as shares of the
// supply, starting as the output goes high.
schematic::Plot timer(double highS, double lowS, const QLocale& locale);

// The 555 monostable's pulse from the trigger: the output and the capacitor, which charges to two
// thirds of the supply and is then discharged at once.
schematic::Plot pulse(double pulseS, const QLocale& locale);

// An RC charging from 0 towards the supply, to beyond the time it reaches `level`, both marked.
schematic::Plot charge(double tau, double supply, double level, const QLocale& locale);

} // namespace tools::plots
