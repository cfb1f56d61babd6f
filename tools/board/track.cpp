// SPDX-License-Identifier: MIT
#include "tools/board/track.h"

#include "tools/form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tools {

namespace {

constexpr const char* copperWeights[] = {"0.5 oz", "1 oz", "2 oz", "3 oz"};
constexpr int defaultWeight = 1;

} // namespace

BoardTrack::BoardTrack(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageTrack"));
    build();
    solveChosen();
}

QWidget* BoardTrack::firstField() const
{
    return current_.field->isEnabled() ? current_.field : width_.field;
}

void BoardTrack::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    cboSolve_ = named(new QComboBox(this), "cboTrackSolve", tr("What to find"));
    cboSolve_->addItem(tr("The width for a current"));
    cboSolve_->addItem(tr("The current for a width"));
    grid->addWidget(labelFor(this, "lblTrackSolve", tr("Fin&d:"), cboSolve_), 0, 0);
    grid->addWidget(cboSolve_, 0, 1, 1, 2);

    current_ = row(this, grid, 1, "txtTrackCurrent", tr("Curre&nt:"), tr("Current"), QStringLiteral("A"));
    current_.field->setPlaceholderText(tr("e.g. 1 or 500m"));
    width_ = row(this, grid, 2, "txtTrackWidth", tr("W&idth:"), tr("Track width"), QStringLiteral("mm"));
    width_.field->setPlaceholderText(tr("e.g. 0.3 or 12mil"));
    rise_ = row(this, grid, 3, "txtTrackRise", tr("Temperature &rise:"), tr("Temperature rise"), QStringLiteral("°C"),
                QStringLiteral("10"));

    cboCopper_ = named(new QComboBox(this), "cboTrackCopper", tr("Copper weight or thickness"));
    cboCopper_->setToolTip(tr("Copper weight: ounces of copper a square foot, 1 oz being 35 µm thick"));
    cboCopper_->setEditable(true);
    singleLine(cboCopper_->lineEdit());
    cboCopper_->setInsertPolicy(QComboBox::NoInsert);
    cboCopper_->setCompleter(nullptr);
    for (const char* weight : copperWeights)
        cboCopper_->addItem(localised(weight, locale()));
    cboCopper_->setCurrentIndex(defaultWeight);
    cboCopper_->setToolTip(tr("A weight in oz/ft² (1 oz is 35 µm) or a thickness: 35um, 1.4mil"));
    lblCopper_ = labelFor(this, "lblTrackCopper", tr("C&opper:"), cboCopper_);
    lblCopperMessage_ = boardfields::message(this, "lblTrackCopperMessage");
    grid->addWidget(lblCopper_, 4, 0);
    grid->addWidget(cboCopper_, 4, 1);
    grid->addWidget(named(new QLabel(tr("oz or µm"), this), "lblTrackCopperUnit"), 4, 2);
    grid->addWidget(lblCopperMessage_, 4, 3);

    cboLayer_ = named(new QComboBox(this), "cboTrackLayer", tr("Layer"));
    cboLayer_->addItem(tr("External (outer layer)"));
    cboLayer_->addItem(tr("Internal (inner layer)"));
    grid->addWidget(labelFor(this, "lblTrackLayer", tr("La&yer:"), cboLayer_), 5, 0);
    grid->addWidget(cboLayer_, 5, 1, 1, 2);

    length_ = row(this, grid, 6, "txtTrackLength", tr("&Length:"), tr("Track length"), QStringLiteral("mm"));
    length_.field->setPlaceholderText(tr("for the resistance"));
    ambient_ = row(this, grid, 7, "txtTrackAmbient", tr("&Ambient:"), tr("Ambient temperature"), QStringLiteral("°C"),
                   QStringLiteral("20"));
    grid->setColumnStretch(3, 1);
    for (const boardfields::Row* r : {&current_, &width_, &length_})
        r->field->setToolTip(tr("In mm, or with a unit: 0.3mm, 300um, 12mil, 0.012in"));

    auto* answers = new QGroupBox(tr("Answer"), this);
    auto* figures = new QGridLayout(answers);
    const auto figure = [&](int at, const char* caption, const char* name, const QString& text) {
        figures->addWidget(named(new QLabel(text, answers), caption), at, 0);
        auto* value = boardfields::answer(answers, name);
        figures->addWidget(value, at, 1);
        return value;
    };
    lblAnswer_ = figure(0, "lblTrackAnswerCaption", "lblTrackAnswer", tr("Minimum width:"));
    lblSection_ = figure(1, "lblTrackSectionCaption", "lblTrackSection", tr("Copper section:"));
    lblResistance_ = figure(2, "lblTrackResistanceCaption", "lblTrackResistance", tr("Resistance:"));
    lblDrop_ = figure(3, "lblTrackDropCaption", "lblTrackDrop", tr("Drop and loss:"));
    figures->setColumnStretch(1, 1);

    auto* fit = boardfields::note(
        this, "lblTrackFit",
        tr("IPC-2221: I = k ΔT^0.44 A^0.725 (A in mil², k = 0.048 outer, 0.024 inner "
           "layers), fitted to currents up to 35 A (17.5 A inner), widths up to 400 mil (10.16 mm), rises "
           "of 10 to 100 °C and 0.5 to 3 oz copper."));
    lblOutside_ = boardfields::message(this, "lblTrackOutside");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(answers);
    layout->addWidget(fit);
    layout->addWidget(lblOutside_);
    layout->addStretch();

    tabChain(
        {cboSolve_, current_.field, width_.field, rise_.field, cboCopper_, cboLayer_, length_.field, ambient_.field});

    connect(cboSolve_, &QComboBox::currentIndexChanged, this, &BoardTrack::solveChosen);
    for (const boardfields::Row* r : {&current_, &width_, &rise_, &length_, &ambient_})
        connect(r->field, &QLineEdit::textChanged, this, &BoardTrack::refresh);
    connect(cboCopper_, &QComboBox::currentTextChanged, this, &BoardTrack::refresh);
    connect(cboLayer_, &QComboBox::currentIndexChanged, this, &BoardTrack::refresh);
}

