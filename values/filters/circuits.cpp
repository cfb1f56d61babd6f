// SPDX-License-Identifier: MIT
#include "values/filters.h"

#include "numeric/format.h"

#include <cmath>
#include <numbers>

namespace values {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

} // namespace

std::complex<double> Biquad::at(double fHz) const
{
    const std::complex<double> s(0, twoPi * fHz);
    return (b2 * s * s + b1 * s + b0) / (a2 * s * s + a1 * s + a0);
}

double Biquad::f0Hz() const
{
    return (a2 != 0 ? std::sqrt(a0 / a2) : a0 / a1) / twoPi;
}

double Biquad::q() const
{
    return a2 != 0 ? std::sqrt(a0 * a2) / a1 : 0;
}

Circuit circuitFor(FilterTopology topology, Pass pass, bool firstOrder)
{
    const bool low = pass == Pass::LowPass;
    if (firstOrder)
        return low ? Circuit::RcLow : Circuit::RcHigh;
    switch (topology) {
    case FilterTopology::SallenKey:
        return low ? Circuit::SallenKeyLow : Circuit::SallenKeyHigh;
    case FilterTopology::SallenKeyEqual:
        return low ? Circuit::SallenKeyEqualLow : Circuit::SallenKeyEqualHigh;
    case FilterTopology::MultipleFeedback:
        return low ? Circuit::MultipleFeedbackLow : Circuit::MultipleFeedbackHigh;
    }
    return Circuit::RcLow;
}

bool isFirstOrder(Circuit circuit)
{
    return circuit == Circuit::RcLow || circuit == Circuit::RcHigh;
}

std::vector<std::string> partNames(Circuit circuit)
{
    switch (circuit) {
    case Circuit::RcLow:
        return {"R1", "C1"};
    case Circuit::RcHigh:
        return {"C1", "R1"};
    case Circuit::SallenKeyLow:
        return {"R1", "R2", "C1", "C2"};
    case Circuit::SallenKeyHigh:
        return {"C1", "C2", "R1", "R2"};
    case Circuit::SallenKeyEqualLow:
        return {"R1", "R2", "C1", "C2", "RF", "RG"};
    case Circuit::SallenKeyEqualHigh:
        return {"C1", "C2", "R1", "R2", "RF", "RG"};
    case Circuit::MultipleFeedbackLow:
        return {"R1", "R2", "R3", "C1", "C2"};
    case Circuit::MultipleFeedbackHigh:
        return {"C1", "C2", "C3", "R1", "R2"};
    }
    return {};
}

bool isCapacitor(std::string_view partName)
{
    return !partName.empty() && partName.front() == 'C';
}

// Each from the circuit's nodal equations with an ideal op-amp; tests/values/filters_test.cpp
// solves the same circuits' nodes numerically.
Biquad biquadOf(Circuit circuit, std::span<const double> v)
{
    Biquad h;
    switch (circuit) {
    case Circuit::RcLow: { // R C
        h.b0 = 1;
        h.a1 = v[0] * v[1];
        return h;
    }
    case Circuit::RcHigh: { // C R
        h.b1 = h.a1 = v[0] * v[1];
        return h;
    }
    case Circuit::SallenKeyLow: { // R1 R2 C1 C2
        h.b0 = 1;
        h.a2 = v[0] * v[1] * v[2] * v[3];
        h.a1 = v[3] * (v[0] + v[1]);
        return h;
    }
    case Circuit::SallenKeyHigh: { // C1 C2 R1 R2
        h.b2 = h.a2 = v[2] * v[3] * v[0] * v[1];
        h.a1 = v[2] * (v[0] + v[1]);
        return h;
    }
    case Circuit::SallenKeyEqualLow: { // R1 R2 C1 C2 RF RG
        const double k = 1 + v[4] / v[5];
        h.b0 = k;
        h.a2 = v[0] * v[1] * v[2] * v[3];
        h.a1 = v[3] * (v[0] + v[1]) + v[0] * v[2] * (1 - k);
        return h;
    }
    case Circuit::SallenKeyEqualHigh: { // C1 C2 R1 R2 RF RG
        const double k = 1 + v[4] / v[5];
        h.a2 = v[2] * v[3] * v[0] * v[1];
        h.b2 = k * h.a2;
        h.a1 = v[2] * (v[0] + v[1]) + v[1] * v[3] * (1 - k);
        return h;
    }
    case Circuit::MultipleFeedbackLow: { // R1 R2 R3 C1 C2
        h.b0 = -v[1] / v[0];
        h.a2 = v[1] * v[2] * v[3] * v[4];
        h.a1 = v[4] * (v[1] + v[2] + v[1] * v[2] / v[0]);
        return h;
    }
    case Circuit::MultipleFeedbackHigh: { // C1 C2 C3 R1 R2
        h.b2 = -v[3] * v[4] * v[0] * v[2];
        h.a2 = v[3] * v[4] * v[1] * v[2];
        h.a1 = v[3] * (v[0] + v[1] + v[2]);
        return h;
    }
    }
    return h;
}

