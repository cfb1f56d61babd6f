// SPDX-License-Identifier: MIT
// What the command line prints besides its answers: its messages, escaped, and the check that
// the answer reached standard output.
#include "cli/cli.h"

#include <csignal>
#include <cstdint>
#include <iostream>
#include <ostream>

namespace cli {

namespace {

// The length of the UTF-8 sequence starting text[i] when it is well formed, else 0.
std::size_t sequence(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t n = lead < 0x80 ? 1
        : (lead >> 5) == 0x6          ? 2
        : (lead >> 4) == 0xE          ? 3
        : (lead >> 3) == 0x1E         ? 4
                                      : 0;
    if (n == 0 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    // C1 controls (U+0080 to U+009F) act as escape sequences on some terminals.
    if (n == 2 && lead == 0xC2 && byte(i + 1) < 0xA0)
        return 0;
    return n;
}

// The code point of a well-formed sequence of n bytes at text[i].
char32_t codePoint(std::string_view text, std::size_t i, std::size_t n)
{
    static constexpr unsigned char leadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t cp = static_cast<unsigned char>(text[i]) & leadBits[n];
    for (std::size_t k = 1; k < n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return cp;
}

// The marks and embeddings that reorder what follows them on screen: an argument holding one
// could make the rest of the message read differently from what it says.
bool bidiControl(char32_t cp)
{
    return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
        (cp >= 0x2066 && cp <= 0x2069);
}

void appendHex(std::string& out, std::uint32_t value, int digits)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 0xF];
}

} // namespace

std::string printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = sequence(text, i);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            out += "\\x";
            appendHex(out, c, 2);
            ++i;
            continue;
        }
        if (const char32_t cp = codePoint(text, i, n); bidiControl(cp)) {
            out += "\\u";
            appendHex(out, cp, 4);
            i += n;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out;
}

void message(std::ostream& err, std::string_view text)
{
    err << "voltiva: " << printable(text) << '\n';
}

int usage(std::ostream& err, std::string_view text)
{
    message(err, text);
    return exitUsage;
}

int run(const std::vector<std::string>& args, std::span<const Command> commands, std::ostream& out, std::ostream& err)
{
    const int status = dispatch(args, commands, out, err);
    // A full disk or a closed pipe must not pass for an answer given.
    out.flush();
    if (!out) {
        message(err, "cannot write the answer to standard output");
        return exitFailure;
    }
    return status;
}

int runOnStandardStreams(const std::vector<std::string>& args, std::span<const Command> commands)
{
    // Ignored, the signal becomes EPIPE on the write, which run() reports.
    std::signal(SIGPIPE, SIG_IGN);
    return run(args, commands, std::cout, std::cerr);
}

} // namespace cli
