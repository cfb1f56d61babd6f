// SPDX-License-Identifier: MIT
#include "tools/attenuator.h"

#include "numeric/format.h"
#include "schematic/schematic.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/pads.h"
#include "values/series.h"

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

enum Column { CPad, CResistor, CExact, CStandard, CDb, CZin, CReturnLoss, CColumns };
constexpr int rows = 7; // 2 + 2 + 3 resistors
constexpr int firstRow[] = {0, 2, 4};
constexpr int defaultSeries = 5; // E96

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString role(std::string_view r)
{
    if (r == "shunt")
        return Attenuator::tr("shunt");
    if (r == "series")
        return Attenuator::tr("series");
    if (r == "arm")
        return Attenuator::tr("arm");
    return Attenuator::tr("bridge");
}

QString padName(values::PadKind kind)
{
    switch (kind) {
    case values::PadKind::Pi:
        return Attenuator::tr("Pi");
    case values::PadKind::Tee:
        return Attenuator::tr("T");
    case values::PadKind::BridgedTee:
        return Attenuator::tr("Bridged T");
    }
    return {};
}

} // namespace

Attenuator::Attenuator(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAttenuator"));
    setWindowTitle(tr("Attenuator"));
    build();
    for (QLineEdit* edit : {txtPadDb_, txtPadZ_})
        connect(edit, &QLineEdit::textChanged, this, &Attenuator::refresh);
    connect(cboPadSeries_, &QComboBox::currentIndexChanged, this, &Attenuator::refresh);
    connect(tblPads_, &QTableWidget::itemSelectionChanged, this, &Attenuator::selectionChanged);
    refresh();
}

