// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

// A transmission line's cross-section, its dimensions labelled: copper filled, the dielectric
// outlined, drawn to the same proportions whatever the figures, which its labels give.
namespace schematic {

struct CrossSection {
    // In the order of the Transmission lines tool's types.
    enum class Kind {
        Microstrip,
        Stripline,
        OffsetStripline,
        Cpw,
        Gcpw,
        CoupledMicrostrip,
        CoupledStripline,
        Coax,
        TwistedPair
    };
    Kind kind = Kind::Microstrip;
    // Each dimension's figure with its unit ("3 mm"), drawn after its name ("w 3 mm"); empty while
    // it is not known, when the name stands alone.
    QString w, s, h, b, t, d, D, er;
    // Solder mask over an outer layer's substrate and strips, its figures in the description
    // ("20 µm", "3.8"); and the strips' sides etched, leaning in by `etch` ("30°"; empty: upright).
    bool mask = false;
    QString maskT, maskEr, etch;
};

Drawing crossSection(const CrossSection& section);

} // namespace schematic