bool isSecondOrder(PassiveForm form)
{
    return form != PassiveForm::RcLow && form != PassiveForm::RcHigh && form != PassiveForm::RlLow &&
        form != PassiveForm::RlHigh;
}

bool usesInductor(PassiveForm form)
{
    return form != PassiveForm::RcLow && form != PassiveForm::RcHigh;
}

bool usesCapacitor(PassiveForm form)
{
    return form != PassiveForm::RlLow && form != PassiveForm::RlHigh;
}

bool isBandPass(PassiveForm form)
{
    return form == PassiveForm::LcBand || form == PassiveForm::RlcBand;
}

bool isNotch(PassiveForm form)
{
    return form == PassiveForm::RlcNotch;
}

Biquad passiveBiquad(PassiveForm form, const PassiveParts& p)
{
    Biquad h;
    switch (form) {
    case PassiveForm::RcLow:
        h.b0 = 1;
        h.a1 = p.r * p.c;
        return h;
    case PassiveForm::RcHigh:
        h.b1 = h.a1 = p.r * p.c;
        return h;
    case PassiveForm::RlLow:
        h.b0 = 1;
        h.a1 = p.l / p.r;
        return h;
    case PassiveForm::RlHigh:
        h.b1 = h.a1 = p.l / p.r;
        return h;
    case PassiveForm::LcLow:
    case PassiveForm::LcHigh:
    case PassiveForm::LcBand:
        // The load R damps the tank: Q = R sqrt(C / L).
        h.a2 = p.l * p.c;
        h.a1 = p.l / p.r;
        if (form == PassiveForm::LcLow)
            h.b0 = 1;
        else if (form == PassiveForm::LcHigh)
            h.b2 = h.a2;
        else
            h.b1 = h.a1;
        return h;
    case PassiveForm::RlcLow:
    case PassiveForm::RlcHigh:
    case PassiveForm::RlcBand:
    case PassiveForm::RlcNotch:
        // The series R damps it: Q = sqrt(L / C) / R.
        h.a2 = p.l * p.c;
        h.a1 = p.r * p.c;
        if (form == PassiveForm::RlcLow || form == PassiveForm::RlcNotch)
            h.b0 = 1;
        if (form == PassiveForm::RlcHigh || form == PassiveForm::RlcNotch)
            h.b2 = h.a2;
        if (form == PassiveForm::RlcBand)
            h.b1 = h.a1;
        return h;
    }
    return h;
}

PassiveAnswer analysePassive(PassiveForm form, const PassiveParts& parts)
{
    const Biquad h = passiveBiquad(form, parts);
    PassiveAnswer a;
    a.f0Hz = h.f0Hz();
    a.q = h.q();
    if (!isSecondOrder(form)) {
        a.minus3dbHz = {a.f0Hz};
        return a;
    }
    if (isBandPass(form) || isNotch(form)) {
        // Half the power of the peak (band pass) or of the pass band (notch), either side of f0.
        const double half = 1 / (2 * a.q);
        const double centre = std::sqrt(1 + half * half);
        a.minus3dbHz = {a.f0Hz * (centre - half), a.f0Hz * (centre + half)};
        return a;
    }
    // Half the power of the pass band: |H|^-2 = (1 - x)^2 + x / Q^2 = 2 with x = (f / f0)^2.
    const double k = 1 - 1 / (2 * a.q * a.q);
    const double x = k + std::sqrt(k * k + 1);
    const bool low = form == PassiveForm::LcLow || form == PassiveForm::RlcLow;
    a.minus3dbHz = {low ? a.f0Hz * std::sqrt(x) : a.f0Hz / std::sqrt(x)};
    return a;
}

double decibels(std::complex<double> h)
{
    return 20 * std::log10(std::abs(h));
}

std::string decibelText(double db)
{
    return figure(std::abs(db) < 1e-9 ? 0.0 : db, "dB");
}

double degrees(std::complex<double> h)
{
    return std::arg(h) * 180 / std::numbers::pi;
}

} // namespace values
