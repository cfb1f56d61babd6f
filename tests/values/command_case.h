// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <gtest/gtest.h>

#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One run of a command line and what it printed.
struct CommandCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out; // the whole output, or "" when only err is checked
    std::string err;
};

void expectPrinted(const CommandCase& c, std::span<const cli::Command> commands)
{
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::run(c.args, commands, out, err), c.status);
    if (!c.out.empty()) {
        EXPECT_EQ(out.str(), c.out);
    }
    EXPECT_EQ(err.str(), c.err);
}

} // namespace