void BoardTrack::solveChosen()
{
    const bool forWidth = cboSolve_->currentIndex() == 0;
    current_.field->setEnabled(forWidth);
    width_.field->setEnabled(!forWidth);
    (forWidth ? width_ : current_).message->clear();
    findChild<QLabel*>(QStringLiteral("lblTrackAnswerCaption"))
        ->setText(forWidth ? tr("Minimum width:") : tr("Current:"));
    refresh();
}

void BoardTrack::clearAnswers()
{
    for (QLabel* label : {lblAnswer_, lblSection_, lblResistance_, lblDrop_, lblOutside_})
        label->clear();
}

void BoardTrack::refresh()
{
    const char separator = decimalSeparator(locale());
    const bool forWidth = cboSolve_->currentIndex() == 0;
    std::optional<double> given;
    if (forWidth) {
        current_.message->clear();
        if (const auto current = readTyped(current_.field, current_.message, values::Measure::Current))
            given = current->toDouble();
    } else {
        given = boardfields::read(
            width_,
            values::parseLength(boardfields::typed(width_.field), values::BareLength::Millimetre, false, separator));
    }
    const auto rise =
        boardfields::read(rise_, values::parseTemperature(boardfields::typed(rise_.field), false, separator));
    lblCopperMessage_->clear();
    const values::QuantityReading copper =
        values::parseLength(cboCopper_->currentText().toStdString(), values::BareLength::Micrometre, true, separator);
    if (!copper.value && !cboCopper_->currentText().trimmed().isEmpty())
        lblCopperMessage_->setText(QString::fromStdString(copper.error));
    const auto length = boardfields::read(
        length_,
        values::parseLength(boardfields::typed(length_.field), values::BareLength::Millimetre, false, separator));
    const auto ambient =
        boardfields::read(ambient_, values::parseTemperature(boardfields::typed(ambient_.field), true, separator));
    if (!given || !rise || !copper.value || !ambient) {
        clearAnswers();
        return;
    }

    values::Track track;
    track.riseC = *rise;
    track.ambientC = *ambient;
    track.thicknessM = values::nearestDouble(*copper.value);
    track.lengthM = length.value_or(0);
    track.internal = cboLayer_->currentIndex() == 1;
    const values::TrackResult r = forWidth ? trackForCurrent(*given, track) : trackForWidth(*given, track);
    const QLocale l = locale();
    lblAnswer_->setText(
        forWidth ? tr("%1 mm (%2 mil)").arg(boardfields::plain(r.widthM * 1e3, l), boardfields::plain(r.widthMil, l))
                 : boardfields::withUnit(r.currentA, "A", l));
    lblSection_->setText(tr("%1 mil² (%2 µm thick)")
                             .arg(boardfields::plain(r.areaMil2, l), boardfields::plain(track.thicknessM * 1e6, l)));
    if (r.resistanceOhm) {
        lblResistance_->setText(
            tr("%1 at %2 °C (ambient plus rise)")
                .arg(boardfields::withUnit(*r.resistanceOhm, "Ω", l), boardfields::plain(r.temperatureC, l)));
        lblDrop_->setText(tr("%1, %2 at %3")
                              .arg(boardfields::withUnit(*r.dropV, "V", l), boardfields::withUnit(*r.lossW, "W", l),
                                   boardfields::withUnit(r.currentA, "A", l)));
    } else {
        lblResistance_->setText(tr("give a length"));
        lblDrop_->clear();
    }
    QStringList outside;
    if (r.outside.current)
        outside << (track.internal ? tr("current above 17.5 A on an inner layer") : tr("current above 35 A"));
    if (r.outside.width)
        outside << tr("width above 400 mil");
    if (r.outside.rise)
        outside << tr("rise outside 10 to 100 °C");
    if (r.outside.copper)
        outside << tr("copper outside 0.5 to 3 oz");
    lblOutside_->setText(outside.isEmpty() ? QString()
                                           : tr("Outside the fitted range (%1): treat the answer as a rough guide.")
                                                 .arg(outside.join(QStringLiteral(", "))));
}

} // namespace tools
