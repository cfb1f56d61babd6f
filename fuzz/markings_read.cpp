// SPDX-License-Identifier: MIT
// read on any text: returns (never loops or crashes), either readings or one message, every
// reading a positive value in ohms or farads, and colour readings whose bands read back alone.
#include "support.h"

#include "values/markings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::TextInput input = fuzz::textInput(data, size);
    const char separator = input.separator == "," ? ',' : '.';
    const values::ReadResult r = values::read(input.text, separator);
    const std::vector<std::string> texts{input.text};
    if (r.readings.empty() == r.error.empty())
        fuzz::fail("either readings or a message", texts);
    for (const values::Reading& reading : r.readings) {
        if (reading.value <= values::Decimal{})
            fuzz::fail("a reading is not positive", texts);
        if (reading.unit != values::Unit::Ohm && reading.unit != values::Unit::Farad)
            fuzz::fail("a reading is neither ohms nor farads", texts);
        if (reading.kind == values::ReadingKind::ColourBands) {
            const values::ReadResult again = values::readBands(reading.bands);
            if (again.readings.size() != 1 || again.readings[0].value != reading.value)
                fuzz::fail("the bands read alone give another value", texts);
        }
        (void)values::quantity(reading.value, reading.unit, reading.figures);
        if (reading.tolerance)
            (void)values::describe(*reading.tolerance);
    }
    return 0;
}