void Attenuator::build()
{
    const auto message = [this](const char* name) { return warningLabel(this, name); };
    txtPadDb_ = field(this, "txtPadDb", tr("Attenuation in dB"), tr("e.g. 6 or 20"));
    txtPadZ_ = named(new QLineEdit(localised("50", locale()), this), "txtPadZ", tr("Impedance in ohms"));
    const int fieldWidth = txtPadDb_->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) * 3 / 2;
    for (QLineEdit* edit : {txtPadDb_, txtPadZ_})
        edit->setMinimumWidth(fieldWidth);
    lblPadDbMessage_ = message("lblPadDbMessage");
    lblPadZMessage_ = message("lblPadZMessage");
    cboPadSeries_ = named(new QComboBox(this), "cboPadSeries", tr("Series of the standard values"));
    for (const values::Series s : values::allSeries)
        cboPadSeries_->addItem(text(values::name(s)));
    cboPadSeries_->setCurrentIndex(defaultSeries);

    auto* fields = new QGridLayout;
    fields->addWidget(labelFor(this, "lblPadDb", tr("&Attenuation:"), txtPadDb_), 0, 0);
    fields->addWidget(txtPadDb_, 0, 1);
    fields->addWidget(named(new QLabel(QStringLiteral("dB"), this), "lblPadDbUnit"), 0, 2);
    fields->addWidget(lblPadDbMessage_, 0, 3);
    fields->addWidget(labelFor(this, "lblPadZ", tr("&Impedance:"), txtPadZ_), 1, 0);
    fields->addWidget(txtPadZ_, 1, 1);
    fields->addWidget(named(new QLabel(QStringLiteral("Ω"), this), "lblPadZUnit"), 1, 2);
    fields->addWidget(lblPadZMessage_, 1, 3);
    fields->addWidget(labelFor(this, "lblPadSeries", tr("&Series:"), cboPadSeries_), 2, 0);
    fields->addWidget(cboPadSeries_, 2, 1);
    fields->setColumnStretch(3, 1);

    tblPads_ = named(new QTableWidget(rows, CColumns, this), "tblPads", tr("Pads"));
    tblPads_->setHorizontalHeaderLabels(
        {tr("Pad"), tr("Resistor"), tr("Exact"), tr("E96"), tr("Attenuation"), tr("Z in"), tr("Return loss")});
    tblPads_->horizontalHeaderItem(CPad)->setToolTip(
        tr("How the resistors are placed: Pi has a shunt at each end, T a series arm at each end, bridged T "
           "adds a resistor across the arms"));
    tblPads_->horizontalHeaderItem(CExact)->setToolTip(tr("The ideal value, K = 10^(A / 20)"));
    tblPads_->horizontalHeaderItem(CStandard)->setToolTip(tr("The nearest value of the series"));
    tblPads_->horizontalHeaderItem(CDb)->setToolTip(
        tr("What the pad built from the standard values attenuates, terminated in the impedance"));
    tblPads_->horizontalHeaderItem(CZin)->setToolTip(
        tr("The input impedance of the pad built from the standard values, terminated in the impedance"));
    tblPads_->horizontalHeaderItem(CReturnLoss)
        ->setToolTip(
            tr("How much weaker than the signal its reflection at the input is, in dB: the more, the better the "
               "match"));
    tblPads_->verticalHeader()->hide();
    makeResultsTable(tblPads_);
    for (int pad = 0; pad < 3; ++pad) {
        const int span = pad == 2 ? 3 : 2;
        for (const int column : {CPad, CDb, CZin, CReturnLoss})
            tblPads_->setSpan(firstRow[pad], column, span, 1);
    }
    const int rowHeight = tblPads_->verticalHeader()->defaultSectionSize();
    tblPads_->setMinimumHeight(tblPads_->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                               2 * tblPads_->frameWidth() + 2);
    tblPads_->setMinimumWidth(tblPads_->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 90);

    auto* drawings = new QHBoxLayout;
    const char* names[] = {"picPadPi", "picPadTee", "picPadBridgedTee"};
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        pictures_[i] = named(new CircuitView(this), names[i], tr("The %1 pad drawn").arg(padName(values::allPads[i])));
        pictures_[i]->setMinimumSize(160, 140);
        drawings->addWidget(pictures_[i], 1);
    }
    // Three views, three Copy picture buttons: each its own access key and name.
    const QString copyTexts[] = {tr("Copy &picture"), tr("Cop&y picture"), tr("Copy pictu&re")};
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        if (auto* copy = pictures_[i]->findChild<QPushButton*>(QStringLiteral("cmdCopyPicture"))) {
            copy->setText(copyTexts[i]);
            copy->setAccessibleName(tr("Copy the %1 pad's picture").arg(padName(values::allPads[i])));
        }
    }

    auto* underTable = new QHBoxLayout;
    underTable->addWidget(named(new QLabel(tr("Select a row to draw its pad large."), this), "lblPadHint"), 1);
    // Its own key: the Copy picture buttons take the others of "copy".
    cmdCopyTable_ = copyTableButton(this, tblPads_, "cmdCopyTable", tr("Copy ta&ble"));
    underTable->addWidget(cmdCopyTable_);

    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(labelFor(this, "lblPads", tr("Pa&ds:"), tblPads_));
    layout->addWidget(tblPads_);
    layout->addLayout(underTable);
    layout->addLayout(drawings, 1);
    layout->addLayout(buttons);

    std::vector<QWidget*> order{txtPadDb_, txtPadZ_, cboPadSeries_, tblPads_, cmdCopyTable_};
    for (CircuitView* picture : pictures_)
        order.push_back(picture->copyButton());
    order.push_back(cmdClose_);
    tabChain(order);
    setFocusProxy(txtPadDb_);
}

