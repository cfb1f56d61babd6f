// SPDX-License-Identifier: MIT
#include "tools/conversions/levels.h"

#include "values/conversions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace tools {

namespace {

using values::Level;

struct Form {
    const char* field;
    const char* caption;
    const char* accessible;
    const char* unit; // what may be typed after the number, and what is written after it
};

// In the order of values::Level.
const Form forms[] = {
    {"txtLevelDbm", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "dB&m:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Level in dBm"), "dBm"},
    {"txtLevelDbw", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "d&BW:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Level in dBW"), "dBW"},
    {"txtLevelDbuv", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "dBµ&V:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Level in dB microvolt"), "dBµV"},
    {"txtLevelDbu", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "dB&u:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Level in dBu"), "dBu"},
    {"txtLevelDbv", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "&dBV:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Level in dBV"), "dBV"},
    {"txtLevelPower", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "P&ower:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Power"), "W"},
    {"txtLevelRms", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Voltage, RM&S:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "RMS voltage"), "V"},
    {"txtLevelPeak", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Voltage, p&eak:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Peak voltage"), "V"},
    {"txtLevelPeakToPeak", QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Voltage, peak to pea&k:"),
     QT_TRANSLATE_NOOP("tools::ConversionsLevels", "Peak-to-peak voltage"), "V"},
};

bool inDecibels(std::size_t level)
{
    return level < 5;
}

} // namespace

ConversionsLevels::ConversionsLevels(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageLevels"));
    auto* grid = new QGridLayout;
    int at = 0;
    for (const Form& f : forms) {
        // The caption names the unit, and watts and volts carry their prefix in the field.
        rows_.push_back(boardfields::row(this, grid, at++, f.field, tr(f.caption), tr(f.accessible), QString()));
    }
    impedance_ = boardfields::row(this, grid, at, "txtLevelImpedance", tr("&Impedance:"), tr("Impedance"),
                                  QStringLiteral("Ω"), QStringLiteral("50"));
    grid->setColumnStretch(3, 1);
    rows_.front().field->setPlaceholderText(tr("type in any field"));

    auto* note = boardfields::note(
        this, "lblLevelNote",
        tr("dBm and dBW are powers (0 dBm is 1 mW), dBµV, dBu and dBV voltages (0 dBu is √0.6 V, 1 mW into "
           "600 Ω); the impedance links the two. Peak and peak-to-peak voltages are a sine wave's."));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addStretch();

    std::vector<QWidget*> chain;
    chain.reserve(rows_.size());
    for (const boardfields::Row& r : rows_)
        chain.push_back(r.field);
    chain.push_back(impedance_.field);
    tabChain(chain);
    linked_ =
        new LinkedFields(this, rows_, [this](std::size_t given, const QString& text) { return compute(given, text); });
    connect(impedance_.field, &QLineEdit::textChanged, linked_, &LinkedFields::refresh);
}

LinkedFields::Answer ConversionsLevels::compute(std::size_t given, const QString& text)
{
    const char separator = decimalSeparator(locale());
    const values::Measured z = values::parseAmount(boardfields::typed(impedance_.field),
                                                   {values::Unit::Ohm, {}, "an impedance", "50, 75 or 600"}, separator);
    impedance_.message->setText(
        z.value || impedance_.field->text().trimmed().isEmpty() ? QString() : QString::fromStdString(z.error));
    const Form& form = forms[given];
    std::string error;
    std::optional<double> value;
    if (inDecibels(given)) {
        const std::string typed = text.toStdString();
        std::string_view bare = typed;
        values::takeSuffix(bare, form.unit);
        value = values::parseDecibels(bare, error, separator);
        error = values::requoted(error, values::trim(bare), values::trim(typed));
    } else {
        const bool watts = given == static_cast<std::size_t>(Level::Watt);
        const values::Measured m =
            values::parseAmount(text.toStdString(),
                                watts ? values::Amount{values::Unit::None, "W", "a power", "10m, 10mW or 0.01"}
                                      : values::Amount{values::Unit::Volt, {}, "a voltage", "1, 1V or 500mV"},
                                separator);
        value = m.value;
        error = m.error;
    }
    if (!value)
        return {{}, QString::fromStdString(error)};
    if (!z.value)
        return {};
    const values::Levels levels = values::levels(static_cast<Level>(given), *value, *z.value);
    const QLocale l = locale();
    LinkedFields::Answer answer;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double v = levels[i];
        answer.texts.push_back(inDecibels(i)
                                   ? localised(values::plain(std::abs(v) < 1e-9 ? 0 : v, 5), l)
                                   : localised(values::withUnit(values::approximate(v, 5), forms[i].unit, 5), l));
    }
    return answer;
}

} // namespace tools
