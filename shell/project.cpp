// SPDX-License-Identifier: MIT
#include "shell/project.h"

#include "shell/form.h"
#include "shell/icon.h"

#include <QCoreApplication>
#include <QLocale>

namespace shell {

Project::Project(ScreenTable table)
    : factories_(std::move(table.screens))
    , start_(std::move(table.start))
    , onLastUnloaded_([] { QCoreApplication::quit(); })
{
}

Project::~Project() = default;

Form& Project::form(std::string_view name)
{
    auto it = forms_.find(name);
    if (it == forms_.end()) {
        auto factory = factories_.find(name);
        if (factory == factories_.end())
            throw NameError("no screen named " + std::string(name));
        it = forms_.emplace(std::string(name), factory->second(*this)).first;
    }
    return *it->second;
}

void Project::show(std::string_view name)
{
    form(name).show();
}

std::vector<std::string> Project::screenNames() const
{
    std::vector<std::string> names;
    names.reserve(factories_.size());
    for (const auto& [name, factory] : factories_)
        names.push_back(name);
    return names;
}

void Project::holdOpen(QObject& window)
{
    formLoaded();
    QObject::connect(&window, &QObject::destroyed, &window, [this] { formUnloaded(); });
}

void Project::formUnloaded()
{
    if (--loaded_ == 0 && onLastUnloaded_)
        onLastUnloaded_();
}

std::optional<int> Project::displayDecimals() const
{
    switch (precision_) {
    case Precision::TwoDecimals:
        return 2;
    case Precision::ThreeDecimals:
        return 3;
    case Precision::Unchosen:
    case Precision::FloatDecimals:
        break;
    }
    return std::nullopt;
}

std::string Project::decimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

QIcon Project::icon()
{
    static const QIcon icon =
        iconOfSizes(QStringLiteral(":/icons/hicolor/%1x%1/apps/voltiva.png"), {16, 22, 24, 32, 48, 64, 128, 256});
    return icon;
}

} // namespace shell
