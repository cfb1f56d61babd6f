// SPDX-License-Identifier: MIT
// Networks as people type them, on any text: a refusal has a message and a place inside the
// text; a network read is written back in the finder's form, and that text reads to the same
// network with the same exact value and range. The first byte picks the kind (odd: capacitors),
// a comma separator (',') or a common tolerance (its value mod 30, in percent).
#include "support.h"

#include "numeric/parse.h"
#include "values/expression.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > fuzz::maxInputSize + 1)
        return -1;
    const std::uint8_t selector = data[0];
    const values::Kind kind = (selector & 1U) != 0 ? values::Kind::Capacitor : values::Kind::Resistor;
    const char separator = selector == ',' ? ',' : '.';
    const values::Decimal tolerance = values::Decimal::of(selector % 30, 0);
    const std::string text(data + 1, data + size);

    const values::ParsedExpression parsed = values::parseNetwork(text, kind, separator);
    if (!parsed.network) {
        if (parsed.error.message.empty())
            fuzz::fail("refused without a message", {text});
        if (parsed.error.position > text.size() || parsed.error.position + parsed.error.length > text.size())
            fuzz::fail("marked a place beyond the text", {text, parsed.error.message});
        return 0;
    }
    const values::NetworkExpression& network = *parsed.network;
    const std::string written = values::networkText(network.tree, network.tolerances);
    const values::ParsedExpression again = values::parseNetwork(written, kind);
    if (!again.network)
        fuzz::fail("the text written back does not read", {text, written, again.error.message});
    if (values::networkText(again.network->tree, again.network->tolerances) != written)
        fuzz::fail("the text written back is written back differently", {text, written});

    const values::NetworkValue first = values::evaluate(network, kind, tolerance, values::Series::E24);
    const values::NetworkValue second = values::evaluate(*again.network, kind, tolerance, values::Series::E24);
    if (first.exact != second.exact || first.value != second.value || first.nearest != second.nearest ||
        first.lowNearest != second.lowNearest || first.highNearest != second.highNearest ||
        first.centre != second.centre)
        fuzz::fail("the text written back has another value", {text, written});
    if (!(first.lowNearest <= first.nearest && first.nearest <= first.highNearest) || !(first.lowNearest > 0))
        fuzz::fail("the range does not hold the value", {text, written});
    if (first.exact && first.exact->digits() > values::exactDigits)
        fuzz::fail("called exact a value not shown in full", {text, written});
    return 0;
}
