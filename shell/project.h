// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

class Form;
class Project;

// A screen or control name that names nothing. Names are resolved when a screen is built, so a
// misspelt one stops the program there, in every build type, instead of on some later click.
class NameError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

using Factory = std::function<std::unique_ptr<Form>(Project&)>;
using ScreenEntry = std::pair<const std::string, Factory>;

// Every screen of a program by name, and the one it starts on.
struct ScreenTable {
    std::map<std::string, Factory, std::less<>> screens;
    std::string start;
};

// A screen of the table: a Form class constructed from the project, or any factory.
template <class F>
ScreenEntry screen(const char* name)
{
    return {name, [](Project& p) { return std::make_unique<F>(p); }};
}
inline ScreenEntry screen(const char* name, Factory make)
{
    return {name, std::move(make)};
}

// The program's screens and the little it knows while it runs: each screen's default
// instance, created on first reference, how many screens are loaded, and the display
// precision chosen under Options.
class Project {
public:
    explicit Project(ScreenTable table);
    ~Project();
    // Forms hold a reference to their project.
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    Project(Project&&) = delete;
    Project& operator=(Project&&) = delete;

    // The default instance of a screen, reachable by name from any handler; NameError when the
    // table has no such screen.
    Form& form(std::string_view name);
    void show(std::string_view name);
    std::vector<std::string> screenNames() const;
    void start() { show(start_); }

    int loadedCount() const { return loaded_; }
    // A window that is no screen's default instance (a second workbench) keeps the program
    // going, as a loaded screen does, until it is destroyed.
    void holdOpen(QObject& window);
    // Called when the last loaded screen is unloaded; quits the event loop by default.
    void setOnLastUnloaded(std::function<void()> onLast) { onLastUnloaded_ = std::move(onLast); }

    // The choice made under Options, for this run only.
    enum class Precision { Unchosen, TwoDecimals, ThreeDecimals, FloatDecimals };
    Precision precision() const { return precision_; }
    void setPrecision(Precision precision) { precision_ = precision; }
    // Decimals every calculator rounds its result to; none: each keeps its own format.
    std::optional<int> displayDecimals() const;

    // The decimal separator of numbers typed and shown: the locale's.
    static std::string decimalSeparator();

    static QIcon icon();

private:
    friend class Form;
    void formLoaded() { ++loaded_; }
    void formUnloaded();

    std::map<std::string, Factory, std::less<>> factories_;
    std::string start_;
    std::map<std::string, std::unique_ptr<Form>, std::less<>> forms_;
    int loaded_ = 0;
    std::function<void()> onLastUnloaded_;
    Precision precision_ = Precision::Unchosen;
};

} // namespace shell