void Attenuator::refresh()
{
    const values::Series series = values::allSeries[static_cast<std::size_t>(cboPadSeries_->currentIndex())];
    tblPads_->horizontalHeaderItem(CStandard)->setText(text(values::name(series)));
    lblPadDbMessage_->clear();
    lblPadZMessage_->clear();
    const char separator = decimalSeparator(locale());
    const QString dbText = txtPadDb_->text().trimmed();
    std::optional<values::Decimal> db;
    if (!dbText.isEmpty()) {
        const values::ParsedAttenuation parsed = values::parseAttenuation(dbText.toStdString(), separator);
        db = parsed.db;
        if (!db)
            lblPadDbMessage_->setText(QString::fromStdString(parsed.error));
    }
    const std::optional<values::Decimal> z = readTyped(txtPadZ_, lblPadZMessage_, values::Measure::Impedance);
    if (!db || !z) {
        clearPads();
        return;
    }
    showPads(values::designPads(*db, *z, series));
}

void Attenuator::showPads(const std::array<values::Pad, 3>& pads)
{
    const QLocale l = locale();
    for (std::size_t p = 0; p < pads.size(); ++p) {
        const values::Pad& pad = pads[p];
        const int top = firstRow[p];
        tblPads_->setItem(top, CPad, cell(padName(pad.kind), Qt::AlignLeft | Qt::AlignVCenter));
        const values::PadPerformance& built = pad.standard;
        tblPads_->setItem(top, CDb, cell(localised(values::figure(built.db, "dB"), l), decibels(built.db)));
        tblPads_->setItem(top, CZin, cell(localised(values::figure(built.zIn, "Ω"), l), fullText(built.zIn, "Ω", l)));
        QTableWidgetItem* loss = built.returnLossDb
            ? cell(localised(values::figure(*built.returnLossDb, "dB"), l), decibels(*built.returnLossDb))
            : cell(tr("infinite"));
        if (!built.returnLossDb)
            loss->setToolTip(tr("Z in equals the impedance exactly: a perfect match"));
        tblPads_->setItem(top, CReturnLoss, loss);
        QStringList exact;
        QStringList standard;
        for (std::size_t r = 0; r < pad.resistors.size(); ++r) {
            const values::PadResistor& resistor = pad.resistors[r];
            const int row = top + static_cast<int>(r);
            const QString name =
                role(resistor.role) + (resistor.count > 1 ? tr(" (×%1)").arg(resistor.count) : QString());
            tblPads_->setItem(row, CResistor, cell(name, Qt::AlignLeft | Qt::AlignVCenter));
            tblPads_->setItem(
                row, CExact, cell(localised(values::figure(resistor.exact, "Ω"), l), fullText(resistor.exact, "Ω", l)));
            tblPads_->setItem(row, CStandard, cell(ohms(resistor.standard), fullText(resistor.standard, "Ω", l)));
            standard << ohms(resistor.standard);
        }
        switch (pad.kind) {
        case values::PadKind::Pi:
            pictures_[p]->setDrawing(schematic::piPad(standard[0], standard[1]));
            break;
        case values::PadKind::Tee:
            pictures_[p]->setDrawing(schematic::teePad(standard[0], standard[1]));
            break;
        case values::PadKind::BridgedTee:
            pictures_[p]->setDrawing(schematic::bridgedTeePad(standard[0], standard[1], standard[2]));
            break;
        }
    }
    selectionChanged();
}

void Attenuator::clearPads()
{
    tblPads_->clearContents();
    for (CircuitView* picture : pictures_)
        picture->setDrawing({});
    selectionChanged();
}

void Attenuator::selectionChanged()
{
    const QList<QModelIndex> selected = tblPads_->selectionModel()->selectedRows();
    int shown = -1;
    if (!selected.isEmpty()) {
        const int row = selected.front().row();
        shown = row >= firstRow[2] ? 2 : row >= firstRow[1] ? 1 : 0;
    }
    for (int i = 0; i < 3; ++i)
        pictures_[static_cast<std::size_t>(i)]->setVisible(shown < 0 || shown == i);
}

// Decibels carry no prefix: "6.0205999132796242 dB".
QString Attenuator::decibels(double db) const
{
    return localised(values::shortestText(db), locale()) + QStringLiteral(" dB");
}

QString Attenuator::ohms(const values::Decimal& v) const
{
    return localised(values::withUnit(v, "Ω"), locale());
}

} // namespace tools
