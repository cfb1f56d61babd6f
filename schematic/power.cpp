// SPDX-License-Identifier: MIT
#include "schematic/power.h"

#include "schematic/builder.h"

#include <algorithm>

namespace schematic {

Drawing cableRun(const QString& supply, const QString& conductor, const QString& load, bool back)
{
    using Side = Builder::Side;
    Builder b;
    const QString out = named(QStringLiteral("R line"), conductor);
    const QString in = named(QStringLiteral("R return"), conductor);
    const double length = std::max(2.4, std::max(textSize(out).width(), textSize(in).width()) + 0.6);
    const double height = 2.4;
    b.terminal({0, 0}, supply, Side::Left);
    b.part(Symbol::Resistor, {0.08, 0}, {length, 0}, out, Side::Above);
    b.part(Symbol::Resistor, {length, 0}, {length, height}, named(QStringLiteral("load"), load), Side::Right);
    if (back) {
        b.part(Symbol::Resistor, {length, height}, {0.08, height}, in, Side::Below);
        b.terminal({0, height}, QStringLiteral("0 V"), Side::Left);
        return b.finish(QStringLiteral("From %1 through the line's resistance %2 to a load of %3, and back through "
                                       "the return conductor's %2")
                            .arg(supply, conductor, load));
    }
    b.terminal({length, height + 0.08}, QStringLiteral("star point"), Side::Below);
    return b.finish(
        QStringLiteral(
            "One of three phases: from %1 through the line's resistance %2 to a load of %3 at the star point")
            .arg(supply, conductor, load));
}

Drawing batteryLoad(const QString& battery, const QString& load)
{
    using Side = Builder::Side;
    Builder b;
    b.supply({0, 0}, battery);
    b.part(Symbol::Resistor, {0, 0}, {0, 2.4}, named(QStringLiteral("load"), load), Side::Right);
    b.ground({0, 2.4});
    return b.finish(QStringLiteral("A battery of %1 feeding a load of %2").arg(battery, load));
}

} // namespace schematic
