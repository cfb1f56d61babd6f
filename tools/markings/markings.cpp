// SPDX-License-Identifier: MIT
#include "tools/markings/markings.h"

#include "tools/markings/names.h"

#include "tools/form.h"
#include "tools/localised.h"
#include "tools/singleline.h"
#include "tools/table.h"
#include "tools/widgets.h"

#include "numeric/format.h"
#include "values/markings.h"
#include "values/measure.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace tools {

using values::Colour;

namespace markings {

QString colourName(Colour colour)
{
    switch (colour) {
    case Colour::Pink:
        return Markings::tr("Pink");
    case Colour::Silver:
        return Markings::tr("Silver");
    case Colour::Gold:
        return Markings::tr("Gold");
    case Colour::Black:
        return Markings::tr("Black");
    case Colour::Brown:
        return Markings::tr("Brown");
    case Colour::Red:
        return Markings::tr("Red");
    case Colour::Orange:
        return Markings::tr("Orange");
    case Colour::Yellow:
        return Markings::tr("Yellow");
    case Colour::Green:
        return Markings::tr("Green");
    case Colour::Blue:
        return Markings::tr("Blue");
    case Colour::Violet:
        return Markings::tr("Violet");
    case Colour::Grey:
        return Markings::tr("Grey");
    case Colour::White:
        return Markings::tr("White");
    }
    return {};
}

// What is typed into the marking field for these bands: the reader's own spelling.
QString multiplierText(int exponent)
{
    if (exponent < 0)
        return QStringLiteral("×0.") + QString(-exponent - 1, QLatin1Char('0')) + QLatin1Char('1');
    return QStringLiteral("×") + localised(values::format(values::Decimal::of(1, exponent)));
}

} // namespace markings

namespace {

using markings::colourName;
using markings::multiplierText;

QString u8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString bandText(const std::vector<Colour>& bands)
{
    QStringList names;
    for (Colour c : bands)
        names.append(
            QString::fromUtf8(values::facts(c).name.data(), static_cast<qsizetype>(values::facts(c).name.size())));
    return names.join(QLatin1Char(' '));
}

// A swatch for a list item, drawn at 1x and 2x so it stays sharp on any screen.
QIcon swatch(Colour colour)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(16, 16) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(bandColour(colour).darker(170), 1));
        p.setBrush(bandColour(colour));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString kindText(values::ReadingKind kind)
{
    switch (kind) {
    case values::ReadingKind::ColourBands:
        return Markings::tr("Colour bands");
    case values::ReadingKind::Rkm:
        return Markings::tr("RKM code");
    case values::ReadingKind::Smd3:
        return Markings::tr("SMD 3-digit resistor code");
    case values::ReadingKind::Smd4:
        return Markings::tr("SMD 4-digit resistor code");
    case values::ReadingKind::Eia96:
        return Markings::tr("EIA-96 resistor code");
    case values::ReadingKind::CapacitorCode:
        return Markings::tr("Capacitor code");
    case values::ReadingKind::PlainValue:
        return Markings::tr("Value");
    }
    return {};
}

QString markingKindText(values::MarkingKind kind)
{
    switch (kind) {
    case values::MarkingKind::Bands4:
        return Markings::tr("4 bands");
    case values::MarkingKind::Bands5:
        return Markings::tr("5 bands");
    case values::MarkingKind::Bands6:
        return Markings::tr("6 bands");
    case values::MarkingKind::Smd3:
        return Markings::tr("SMD 3 digits");
    case values::MarkingKind::Smd4:
        return Markings::tr("SMD 4 digits");
    case values::MarkingKind::Eia96:
        return Markings::tr("EIA-96");
    case values::MarkingKind::Rkm:
        return Markings::tr("RKM");
    }
    return {};
}

// The codes' names are terms of art: what each means, for the rows that name one.
QString codeTip(values::MarkingKind kind)
{
    switch (kind) {
    case values::MarkingKind::Smd3:
        return Markings::tr("Two digits, then how many zeros follow: 472 is 4700 Ω");
    case values::MarkingKind::Smd4:
        return Markings::tr("Three digits, then how many zeros follow: 4701 is 4700 Ω");
    case values::MarkingKind::Eia96:
        return Markings::tr("Two digits for one of the 96 values of E96, then a letter for the multiplier: 68X "
                            "is 49.9 Ω");
    case values::MarkingKind::Rkm:
        return Markings::tr("The letter code of IEC 60062: the letter stands for the decimal point and the "
                            "multiplier, as in 4K7");
    default:
        return {};
    }
}

