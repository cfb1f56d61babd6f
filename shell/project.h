// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

class Form;

// The program's screens and the little it knows while it runs: each screen's default
// instance, created on first reference, how many screens are loaded, and the display
// precision chosen under Options.
class Project {
public:
    using Factory = std::function<std::unique_ptr<Form>(Project&)>;

    // Every screen of the program; the start-up screen is frmMainScr.
    Project();
    // A project with the given screens; tests use it to stand a screen alone.
    explicit Project(std::map<std::string, Factory, std::less<>> factories);
    ~Project();
    // Forms hold a reference to their project.
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    Project(Project&&) = delete;
    Project& operator=(Project&&) = delete;

    // The default instance of a screen, reachable by name from any handler.
    Form& form(std::string_view name);
    void show(std::string_view name);
    std::vector<std::string> screenNames() const;
    void start() { show("frmMainScr"); }

    int loadedCount() const { return loaded_; }
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
    std::map<std::string, std::unique_ptr<Form>, std::less<>> forms_;
    int loaded_ = 0;
    std::function<void()> onLastUnloaded_;
    Precision precision_ = Precision::Unchosen;
};

} // namespace shell
