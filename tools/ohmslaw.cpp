// SPDX-License-Identifier: MIT
#include "tools/ohmslaw.h"

#include "numeric/format.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/widgets.h"
#include "values/ohm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace tools {

namespace {

using Q = values::Quantity;
constexpr std::array<Q, 4> quantities{Q::Voltage, Q::Current, Q::Resistance, Q::Power};

std::size_t at(Q q)
{
    return static_cast<std::size_t>(q);
}

} // namespace

OhmsLaw::OhmsLaw(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmOhmsLaw"));
    setWindowTitle(tr("Ohm's law"));

    struct Row {
        const char* field;
        const char* label;
        const char* note;
        QString caption;
        QString accessible;
        QString placeholder;
    };
    const Row rows[] = {
        {"txtVoltage", "lblVoltage", "lblVoltageNote", tr("&Voltage (V):"), tr("Voltage"), tr("e.g. 5 or 3.3 V")},
        {"txtCurrent", "lblCurrent", "lblCurrentNote", tr("C&urrent (I):"), tr("Current"), tr("e.g. 20m or 1.5 A")},
        {"txtResistance", "lblResistance", "lblResistanceNote", tr("&Resistance (R):"), tr("Resistance"),
         tr("e.g. 220, 4k7 or 1 MΩ")},
        {"txtPower", "lblPower", "lblPowerNote", tr("&Power (P):"), tr("Power"), tr("e.g. 250m or 5 W")},
    };
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        const Row& r = rows[i];
        auto* edit = field(this, r.field, r.accessible, r.placeholder, QStringLiteral("000.0000000000 mW"));
        auto* label = labelFor(this, r.label, r.caption, edit);
        // A note or a message: as wide as 36 digits, two lines.
        auto* note = new SteadyLabel(this, r.note, 2);
        note->setMinimumWidth(note->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 36);
        fields_[i] = edit;
        notes_[i] = note;
        const int row = static_cast<int>(i);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(note, row, 2);
        const Q q = quantities[i];
        // textChanged, not textEdited: a value that arrives without a keystroke (from a screen
        // reader or dictation, or the worked example typed in with setText) is typed all the same.
        // What this window writes in itself is told apart by the filling guard instead.
        connect(edit, &QLineEdit::textChanged, this, [this, q] {
            if (!given_.isFilling())
                typed(q);
        });
    }
    grid->setColumnStretch(2, 1);

    auto* hint = named(
        new QLabel(tr("Type any two; the other two follow. A third makes the oldest one computed."), this), "lblHint");
    hint->setWordWrap(true);
    hint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    tabChain({fields_[0], fields_[1], fields_[2], fields_[3], cmdClose_});
    setFocusProxy(fields_.front());
}

void OhmsLaw::typed(Q quantity)
{
    const bool emptied = fields_[at(quantity)]->text().trimmed().isEmpty();
    given_.typed(quantity, emptied);
    refresh(emptied ? std::optional(quantity) : std::nullopt);
}

void OhmsLaw::refresh(std::optional<Q> beingCleared)
{
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
    for (QLabel* note : notes_) {
        note->clear();
        note->setPalette(warning);
    }
    const auto computed = [&](Q q) { return q != beingCleared && !given_.isGiven(q); };
    const auto filling = given_.filling();
    const auto clearComputed = [&] {
        for (const Q q : quantities) {
            if (computed(q))
                fields_[at(q)]->clear();
        }
    };
    std::vector<values::OhmGiven> given;
    for (const Q q : given_.order()) {
        const values::OhmParsed parsed =
            values::parseQuantity(fields_[at(q)]->text().toStdString(), q, decimalSeparator(locale()));
        if (!parsed.value) {
            notes_[at(q)]->setText(QString::fromStdString(parsed.error));
            continue;
        }
        given.push_back({q, values::Exact::of(*parsed.value)});
    }
    if (given.size() != 2 || !given_.complete()) {
        clearComputed();
        return;
    }
    const values::OhmResult result = values::ohmsLaw(given[0], given[1]);
    if (!result.ok()) {
        notes_[at(*result.refused)]->setText(localised(result.message, locale()));
        clearComputed();
        return;
    }
    const QString a = QString::fromLatin1(values::symbol(given_.order()[0]).data(), 1);
    const QString b = QString::fromLatin1(values::symbol(given_.order()[1]).data(), 1);
    for (const Q q : quantities) {
        if (!computed(q))
            continue;
        const values::OhmValue& v = result.values[at(q)];
        fields_[at(q)]->setText(localised(values::withUnit(v.shown(), values::unit(q), values::exactDigits), locale()));
        fields_[at(q)]->setCursorPosition(0);
        const QString from = tr("from %1 and %2").arg(a, b);
        notes_[at(q)]->setText(v.exact() ? from : tr("%1, rounded").arg(from));
        notes_[at(q)]->setPalette(palette());
    }
}

} // namespace tools