QString codeTip(values::ReadingKind kind)
{
    switch (kind) {
    case values::ReadingKind::Smd3:
        return codeTip(values::MarkingKind::Smd3);
    case values::ReadingKind::Smd4:
        return codeTip(values::MarkingKind::Smd4);
    case values::ReadingKind::Eia96:
        return codeTip(values::MarkingKind::Eia96);
    case values::ReadingKind::Rkm:
        return codeTip(values::MarkingKind::Rkm);
    default:
        return {};
    }
}

const std::array<values::Decimal, 11> tolerances{
    values::Decimal::of(1, -2),  values::Decimal::of(2, -2), values::Decimal::of(5, -2), values::Decimal::of(1, -1),
    values::Decimal::of(25, -2), values::Decimal::of(5, -1), values::Decimal::of(1, 0),  values::Decimal::of(2, 0),
    values::Decimal::of(5, 0),   values::Decimal::of(10, 0), values::Decimal::of(20, 0)};
constexpr int defaultTolerance = 8; // ±5 %
constexpr std::array<int, 9> temperatureCoefficients{250, 100, 50, 25, 20, 15, 10, 5, 1};

QTableWidget* table(const QString& name, const QString& accessibleName, const QStringList& header)
{
    auto* t = new QTableWidget(0, static_cast<int>(header.size()));
    t->setObjectName(name);
    t->setAccessibleName(accessibleName);
    t->setHorizontalHeaderLabels(header);
    t->verticalHeader()->hide();
    // Rows as tall as the text needs, not the style's roomy default: the window holds two tables
    // and the lines kept for their messages.
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    makeResultsTable(t, {static_cast<int>(header.size()) - 1});
    // Opens as tall as its rows need, not at the scroll area's generous default.
    t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return t;
}

// Words and values alike start at the left in the readings and markings tables.
QTableWidgetItem* leftCell(const QString& text)
{
    return cell(text, Qt::AlignLeft | Qt::AlignVCenter);
}

// Tall enough for `rows` rows without a scroll bar.
void fitRows(QTableWidget* t, int rows)
{
    t->setMinimumHeight(t->horizontalHeader()->sizeHint().height() + rows * t->verticalHeader()->defaultSectionSize() +
                        2 * t->frameWidth());
}

// The colour of the notes in the markings table ("none: ..."): greyed as the palette greys
// disabled text, but darkened towards the text colour until it reads at 4.5:1 on the table.
QColor noteColour(const QPalette& palette)
{
    const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    QColor note = grey;
    for (int step = 1; step <= 10 && contrastRatio(note, base) < 4.5; ++step) {
        const double t = step / 10.0;
        note = QColor::fromRgbF(static_cast<float>(grey.redF() + (text.redF() - grey.redF()) * t),
                                static_cast<float>(grey.greenF() + (text.greenF() - grey.greenF()) * t),
                                static_cast<float>(grey.blueF() + (text.blueF() - grey.blueF()) * t));
    }
    return note;
}

void showMessage(QLabel* label, const QString& text)
{
    label->setText(text);
}

} // namespace

// --- Panel -------------------------------------------------------------------------------------

