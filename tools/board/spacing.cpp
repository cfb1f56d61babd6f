// SPDX-License-Identifier: MIT
#include "tools/board/spacing.h"

#include "tools/table.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

namespace {

enum Column { CCategory, CSpacing, CConductors, CColumns };

} // namespace

BoardSpacing::BoardSpacing(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageSpacing"));
    build();
    refresh();
}

void BoardSpacing::build()
{
    auto* grid = new QGridLayout;
    voltage_ = boardfields::row(this, grid, 0, "txtSpacingVoltage", tr("Volta&ge:"),
                                tr("Voltage between the conductors"), QStringLiteral("V"));
    voltage_.field->setPlaceholderText(tr("e.g. 48 or 230"));
    cboKind_ = named(new QComboBox(this), "cboSpacingKind", tr("What the voltage is"));
    cboKind_->addItem(tr("DC or AC peak"));
    cboKind_->addItem(tr("AC RMS (its peak is √2 times as much)"));
    grid->addWidget(labelFor(this, "lblSpacingKind", tr("&AC or DC:"), cboKind_), 1, 0);
    grid->addWidget(cboKind_, 1, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    lblRow_ = new SteadyLabel(this, QStringLiteral("lblSpacingRow"), 2, SteadyLabel::Tone::Plain);

    const auto& categories = values::spacingCategories();
    tblSpacing_ = named(new QTableWidget(static_cast<int>(categories.size()), CColumns, this), "tblSpacing",
                        tr("Minimum conductor spacing"));
    tblSpacing_->setHorizontalHeaderLabels({tr("Category"), tr("Minimum spacing"), tr("Conductors")});
    tblSpacing_->horizontalHeaderItem(CCategory)->setToolTip(
        tr("IPC-2221B's name for where the conductors run, which the Conductors column gives in words"));
    tblSpacing_->verticalHeader()->hide();
    makeResultsTable(tblSpacing_, {CConductors});
    int row = 0;
    for (const values::SpacingCategory& c : categories) {
        tblSpacing_->setItem(row, CCategory, cell(QString::fromLatin1(c.code), Qt::AlignCenter));
        tblSpacing_->setItem(row, CSpacing, cell(QString()));
        tblSpacing_->setItem(row, CConductors, cell(tr(c.description), Qt::AlignLeft | Qt::AlignVCenter));
        ++row;
    }
    const int padding = 4 * tblSpacing_->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const QFontMetrics metrics = tblSpacing_->fontMetrics();
    QHeaderView* header = tblSpacing_->horizontalHeader();
    const int spacingWidth = std::max(metrics.horizontalAdvance(QStringLiteral("12.525 mm (493.1 mil)")),
                                      header->fontMetrics().horizontalAdvance(tr("Minimum spacing"))) +
        padding;
    int descriptions = 0;
    int codes = header->sectionSizeHint(CCategory);
    for (int r = 0; r < tblSpacing_->rowCount(); ++r) {
        descriptions = std::max(descriptions, metrics.horizontalAdvance(tblSpacing_->item(r, CConductors)->text()));
        codes = std::max(codes, metrics.horizontalAdvance(tblSpacing_->item(r, CCategory)->text()) + padding);
    }
    const int width = codes + spacingWidth + descriptions + padding + 2 * tblSpacing_->frameWidth();
    const int height = header->sizeHint().height() +
        tblSpacing_->rowCount() * tblSpacing_->verticalHeader()->defaultSectionSize() + 2 * tblSpacing_->frameWidth();
    tblSpacing_->setMinimumSize(width, height);
    tblSpacing_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* note = boardfields::note(this, "lblSpacingNote",
                                   tr("IPC-2221B table 6-1. Above 500 V each category adds its figure per volt above "
                                      "500 V to the 301-500 V row. Safety standards for the product (IEC 62368-1, "
                                      "IEC 60664-1) may ask for more."));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblRow_);
    auto* tableLabel = named(new QLabel(tr("Spacing by category:"), this), "lblSpacingTable");
    layout->addWidget(tableLabel);
    layout->addWidget(tblSpacing_, 1);
    auto* copy = new QHBoxLayout;
    copy->addStretch();
    cmdCopy_ = copyTableButton(this, tblSpacing_, "cmdCopySpacing");
    copy->addWidget(cmdCopy_);
    layout->addLayout(copy);
    layout->addWidget(note);

    tabChain({voltage_.field, cboKind_, tblSpacing_, cmdCopy_});
    connect(voltage_.field, &QLineEdit::textChanged, this, &BoardSpacing::refresh);
    connect(cboKind_, &QComboBox::currentIndexChanged, this, &BoardSpacing::refresh);
}

void BoardSpacing::refresh()
{
    voltage_.message->clear();
    lblRow_->clear();
    for (int r = 0; r < tblSpacing_->rowCount(); ++r)
        tblSpacing_->setItem(r, CSpacing, cell(QString()));
    const QString text = voltage_.field->text().trimmed();
    if (text.isEmpty())
        return;
    const values::QuantityReading voltage = values::parseVoltage(text.toStdString(), decimalSeparator(locale()));
    if (!voltage.value) {
        voltage_.message->setText(QString::fromStdString(voltage.error));
        return;
    }
    const bool rms = cboKind_->currentIndex() == 1;
    const values::RmsSpacing peak = rms ? values::spacingForRms(*voltage.value) : values::RmsSpacing{};
    const values::SpacingResult s = rms ? peak.spacing : values::spacing(*voltage.value);
    const values::SpacingRow& row = values::spacingTable()[static_cast<std::size_t>(s.row)];
    const QLocale l = locale();
    const QString rowText = row.toV == 0 ? tr("Above 500 V: the 301-500 V row plus the figure per volt above 500 V.")
                                         : tr("The %1-%2 V row.").arg(row.fromV).arg(row.toV);
    lblRow_->setText(rms ? tr("%1 RMS peaks at %2. %3")
                               .arg(localised(values::withUnit(*voltage.value, "V"), l),
                                    localised(values::withUnit(values::approximate(peak.peakV, 5), "V", 5), l), rowText)
                         : rowText);
    for (int r = 0; r < tblSpacing_->rowCount(); ++r) {
        const double metres = s.metres[static_cast<std::size_t>(r)];
        const QString both = tr("%1 mm (%2 mil)");
        tblSpacing_->setItem(
            r, CSpacing,
            cell(both.arg(boardfields::millimetres(metres, l), boardfields::plain(metres / values::metresPerMil, l)),
                 both.arg(localised(values::shortestText(metres * 1e3), l),
                          localised(values::shortestText(metres / values::metresPerMil), l))));
    }
}

} // namespace tools
