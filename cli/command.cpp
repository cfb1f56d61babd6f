// SPDX-License-Identifier: MIT
#include "cli/command.h"

#include "cli/arguments.h"

#include <algorithm>

namespace cli {

namespace {

const OneOf* groupOf(const Syntax& syntax, std::string_view option)
{
    const auto found = std::find_if(syntax.oneOf.begin(), syntax.oneOf.end(),
                                    [&](const OneOf& g) { return g.first == option || g.second == option; });
    return found == syntax.oneOf.end() ? nullptr : &*found;
}

const Option& optionNamed(const Syntax& syntax, std::string_view name)
{
    return *std::find_if(syntax.options.begin(), syntax.options.end(), [&](const Option& o) { return o.name == name; });
}

std::string written(const Option& o, std::string_view value)
{
    return "--" + std::string(o.name) + (o.value.empty() ? "" : " " + std::string(value));
}

// Whether the forms name the option: "--r" is in "--r R --c C", not in "--r1 R".
bool inForms(std::string_view forms, std::string_view name)
{
    const std::string dashed = "--" + std::string(name);
    for (std::size_t at = forms.find(dashed); at != std::string_view::npos; at = forms.find(dashed, at + 1)) {
        const std::size_t end = at + dashed.size();
        if (end == forms.size() || forms[end] == ' ' || forms[end] == ']')
            return true;
    }
    return false;
}

} // namespace

std::string synopsis(std::string_view name, const Syntax& syntax)
{
    std::string line(name);
    if (!syntax.positional.empty())
        line += " " + std::string(syntax.positional);
    if (!syntax.forms.empty())
        line += " " + std::string(syntax.forms);
    for (const Option& o : syntax.options) {
        if (!syntax.forms.empty() && inForms(syntax.forms, o.name))
            continue;
        if (const OneOf* g = groupOf(syntax, o.name)) {
            if (g->first != o.name)
                continue;
            const std::string both = written(o, o.value) + " | " +
                written(optionNamed(syntax, g->second), optionNamed(syntax, g->second).value);
            line += g->neither.empty() ? " [" + both + "]" : " " + both;
        } else if (!o.missing.empty()) {
            line += " " + written(o, o.value);
        } else {
            line += " [" + written(o, o.fallback.empty() ? o.value : o.fallback) + "]";
        }
    }
    return line;
}

std::string helpText(std::string_view name, const Syntax& syntax)
{
    std::string text = "Usage: voltiva " + synopsis(name, syntax) + "\n\n";
    std::size_t width = 0;
    for (const Option& o : syntax.options)
        width = std::max(width, written(o, o.value).size());
    for (const Option& o : syntax.options) {
        const std::string left = written(o, o.value);
        text += "  " + left + std::string(width - left.size() + 2, ' ') + std::string(o.help);
        if (!o.fallback.empty()) {
            text += " (default " + std::string(o.fallback);
            if (!o.withFlag.flag.empty())
                text += "; " + std::string(o.withFlag.fallback) + " with --" + std::string(o.withFlag.flag);
            text += ")";
        }
        text += '\n';
    }
    if (!syntax.examples.empty())
        text += syntax.examples.size() == 1 ? "\nExample:\n" : "\nExamples:\n";
    for (const std::string_view example : syntax.examples)
        text += "  voltiva " + std::string(name) + " " + std::string(example) + "\n";
    return text;
}

Arguments arguments(const std::vector<std::string>& args, const Syntax& syntax)
{
    std::vector<std::string_view> withValue;
    std::vector<std::string_view> flags{"help"};
    for (const Option& o : syntax.options)
        (o.value.empty() ? flags : withValue).push_back(o.name);
    return Arguments(args, withValue, flags);
}

std::optional<std::string> check(std::string_view name, const Syntax& syntax, const Arguments& a)
{
    const std::vector<std::string>& words = a.positionals();
    const std::size_t allowed = syntax.positional.empty() ? 0 : syntax.many ? words.size() : 1;
    if (words.size() > allowed)
        return std::string(name) + ": unexpected argument '" + words[allowed] + "'";
    if (!syntax.positional.empty() && words.empty())
        return std::string(name) + ": give " + std::string(syntax.missing);
    const auto given = [&](std::string_view option) { return a.value(option) || a.flag(option); };
    for (const OneOf& g : syntax.oneOf) {
        if (given(g.first) && given(g.second))
            return std::string(g.both);
        if (!g.neither.empty() && !given(g.first) && !given(g.second))
            return std::string(g.neither);
    }
    for (const Option& o : syntax.options) {
        if (!o.missing.empty() && !a.value(o.name))
            return "--" + std::string(o.name) + ": missing; " + std::string(o.missing);
    }
    return std::nullopt;
}

} // namespace cli
