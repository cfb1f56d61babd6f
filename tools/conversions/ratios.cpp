// SPDX-License-Identifier: MIT
#include "tools/conversions/ratios.h"

#include "values/conversions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace tools {

ConversionsRatios::ConversionsRatios(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageRatios"));
    auto* grid = new QGridLayout;
    rows_.push_back(
        boardfields::row(this, grid, 0, "txtRatioDb", tr("&Decibels:"), tr("Decibels"), QStringLiteral("dB")));
    rows_.push_back(boardfields::row(this, grid, 1, "txtRatioPower", tr("Power rati&o:"), tr("Power ratio"),
                                     QStringLiteral(": 1")));
    rows_.push_back(boardfields::row(this, grid, 2, "txtRatioVoltage", tr("&Voltage ratio:"), tr("Voltage ratio"),
                                     QStringLiteral(": 1")));
    grid->setColumnStretch(3, 1);
    rows_.front().field->setPlaceholderText(tr("type in any field"));

    auto* note = boardfields::note(this, "lblRatioNote",
                                   tr("dB = 10 log10 of a power ratio = 20 log10 of a voltage ratio (across the same "
                                      "impedance), so the power ratio is the voltage ratio squared."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addStretch();

    tabChain({rows_[0].field, rows_[1].field, rows_[2].field});
    new LinkedFields(this, rows_, [this](std::size_t given, const QString& text) { return compute(given, text); });
}

LinkedFields::Answer ConversionsRatios::compute(std::size_t given, const QString& text) const
{
    const char separator = decimalSeparator(locale());
    std::string error;
    std::optional<double> value;
    if (given == 0) {
        const std::string typed = text.toStdString();
        std::string_view bare = typed;
        values::takeSuffix(bare, "dB");
        value = values::parseDecibels(bare, error, separator);
        error = values::requoted(error, values::trim(bare), values::trim(typed));
    } else {
        const values::Measured m =
            values::parseAmount(text.toStdString(), {values::Unit::None, {}, "a ratio", "2, 0.5 or 1k"}, separator);
        value = m.value;
        error = m.error;
    }
    if (!value)
        return {{}, QString::fromStdString(error)};
    const values::Ratios r = values::ratios(static_cast<values::Ratio>(given), *value);
    const QLocale l = locale();
    const auto figure = [&](double v) { return localised(values::plain(v, 5), l); };
    return {{figure(std::abs(r.db) < 1e-9 ? 0 : r.db), figure(r.power), figure(r.voltage)}, {}};
}

} // namespace tools