Markings::Markings(QWidget* parent)
    : QWidget(parent)
    , marking_(singleLine(new QLineEdit))
    , readMessage_(new SteadyLabel(nullptr, QStringLiteral("lblReadMessage"), 2))
    , bandCount_(new QComboBox)
{
    setWindowTitle(tr("Markings"));

    // Reading.
    auto* readBox = new QGroupBox(tr("Read a marking"));
    readBox->setObjectName(QStringLiteral("fraRead"));
    marking_->setObjectName(QStringLiteral("txtMarking"));
    marking_->setAccessibleName(tr("Marking"));
    marking_->setPlaceholderText(tr("yellow violet red gold, 4K7, 472, 4701, 68X, 104K"));
    auto* markingLabel = labelFor(nullptr, "lblMarking", tr("&Marking:"), marking_);
    readings_ = table(QStringLiteral("tblReadings"), tr("Readings"),
                      {tr("Reading"), tr("Value"), tr("Tolerance"), tr("Temperature coefficient")});
    const QString toleranceTip = tr("How far the part may be off its marked value");
    const QString tcrTip = tr("How much the resistance changes with temperature, in millionths a kelvin");
    readings_->horizontalHeaderItem(2)->setToolTip(toleranceTip);
    readings_->horizontalHeaderItem(3)->setToolTip(tcrTip);
    auto* readingsLabel = labelFor(nullptr, "lblReadings", tr("&Readings:"), readings_);
    fitRows(readings_, 2); // most texts read two ways at most; more scroll

    auto* readGrid = new QGridLayout(readBox);
    readGrid->addWidget(markingLabel, 0, 0);
    readGrid->addWidget(marking_, 0, 1, 1, 2);
    readGrid->addWidget(readMessage_, 1, 1, 1, 2);
    readGrid->addWidget(readingsLabel, 2, 0, Qt::AlignTop);
    readGrid->addWidget(readings_, 2, 1);
    auto* copyReadings = copyTableButton(nullptr, readings_, "cmdCopyReadings", tr("Cop&y table"));
    copyReadings->setAccessibleName(tr("Copy the readings"));
    readGrid->addWidget(copyReadings, 2, 2, Qt::AlignTop);
    readGrid->setColumnStretch(1, 1);

    // Bands.
    auto* bandsBox = new QGroupBox(tr("Colour bands"));
    bandsBox->setObjectName(QStringLiteral("fraBands"));
    bandCount_->setObjectName(QStringLiteral("cboBandCount"));
    bandCount_->setAccessibleName(tr("Number of bands"));
    for (int n = 3; n <= maxBands; ++n)
        bandCount_->addItem(QString::number(n), n);
    auto* countLabel = labelFor(nullptr, "lblBandCount", tr("&Bands:"), bandCount_);
    auto* pickerGrid = new QGridLayout;
    pickerGrid->addWidget(countLabel, 0, 0);
    pickerGrid->addWidget(bandCount_, 1, 0);
    for (int k = 0; k < maxBands; ++k) {
        auto* picker = new QComboBox;
        picker->setObjectName(QStringLiteral("cboBand%1").arg(k + 1));
        picker->setAccessibleName(tr("Band %1").arg(k + 1));
        for (const values::ColourFacts& f : values::colourTable())
            picker->addItem(swatch(f.colour), colourName(f.colour), static_cast<int>(f.colour));
        picker->setMaxVisibleItems(13);
        auto* label = labelFor(nullptr, QStringLiteral("lblBand%1").arg(k + 1), tr("Band &%1:").arg(k + 1), picker);
        pickerGrid->addWidget(label, 0, k + 1);
        pickerGrid->addWidget(picker, 1, k + 1);
        bandLabels_.push_back(label);
        bandPickers_.push_back(picker);
    }
    pickerGrid->setColumnStretch(maxBands + 1, 1);
    drawing_ = new ResistorDrawing;
    drawing_->setObjectName(QStringLiteral("picResistor"));
    auto* copyPicture = new QPushButton(tr("Copy &picture"));
    copyPicture->setObjectName(QStringLiteral("cmdCopyPicture"));
    copyPicture->setToolTip(tr("Copy the resistor as a picture (SVG and PNG)"));
    auto* drawn = new QHBoxLayout;
    drawn->addWidget(drawing_, 1);
    drawn->addWidget(copyPicture, 0, Qt::AlignBottom);
    auto* bandsLayout = new QVBoxLayout(bandsBox);
    bandsLayout->addLayout(pickerGrid);
    bandsLayout->addLayout(drawn);

    // Marking.
    auto* markBox = new QGroupBox(tr("Mark a value"));
    markBox->setObjectName(QStringLiteral("fraMark"));
    value_ = singleLine(new QLineEdit);
    value_->setObjectName(QStringLiteral("txtValue"));
    value_->setAccessibleName(tr("Value in ohms"));
    value_->setPlaceholderText(tr("4k7, 4.99k, R47, 10m"));
    auto* valueLabel = labelFor(nullptr, "lblValue", tr("&Value:"), value_);
    tolerance_ = new QComboBox;
    tolerance_->setObjectName(QStringLiteral("cboTolerance"));
    tolerance_->setAccessibleName(tr("Tolerance"));
    for (std::size_t k = 0; k < tolerances.size(); ++k)
        tolerance_->addItem(localised(values::describe(values::Tolerance::percent(tolerances[k]))),
                            static_cast<int>(k));
    tolerance_->setCurrentIndex(defaultTolerance);
    tolerance_->setToolTip(toleranceTip);
    auto* toleranceLabel = labelFor(nullptr, "lblTolerance", tr("T&olerance:"), tolerance_);
    tcr_ = new QComboBox;
    tcr_->setObjectName(QStringLiteral("cboTcr"));
    tcr_->setAccessibleName(tr("Temperature coefficient"));
    tcr_->addItem(tr("none"), 0);
    for (int ppm : temperatureCoefficients)
        tcr_->addItem(tr("%1 ppm/K").arg(ppm), ppm);
    tcr_->setToolTip(tcrTip);
    auto* tcrLabel = labelFor(nullptr, "lblTcr", tr("Temperature co&efficient:"), tcr_);
    markMessage_ = new SteadyLabel(nullptr, QStringLiteral("lblMarkMessage"), 2);
    markings_ = table(QStringLiteral("tblMarkings"), tr("Markings"), {tr("Marking"), tr("Code")});
    markings_->setToolTip(tr("Double-click a row of bands to read and draw it"));
    auto* markingsLabel = labelFor(nullptr, "lblMarkings", tr("Mar&kings:"), markings_);
    // Five kinds in view, the rest a scroll away: with the workbench's menu bar and its own title
    // bar the window then fits a 720-pixel screen.
    fitRows(markings_, static_cast<int>(values::allMarkingKinds.size()) - 2);

    auto* markGrid = new QGridLayout(markBox);
    auto* fields = new QHBoxLayout;
    fields->addWidget(value_, 2);
    fields->addSpacing(12);
    fields->addWidget(toleranceLabel);
    fields->addWidget(tolerance_);
    fields->addSpacing(12);
    fields->addWidget(tcrLabel);
    fields->addWidget(tcr_);
    markGrid->addWidget(valueLabel, 0, 0);
    markGrid->addLayout(fields, 0, 1, 1, 2);
    markGrid->addWidget(markMessage_, 1, 1, 1, 2);
    markGrid->addWidget(markingsLabel, 2, 0, Qt::AlignTop);
    markGrid->addWidget(markings_, 2, 1);
    auto* copyMarkings = copyTableButton(nullptr, markings_, "cmdCopyMarkings", tr("Copy t&able"));
    copyMarkings->setAccessibleName(tr("Copy the markings"));
    markGrid->addWidget(copyMarkings, 2, 2, Qt::AlignTop);
    markGrid->setColumnStretch(1, 1);

    auto* close = new QPushButton(tr("&Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(readBox, 1);
    layout->addWidget(bandsBox);
    layout->addWidget(markBox);
    layout->addLayout(buttons);

    std::vector<QWidget*> order{marking_, readings_, copyReadings, bandCount_};
    order.insert(order.end(), bandPickers_.begin(), bandPickers_.end());
    order.insert(order.end(), {copyPicture, value_, tolerance_, tcr_, markings_, copyMarkings, close});
    tabChain(order);

    connect(marking_, &QLineEdit::textChanged, this, &Markings::readMarking);
    connect(bandCount_, &QComboBox::currentIndexChanged, this, &Markings::changeBandCount);
    for (QComboBox* picker : bandPickers_)
        connect(picker, &QComboBox::currentIndexChanged, this, &Markings::pickBands);
    connect(value_, &QLineEdit::textChanged, this, &Markings::markValue);
    connect(tolerance_, &QComboBox::currentIndexChanged, this, &Markings::markValue);
    connect(tcr_, &QComboBox::currentIndexChanged, this, &Markings::markValue);
    connect(markings_, &QTableWidget::cellActivated, this, [this](int row, int) { showMarkingRow(row); });
    connect(copyPicture, &QPushButton::clicked, drawing_, &ResistorDrawing::copyPicture);

    // Something to look at from the start: the reader's own example, selected, so what is typed
    // replaces it.
    marking_->setText(QStringLiteral("yellow violet red gold"));
    marking_->selectAll();
}

std::vector<Colour> Markings::pickedBands() const
{
    std::vector<Colour> bands;
    const int n = bandCount_->currentData().toInt();
    bands.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int k = 0; k < n; ++k)
        bands.push_back(static_cast<Colour>(bandPickers_[static_cast<std::size_t>(k)]->currentData().toInt()));
    return bands;
}

void Markings::setPickers(const std::vector<Colour>& bands)
{
    const bool was = updating_;
    updating_ = true;
    bandCount_->setCurrentIndex(bandCount_->findData(static_cast<int>(bands.size())));
    for (std::size_t k = 0; k < bandPickers_.size(); ++k) {
        const bool shown = k < bands.size();
        bandPickers_[k]->setVisible(shown);
        bandLabels_[k]->setVisible(shown);
        if (shown)
            bandPickers_[k]->setCurrentIndex(bandPickers_[k]->findData(static_cast<int>(bands[k])));
    }
    drawing_->setBands(bands);
    updating_ = was;
}

void Markings::readMarking()
{
    const std::string text = marking_->text().toStdString();
    const values::ReadResult result = values::read(text, decimalSeparator());

    // Colour names drive the pickers and the drawing even when the bands do not read, so the
    // drawing shows which band is wrong. Both follow the side last edited: a code read here
    // brings back the bands last typed or picked.
    if (!updating_) {
        if (const auto colours = values::colourWords(text);
            colours && colours->size() >= 3 && colours->size() <= maxBands)
            readBands_ = *colours;
        setPickers(readBands_.empty() ? pickedBands() : readBands_);
    }

    readings_->setRowCount(0);
    showMessage(readMessage_, u8(result.error));
    for (const values::Reading& r : result.readings) {
        const int row = readings_->rowCount();
        readings_->insertRow(row);
        QTableWidgetItem* kind = leftCell(kindText(r.kind));
        kind->setToolTip(codeTip(r.kind));
        readings_->setItem(row, 0, kind);
        readings_->setItem(row, 1, leftCell(localised(values::quantity(r.value, r.unit, r.figures))));
        QString tolerance = r.tolerance ? localised(values::describe(*r.tolerance)) : QString();
        if (r.kind == values::ReadingKind::ColourBands && r.bands.size() >= 4 &&
            r.bands[r.bands.size() >= 5 ? 4 : 3] == Colour::Grey)
            tolerance += tr(" (older parts: %1)").arg(localised("±0.05 %"));
        readings_->setItem(row, 2, leftCell(tolerance));
        readings_->setItem(row, 3, leftCell(r.tcr ? tr("%1 ppm/K").arg(*r.tcr) : QString()));
    }
}

void Markings::pickBands()
{
    if (updating_)
        return;
    const std::vector<Colour> bands = pickedBands();
    drawing_->setBands(bands);
    readBands_ = bands;
    updating_ = true;
    marking_->setText(bandText(bands));
    updating_ = false;
}

// A new band count keeps the value where the new count can carry it; otherwise it starts from a
// plain example of that many bands.
void Markings::changeBandCount()
{
    if (updating_)
        return;
    const int n = bandCount_->currentData().toInt();
    std::vector<Colour> next;
    const values::ReadResult old = values::readBands(drawing_->bands());
    if (old.readings.size() == 1) {
        const values::Reading& r = old.readings.front();
        values::Decimal tolerance = r.tolerance ? r.tolerance->plus : values::Decimal::of(20, 0);
        const values::Decimal none = values::Decimal::of(20, 0);
        if (n == 3)
            tolerance = none;
        else if (tolerance == none)
            tolerance = values::Decimal::of(5, 0);
        const values::MarkResult m =
            values::mark(r.value, tolerance, n == 6 ? std::optional<int>(r.tcr.value_or(100)) : std::nullopt);
        const values::MarkingKind kind = n <= 4 ? values::MarkingKind::Bands4
            : n == 5                            ? values::MarkingKind::Bands5
                                                : values::MarkingKind::Bands6;
        for (const values::Marking& marking : m.markings) {
            if (marking.kind == kind && marking.carries())
                next = marking.bands;
        }
    }
    if (next.empty()) {
        switch (n) {
        case 3:
            next = {Colour::Brown, Colour::Black, Colour::Red};
            break;
        case 4:
            next = {Colour::Brown, Colour::Black, Colour::Red, Colour::Gold};
            break;
        case 5:
            next = {Colour::Brown, Colour::Black, Colour::Black, Colour::Brown, Colour::Brown};
            break;
        default:
            next = {Colour::Brown, Colour::Black, Colour::Black, Colour::Brown, Colour::Brown, Colour::Brown};
        }
    }
    setPickers(next);
    readBands_ = next;
    updating_ = true;
    marking_->setText(bandText(next));
    updating_ = false;
}

void Markings::markValue()
{
    markings_->setRowCount(0);
    markedBands_.clear();
    showMessage(markMessage_, {});
    setPickers(readBands_.empty() ? pickedBands() : readBands_); // until the value gives bands of its own
    const QString text = value_->text().trimmed();
    if (text.isEmpty())
        return;
    const values::Parsed parsed = values::parse(text.toStdString(), decimalSeparator());
    if (!parsed.value) {
        showMessage(markMessage_,
                    u8(values::refusal(parsed, text.toStdString(), text.toStdString(), values::Measure::Resistance)));
        return;
    }
    if (parsed.unit != values::Unit::None && parsed.unit != values::Unit::Ohm) {
        showMessage(markMessage_, tr("These markings are for resistors: type a value in ohms"));
        return;
    }
    const values::Decimal tolerance = tolerances[static_cast<std::size_t>(tolerance_->currentData().toInt())];
    const int ppm = tcr_->currentData().toInt();
    const values::MarkResult result =
        values::mark(*parsed.value, tolerance, ppm != 0 ? std::optional<int>(ppm) : std::nullopt);
    if (!result.error.empty()) {
        QStringList nearest;
        for (const values::Nearest& n : result.nearest)
            nearest.append(
                tr("%1 (%2)").arg(localised(values::format(n.nearest)), u8(std::string(values::name(n.series)))));
        showMessage(markMessage_, tr("%1. Nearest: %2").arg(u8(result.error), nearest.join(QStringLiteral(", "))));
        return;
    }
    for (const values::Marking& m : result.markings) {
        const int row = markings_->rowCount();
        markings_->insertRow(row);
        QTableWidgetItem* kind = leftCell(markingKindText(m.kind));
        kind->setToolTip(codeTip(m.kind));
        markings_->setItem(row, 0, kind);
        QTableWidgetItem* code = nullptr;
        if (!m.carries()) {
            code = leftCell(u8(m.whyNot));
            code->setForeground(noteColour(markings_->palette()));
        } else if (!m.bands.empty()) {
            QStringList names;
            for (Colour c : m.bands)
                names.append(colourName(c));
            QString text = names.join(QLatin1Char(' '));
            if (m.kind == values::MarkingKind::Bands4 && m.bands.size() == 3)
                text += tr(" (3 bands: ±20 % has no band)");
            code = leftCell(text);
        } else {
            code = leftCell(u8(m.code));
        }
        markings_->setItem(row, 1, code);
        markedBands_.push_back(m.carries() ? m.bands : std::vector<Colour>{});
    }
    // The pickers and the drawing follow the side last edited: the value's bands, as many as the
    // count picked where they carry it.
    const int n = bandCount_->currentData().toInt();
    const values::MarkingKind wanted = n <= 4 ? values::MarkingKind::Bands4
        : n == 5                              ? values::MarkingKind::Bands5
                                              : values::MarkingKind::Bands6;
    const std::vector<Colour>* drawn = nullptr;
    for (const values::Marking& m : result.markings) {
        if (m.carries() && !m.bands.empty() && (m.kind == wanted || drawn == nullptr))
            drawn = &m.bands;
    }
    if (drawn != nullptr)
        setPickers(*drawn);
}

void Markings::showMarkingRow(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= markedBands_.size() ||
        markedBands_[static_cast<std::size_t>(row)].empty())
        return;
    marking_->setText(bandText(markedBands_[static_cast<std::size_t>(row)]));
}

} // namespace tools
