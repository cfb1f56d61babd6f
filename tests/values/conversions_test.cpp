// SPDX-License-Identifier: MIT
#include "numeric/parse.h"
#include "values/conversions.h"
#include "values/energy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>

using namespace values;

namespace {

// Relative, or absolute around zero (0 dB).
void expectClose(double got, double want, const std::string& what)
{
    EXPECT_LE(std::abs(got - want), 1e-12 * std::max(std::abs(want), 1.0)) << what << ": " << got << " for " << want;
}

TEST(RoundTrip, EveryLevelToEveryOtherAndBack)
{
    const double decibels[] = {-174, -30, 0, 0.5, 13, 60, 120};
    const double linear[] = {1e-15, 3.3e-9, 1e-3, 0.7, 1, 42, 1e6};
    for (const double z : {1.0, 50.0, 75.0, 600.0, 1e6}) {
        for (std::size_t g = 0; g < levelCount; ++g) {
            const auto given = static_cast<Level>(g);
            for (const double value : g < 5 ? std::span<const double>(decibels) : std::span<const double>(linear)) {
                const Levels there = levels(given, value, z);
                for (std::size_t o = 0; o < levelCount; ++o) {
                    const double back = levels(static_cast<Level>(o), there[o], z)[g];
                    expectClose(back, value,
                                std::string(levelUnit(given)) + " via " +
                                    std::string(levelUnit(static_cast<Level>(o))));
                }
            }
        }
    }
}

TEST(RoundTrip, DecibelsAndRatiosEachWay)
{
    for (const double value : {1e-9, 0.5, 1.0, 2.0, 10.0, 1e12}) {
        for (const Ratio given : {Ratio::Power, Ratio::Voltage}) {
            const Ratios r = ratios(given, value);
            expectClose(ratios(Ratio::Decibels, r.db).power, r.power, "power");
            expectClose(ratios(Ratio::Decibels, r.db).voltage, r.voltage, "voltage");
            expectClose(given == Ratio::Power ? ratios(Ratio::Voltage, r.voltage).power
                                              : ratios(Ratio::Power, r.power).voltage,
                        value, "the other ratio");
        }
        const Ratios fromDb = ratios(Ratio::Decibels, 20 * std::log10(value));
        expectClose(ratios(Ratio::Power, fromDb.power).db, 20 * std::log10(value), "dB via power");
        expectClose(ratios(Ratio::Voltage, fromDb.voltage).db, 20 * std::log10(value), "dB via voltage");
    }
    EXPECT_NEAR(ratios(Ratio::Decibels, 3).power, 1.9953, 5e-5);
    EXPECT_NEAR(ratios(Ratio::Power, 2).db, 3.0103, 5e-5);
    EXPECT_NEAR(ratios(Ratio::Voltage, 2).db, 6.0206, 5e-5);
}

TEST(RoundTrip, FrequencyPeriodAndEveryWavelength)
{
    for (const double er : {1.0, 2.2, 4.5, 80.0}) {
        for (const double value : {1e-15, 1.0, 2.4e9, 1e15}) {
            for (std::size_t g = 0; g < waveCount; ++g) {
                const Waves there = waves(static_cast<Wave>(g), value, er);
                for (std::size_t o = 0; o < waveCount; ++o)
                    expectClose(waves(static_cast<Wave>(o), there[o], er)[g], value,
                                "wave " + std::to_string(g) + " via " + std::to_string(o));
            }
        }
    }
    EXPECT_DOUBLE_EQ(velocityFactorOfEr(erOfVelocityFactor(0.66)), 0.66);
}

TEST(RoundTrip, EveryPrefixFormReadsBackAsTheValue)
{
    for (const char* text : {"4.7u", "1f", "1000T", "123456789012345678p", "0.1", "33"}) {
        const Decimal value = *parse(text).value;
        for (const PrefixForm& f : prefixForms(value)) {
            const Parsed back = parse(f.digits + (f.prefix == "µ" ? std::string("u") : std::string(f.prefix)));
            ASSERT_TRUE(back.value) << f.digits << f.prefix << ": " << back.error;
            EXPECT_EQ(*back.value, value) << f.digits << f.prefix;
        }
    }
    EXPECT_EQ(prefixForms(*parse("4.7u").value)[2].digits, "4700");
    EXPECT_EQ(prefixForms(*parse("4.7u").value)[5].digits, "0.0000047");
}

struct Asked {
    const char* text;
    Conversion::Kind kind;
    int which; // the Level or the Wave
    double value;
};

TEST(ConversionText, EachFormIsReadAsWhatItAsks)
{
    using K = Conversion::Kind;
    const Asked asked[] = {
        {"10dBm", K::Level, int(Level::Dbm), 10},
        {"-3 dBW", K::Level, int(Level::Dbw), -3},
        {"60dBuV", K::Level, int(Level::Dbuv), 60},
        {"60 dBµV", K::Level, int(Level::Dbuv), 60},
        {"0dBu", K::Level, int(Level::Dbu), 0},
        {"-10dbv", K::Level, int(Level::Dbv), -10},
        {"500mW", K::Level, int(Level::Watt), 0.5},
        {"1V", K::Level, int(Level::VoltRms), 1},
        {"1 Vrms", K::Level, int(Level::VoltRms), 1},
        {"1Vpk", K::Level, int(Level::VoltPeak), 1},
        {"2 Vpp", K::Level, int(Level::VoltPeakToPeak), 2},
        {"3dB", K::Gain, 0, 3},
        {"+3dB", K::Gain, 0, 3},
        {"100:1", K::Ratio, 0, 100},
        {"1 : 4", K::Ratio, 0, 0.25},
        {"2.4GHz", K::Wave, int(Wave::Frequency), 2.4e9},
        {"1ns", K::Wave, int(Wave::Period), 1e-9},
        {"300mm", K::Wave, int(Wave::Wavelength), 0.3},
        {"10m", K::Wave, int(Wave::Wavelength), 10},
        {"4.7kohms", K::Prefixes, 0, 4700},
        {"5 ohm", K::Prefixes, 0, 5},
        {"4.7uF", K::Prefixes, 0, 4.7e-6},
        {"100nH", K::Prefixes, 0, 100e-9},
        {"4k7", K::Prefixes, 0, 4700},
    };
    for (const Asked& a : asked) {
        const Conversion c = parseConversion(a.text);
        ASSERT_TRUE(c.ok()) << a.text << ": " << c.error;
        EXPECT_EQ(c.kind, a.kind) << a.text;
        EXPECT_DOUBLE_EQ(c.value, a.value) << a.text;
        if (a.kind == K::Level) {
            EXPECT_EQ(c.level, static_cast<Level>(a.which)) << a.text;
        }
        if (a.kind == K::Wave) {
            EXPECT_EQ(c.wave, static_cast<Wave>(a.which)) << a.text;
        }
    }
    EXPECT_EQ(parseConversion("4.7uF").unit, "F");
    EXPECT_EQ(parseConversion("100nH").unit, "H");
}

TEST(ConversionText, RefusalsQuoteWhatWasTyped)
{
    const std::pair<const char*, const char*> refused[] = {
        {"", "Type a value: write 10dBm, 3dB, 2:1, 1GHz or 4.7uF"},
        {"abc", "'abc' is not a value: write 10dBm, 3dB, 2:1, 1GHz, 1ns or 4.7uF"},
        {"600dBm", "'600dBm' is beyond ±500 dB"},
        {"1kdBm", "'1kdBm' is not a number of decibels: write 10, -3 or 0"},
        {"-1V", "'-1V' is negative: write a value above zero"},
        {"0Hz", "'0Hz' is zero: write a value above zero"},
        {"2:", "'2:' is not a ratio: write 2:1 or 1:10"},
        {"2:0", "'2:0' is zero: write a value above zero"},
        {"5VV", "'5VV' has two units"},
    };
    for (const auto& [text, error] : refused)
        EXPECT_EQ(parseConversion(text).error, error) << text;
}

TEST(Battery, PeukertSelfDischargeAndDeratingTakeTheirShare)
{
    Battery b;
    b.capacityAh = 100;
    b.activeA = 10;
    b.peukert = 1.2;
    // Peukert's law as it is usually written: t = H (C / (I H))^k.
    EXPECT_NEAR(batteryLife(b).hours, 20 * std::pow(100 / (10.0 * 20), 1.2), 1e-9);
    b.peukert = 1;
    b.derating = 0.2;
    EXPECT_DOUBLE_EQ(batteryLife(b).hours, 8);
    b.derating = 0;
    b.selfDischarge = 0.07305; // 7.305 Ah of 100 over a month's 730.5 h: 10 mA
    EXPECT_NEAR(batteryLife(b).selfDischargeA, 0.01, 1e-15);
    EXPECT_NEAR(batteryLife(b).hours, 100 / 10.01, 1e-12);
    EXPECT_DOUBLE_EQ(batteryLife(b).days, batteryLife(b).hours / 24);
}

TEST(Battery, CapacityIsReadInAmpereHoursOrWattHours)
{
    EXPECT_DOUBLE_EQ(*parseCapacity("2000mAh").ah, 2);
    EXPECT_DOUBLE_EQ(*parseCapacity("2000").ah, 2);
    EXPECT_DOUBLE_EQ(*parseCapacity("2.4 Ah").ah, 2.4);
    EXPECT_DOUBLE_EQ(*parseCapacity("10Wh").wh, 10);
    EXPECT_FALSE(parseCapacity("10Wh").ah);
    EXPECT_EQ(parseCapacity("2000mA").error, "'2000mA' is not a capacity: write 2000mAh, 2Ah or 10Wh");
    EXPECT_EQ(parseCapacity("-2Ah").error, "'-2Ah' is negative: write a value above zero");
}

TEST(Capacitor, EnergyChargeAndHoldUpForEachLoad)
{
    const CapacitorCharge c = capacitorCharge(1000e-6, 12);
    EXPECT_DOUBLE_EQ(c.energyJ, 0.072);
    EXPECT_DOUBLE_EQ(c.chargeC, 0.012);
    const HoldUp current = holdUp(1000e-6, 12, 9, Load::Current, 0.1);
    EXPECT_DOUBLE_EQ(current.seconds, 0.03);
    EXPECT_DOUBLE_EQ(current.energyJ, 0.0315);
    EXPECT_DOUBLE_EQ(holdUp(1000e-6, 12, 9, Load::Power, 1).seconds, 0.0315);
    EXPECT_DOUBLE_EQ(holdUp(1, 5, 0, Load::Power, 1).seconds, 12.5);
}

} // namespace
