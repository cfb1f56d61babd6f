// SPDX-License-Identifier: MIT
#include "tools/conversions/prefixes.h"

#include "values/conversions.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

ConversionsPrefixes::ConversionsPrefixes(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pagePrefixes"));
    auto* grid = new QGridLayout;
    value_ = boardfields::row(this, grid, 0, "txtPrefixValue", tr("&Value:"), tr("Value"), QString());
    value_.field->setPlaceholderText(tr("e.g. 4.7uF or 2.4GHz"));
    grid->setColumnStretch(3, 1);

    constexpr int prefixes = 10;
    tblPrefixes_ = named(new QTableWidget(prefixes, 2, this), "tblPrefixes", tr("The value under every prefix"));
    tblPrefixes_->setHorizontalHeaderLabels({tr("Value"), tr("Unit")});
    tblPrefixes_->verticalHeader()->hide();
    tblPrefixes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPrefixes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblPrefixes_->setWordWrap(false);
    tblPrefixes_->setTabKeyNavigation(false);
    for (int r = 0; r < prefixes; ++r) {
        tblPrefixes_->setItem(r, 0, cell(QString()));
        tblPrefixes_->setItem(r, 1, cell(QString(), Qt::AlignLeft | Qt::AlignVCenter));
    }
    QHeaderView* header = tblPrefixes_->horizontalHeader();
    const int padding = 4 * tblPrefixes_->style()->pixelMetric(QStyle::PM_HeaderMargin);
    header->resizeSection(
        0, tblPrefixes_->fontMetrics().horizontalAdvance(QStringLiteral("0.000000000000000000000000000001")) + padding);
    header->setStretchLastSection(true);
    // Every row shows without scrolling.
    tblPrefixes_->setMinimumHeight(header->height() + tblPrefixes_->rowHeight(0) * prefixes +
                                   2 * tblPrefixes_->frameWidth());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(tblPrefixes_, 1);

    tabChain({value_.field, tblPrefixes_});
    connect(value_.field, &QLineEdit::textChanged, this, &ConversionsPrefixes::refresh);
}

void ConversionsPrefixes::refresh()
{
    value_.message->clear();
    const values::Conversion c = values::parsePrefixed(boardfields::typed(value_.field), decimalSeparator(locale()));
    if (!c.ok() && !value_.field->text().trimmed().isEmpty())
        value_.message->setText(QString::fromStdString(c.error));
    const auto forms = values::prefixForms(c.exact);
    for (int r = 0; r < tblPrefixes_->rowCount(); ++r) {
        const values::PrefixForm& f = forms[static_cast<std::size_t>(r)];
        tblPrefixes_->item(r, 0)->setText(c.ok() ? localised(f.digits, locale()) : QString());
        tblPrefixes_->item(r, 1)->setText(c.ok() ? QString::fromStdString(std::string(f.prefix) + c.unit) : QString());
    }
}

} // namespace tools
