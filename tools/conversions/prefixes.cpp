// SPDX-License-Identifier: MIT
#include "tools/conversions/prefixes.h"

#include "tools/table.h"

#include "values/conversions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    makeResultsTable(tblPrefixes_, {1});
    for (int r = 0; r < prefixes; ++r) {
        tblPrefixes_->setItem(r, 0, cell(QString()));
        tblPrefixes_->setItem(r, 1, cell(QString(), Qt::AlignLeft | Qt::AlignVCenter));
    }
    // Every row shows without scrolling.
    tblPrefixes_->setMinimumHeight(tblPrefixes_->horizontalHeader()->sizeHint().height() +
                                   tblPrefixes_->verticalHeader()->defaultSectionSize() * prefixes +
                                   2 * tblPrefixes_->frameWidth());
    auto* copyTable = copyTableButton(this, tblPrefixes_, "cmdCopyPrefixes");
    auto* under = new QHBoxLayout;
    under->addStretch();
    under->addWidget(copyTable);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(tblPrefixes_, 1);
    layout->addLayout(under);

    tabChain({value_.field, tblPrefixes_, copyTable});
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
