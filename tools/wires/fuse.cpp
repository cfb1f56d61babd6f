// SPDX-License-Identifier: MIT
#include "tools/wires/fuse.h"

#include "values/wires.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace tools {

namespace {

enum Given { GivenAwg, GivenSection, GivenDiameter, GivenTrack };

constexpr const char* copperWeights[] = {"0.5 oz", "1 oz", "2 oz", "3 oz"};

} // namespace

WiresFuse::WiresFuse(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageFuse"));
    build();
    givenChosen();
}

void WiresFuse::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    cboGiven_ =
        wirefields::choices(this, grid, 0, "cboFuseGiven", tr("Gi&ven as:"), tr("What the conductor is given as"),
                            {tr("AWG"), tr("Section"), tr("Diameter"), tr("Board track width")});
    size_ = row(this, grid, 1, "txtFuseSize", tr("Si&ze:"), tr("Conductor size"), QStringLiteral("AWG"));

    cboCopper_ = named(new QComboBox(this), "cboFuseCopper", tr("Track's copper weight or thickness"));
    cboCopper_->setEditable(true);
    singleLine(cboCopper_->lineEdit());
    cboCopper_->setInsertPolicy(QComboBox::NoInsert);
    cboCopper_->setCompleter(nullptr);
    for (const char* weight : copperWeights)
        cboCopper_->addItem(localised(weight, locale()));
    cboCopper_->setCurrentIndex(1);
    cboCopper_->setToolTip(tr("A weight in oz/ft² (1 oz is 35 µm) or a thickness: 35um, 1.4mil"));
    lblCopperMessage_ = boardfields::message(this, "lblFuseCopperMessage");
    grid->addWidget(labelFor(this, "lblFuseCopper", tr("C&opper:"), cboCopper_), 2, 0);
    grid->addWidget(cboCopper_, 2, 1);
    grid->addWidget(named(new QLabel(tr("oz or µm"), this), "lblFuseCopperUnit"), 2, 2);
    grid->addWidget(lblCopperMessage_, 2, 3);

    time_ = row(this, grid, 3, "txtFuseTime", tr("Tim&e:"), tr("How long the current flows"), QStringLiteral("s"),
                QStringLiteral("1"));
    ambient_ = row(this, grid, 4, "txtFuseAmbient", tr("A&mbient:"), tr("Temperature before the current flows"),
                   QStringLiteral("°C"), QStringLiteral("25"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpFuseAnswer", tr("Answer"));
    lblSection_ = answers_->add("lblFuseSection", tr("Section:"));
    lblOnderdonk_ = answers_->add("lblFuseOnderdonk", tr("Onderdonk:"));
    lblPreece_ = answers_->add("lblFusePreece", tr("Preece:"));

    auto* note = boardfields::note(
        this, "lblFuseNote",
        tr("Onderdonk: I = A √(log10((Tm − Ta) / (234 + Ta) + 1) / (33 t)), A in circular mils, copper melting at "
           "Tm = 1083 °C; no heat leaves the copper, so it holds for short times (up to about 10 s). Preece: "
           "I = 10244 d^1.5, d in inches, a round wire in open air in the long run."));

    wirefields::layOut(this, grid, nullptr, answers_, note);

    tabChain({cboGiven_, size_.field, cboCopper_, time_.field, ambient_.field});
    connect(cboGiven_, &QComboBox::currentIndexChanged, this, &WiresFuse::givenChosen);
    connect(cboCopper_, &QComboBox::currentTextChanged, this, &WiresFuse::refresh);
    for (const wirefields::Row* r : {&size_, &time_, &ambient_})
        connect(r->field, &QLineEdit::textChanged, this, &WiresFuse::refresh);
}

void WiresFuse::givenChosen()
{
    const int given = cboGiven_->currentIndex();
    size_.unit->setText(given == GivenAwg           ? QStringLiteral("AWG")
                            : given == GivenSection ? QStringLiteral("mm²")
                                                    : QStringLiteral("mm"));
    size_.field->setPlaceholderText(given == GivenAwg            ? tr("e.g. 24")
                                        : given == GivenSection  ? tr("e.g. 0.5 or 1000cmil")
                                        : given == GivenDiameter ? tr("e.g. 0.5 or 20mil")
                                                                 : tr("e.g. 0.3 or 12mil"));
    cboCopper_->setEnabled(given == GivenTrack);
    lblCopperMessage_->clear();
    refresh();
}

std::optional<WiresFuse::Section> WiresFuse::section()
{
    const char separator = decimalSeparator(locale());
    const std::string typed = boardfields::typed(size_.field);
    size_.message->clear();
    lblCopperMessage_->clear();
    switch (cboGiven_->currentIndex()) {
    case GivenAwg: {
        const values::GaugeReading g = values::parseGauge(typed);
        if (!g.gauge && !size_.field->text().trimmed().isEmpty())
            size_.message->setText(QString::fromStdString(g.error));
        if (!g.gauge)
            return std::nullopt;
        const double d = values::awgDiameter(*g.gauge);
        return Section{values::roundArea(d), d};
    }
    case GivenSection: {
        const auto area = wirefields::read(size_, values::parseSection(typed, separator));
        if (!area)
            return std::nullopt;
        return Section{*area, std::sqrt(*area * 4 / std::numbers::pi)};
    }
    case GivenDiameter: {
        const auto d = wirefields::read(size_, values::parseDiameter(typed, separator));
        if (!d)
            return std::nullopt;
        return Section{values::roundArea(*d), d};
    }
    default:
        break;
    }
    const auto width =
        boardfields::read(size_, values::parseLength(typed, values::BareLength::Millimetre, false, separator));
    const values::QuantityReading copper =
        values::parseLength(cboCopper_->currentText().toStdString(), values::BareLength::Micrometre, true, separator);
    if (!copper.value && !cboCopper_->currentText().trimmed().isEmpty())
        lblCopperMessage_->setText(QString::fromStdString(copper.error));
    if (!width || !copper.value)
        return std::nullopt;
    const double area = *width * values::nearestDouble(*copper.value);
    if (area < values::minSectionM2 || area > values::maxSectionM2) {
        size_.message->setText(tr("The track's section is outside 0.000001 to 10000 mm²"));
        return std::nullopt;
    }
    return Section{area, std::nullopt};
}

void WiresFuse::refresh()
{
    const char separator = decimalSeparator(locale());
    const std::optional<Section> conductor = section();
    const auto time =
        wirefields::read(time_,
                         values::parseAmount(boardfields::typed(time_.field),
                                             {values::Unit::None, "s", "a time", "1, 1s or 100ms"}, separator));
    if (time && (*time < values::minFuseS || *time > values::maxFuseS))
        time_.message->setText(tr("'%1' is outside 1 ms to 100 s").arg(elided(time_.field->text().trimmed())));
    const auto ambient =
        wirefields::read(ambient_,
                         values::parseTemperatureIn(boardfields::typed(ambient_.field), values::minFuseAmbientC,
                                                    values::maxFuseAmbientC, separator));
    answers_->clear();
    if (!conductor || !time || !ambient || !time_.message->text().isEmpty())
        return;

    const QLocale l = locale();
    lblSection_->setText(tr("%1 mm² (%2 cmil)")
                             .arg(wirefields::figure(conductor->areaM2 * 1e6, l),
                                  wirefields::figure(conductor->areaM2 / values::m2PerCircularMil, l)));
    lblOnderdonk_->setText(
        tr("%1 melts it in %2 from %3 °C")
            .arg(wirefields::shown(values::onderdonkCurrent(conductor->areaM2, *time, *ambient), "A", l),
                 wirefields::shown(*time, "s", l), wirefields::figure(*ambient, l)));
    lblPreece_->setText(conductor->diameterM
                            ? tr("%1 melts it in the long run, in open air")
                                  .arg(wirefields::shown(values::preeceCurrent(*conductor->diameterM), "A", l))
                            : tr("for round wires only"));
}

} // namespace tools
