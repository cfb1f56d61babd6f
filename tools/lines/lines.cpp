// SPDX-License-Identifier: MIT
#include "tools/lines/lines.h"

#include "schematic/crosssection.h"
#include "tools/circuitview.h"
#include "tools/lines/fieldgroup.h"
#include "tools/wires/fields.h"
#include "values/lines.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tools {

namespace {

namespace ln = values::lines;
namespace fs = values::lines::field;
using ln::Dim;

enum Solve { Analyse, SolveWidth, SolveGap };

constexpr std::size_t dimCount = 7;

QString typeShown(ln::Type type)
{
    return QCoreApplication::translate("tools::Lines", ln::typeName(type).shown);
}

// "3 mm", "35 µm": lengths with their prefix, five digits.
QString length(double metres, const QLocale& l)
{
    return wirefields::shown(metres, "m", l);
}

} // namespace

Lines::Lines(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmLines"));
    setWindowTitle(tr("Transmission lines"));
    build();
    typeChosen();
}

void Lines::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    cboType_ = wirefields::choices(this, grid, 0, "cboLineType", tr("T&ype:"), tr("Type of line"), {});
    for (std::size_t i = 0; i < ln::typeCount; ++i)
        cboType_->addItem(typeShown(static_cast<ln::Type>(i)));
    cboSolve_ = wirefields::choices(this, grid, 1, "cboLineSolve", tr("Sol&ve for:"), tr("What to find"), {});
    goal_ = row(this, grid, 2, "txtLineGoal", tr("&Z wanted:"), tr("Impedance wanted"), QStringLiteral("Ω"),
                QStringLiteral("50"));
    step_ = row(this, grid, 3, "txtLineStep", tr("Rou&nd to:"), tr("Step the width or gap is rounded to"),
                QStringLiteral("mm"), QStringLiteral("0.01"));
    step_.field->setToolTip(tr("A buildable step: 0.01 (mm), 0.1mil"));
    const struct {
        const char* name;
        QString caption;
        QString accessible;
    } dims[dimCount] = {
        {"txtLineW", tr("Wi&dth w:"), tr("Strip width")},
        {"txtLineS", tr("&Gap s:"), tr("Gap")},
        {"txtLineH", tr("H&eight h:"), tr("Substrate height")},
        {"txtLineB", tr("Planes &b:"), tr("Spacing of the planes")},
        {"txtLineT", tr("C&opper t:"), tr("Copper thickness")},
        {"txtLineD", tr("D&iameter d:"), tr("Diameter of the conductor")},
        {"txtLineOuter", tr("O&uter D:"), tr("Outer diameter or centre distance")},
    };
    for (std::size_t i = 0; i < dimCount; ++i) {
        dims_[i] = row(this, grid, 4 + static_cast<int>(i), dims[i].name, dims[i].caption, dims[i].accessible,
                       QStringLiteral("mm"));
        dims_[i].field->setToolTip(tr("In mm, or with a unit: 0.3mm, 12mil, 35um, 0.1in"));
    }
    dims_[static_cast<std::size_t>(Dim::T)].field->setText(QStringLiteral("35um"));
    cboMaterial_ = wirefields::choices(this, grid, 11, "cboLineMaterial", tr("&Material:"), tr("Material"), {});
    cboMaterial_->addItem(tr("Typed below"));
    for (const ln::Material& m : ln::materials())
        cboMaterial_->addItem(localised(m.name, locale()));
    er_ = row(this, grid, 12, "txtLineEr", tr("Pe&rmittivity εr:"), tr("Relative permittivity"), {},
              QStringLiteral("4.5"));
    tanD_ = row(this, grid, 13, "txtLineTanD", tr("Loss t&angent:"), tr("Loss tangent"), {}, QStringLiteral("0.02"));
    frequency_ = row(this, grid, 14, "txtLineFrequency", tr("Fre&quency:"), tr("Frequency"), QStringLiteral("Hz"),
                     QStringLiteral("1G"));
    length_ = row(this, grid, 15, "txtLineLength", tr("&Length:"), tr("Line length"), QStringLiteral("mm"));
    length_.field->setPlaceholderText(tr("for the whole line"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpLineAnswer", tr("Answer"));
    lblImpedance_ = answers_->add("lblLineImpedance", tr("Z0:"));
    lblField_ = answers_->add("lblLineField", tr("Field solution:"));
    lblSecond_ = answers_->add("lblLineCommon", tr("Z common:"));
    lblModes_ = answers_->add("lblLineModes", tr("Z odd, Z even:"));
    lblFieldModes_ = answers_->add("lblLineFieldModes", tr("Field Z odd, Z even:"));
    lblFound_ = answers_->add("lblLineFound", tr("Found:"));
    lblErEff_ = answers_->add("lblLineErEff", tr("Eff. permittivity:"));
    lblDelay_ = answers_->add("lblLineDelay", tr("Delay:"));
    lblWavelength_ = answers_->add("lblLineWavelength", tr("Wavelength:"));
    lblLoss_ = answers_->add("lblLineLoss", tr("Loss:"));
    lblSkin_ = answers_->add("lblLineSkin", tr("Skin depth:"));
    lblModel_ = boardfields::note(this, "lblLineModel", QString::fromUtf8(ln::model(ln::Type::Microstrip).accuracy));
    lblModel_->setMinimumSize(0, lblModel_->fontMetrics().lineSpacing() * 4);

    field_ = new LineField(this);
    section_ = named(new CircuitView(this), "picLineSection", tr("The line's cross-section"));
    section_->setMinimumSize(380, 190);
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");

    // The fields in a column of their own, read down before the drawing and answers beside them.
    auto* column = named(new QWidget(this), "pnlLineFields");
    auto* left = new QVBoxLayout(column);
    left->setContentsMargins(0, 0, 0, 0);
    left->addLayout(grid);
    left->addWidget(buildTolerances());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(section_, 1);
    right->addWidget(answers_);
    right->addWidget(field_);
    right->addWidget(lblModel_);
    auto* columns = new QHBoxLayout;
    columns->addWidget(column, 1);
    columns->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    std::vector<QWidget*> chain{cboType_, cboSolve_, goal_.field, step_.field};
    for (const boardfields::Row& r : dims_)
        chain.push_back(r.field);
    chain.insert(chain.end(), {cboMaterial_, er_.field, tanD_.field, frequency_.field, length_.field});
    chain.insert(chain.end(), tolerances_.begin(), tolerances_.end());
    chain.push_back(section_->copyButton());
    for (QWidget* w : field_->controls())
        chain.push_back(w);
    chain.push_back(cmdClose_);
    tabChain(chain);

    connect(cboType_, &QComboBox::currentIndexChanged, this, &Lines::typeChosen);
    connect(cboSolve_, &QComboBox::currentIndexChanged, this, &Lines::refresh);
    connect(cboMaterial_, &QComboBox::currentIndexChanged, this, &Lines::materialChosen);
    connect(field_, &LineField::edited, this, &Lines::refresh);
    connect(field_, &LineField::answered, this, &Lines::refresh);
    std::vector<QLineEdit*> fields{goal_.field, step_.field, er_.field, tanD_.field, frequency_.field, length_.field};
    for (const boardfields::Row& r : dims_)
        fields.push_back(r.field);
    fields.insert(fields.end(), tolerances_.begin(), tolerances_.end());
    for (QLineEdit* f : fields)
        connect(f, &QLineEdit::textChanged, this, &Lines::refresh);
    // Typing goes to the first field straight away.
    dims_[0].field->setFocus();
}

QWidget* Lines::buildTolerances()
{
    grpTolerances_ = named(new QGroupBox(tr("Tolerance&s"), this), "grpLineTolerances");
    auto* grid = new QGridLayout(grpTolerances_);
    const struct {
        const char* name;
        QString caption;
        QString accessible;
        const char* text;
    } rows[] = {
        {"txtLineTolWidth", tr("w, s, d ±"), tr("Width tolerance"), "0.025mm"},
        {"txtLineTolHeight", tr("h, b, D ±"), tr("Height tolerance"), "10%"},
        {"txtLineTolEr", tr("Permittivity ±"), tr("Permittivity tolerance"), "0.2"},
        {"txtLineTolCopper", tr("t ±"), tr("Copper thickness tolerance"), "0"},
    };
    for (std::size_t i = 0; i < tolerances_.size(); ++i) {
        auto* field = tools::field(grpTolerances_, rows[i].name, rows[i].accessible, {}, QStringLiteral("0.025mm"));
        field->setText(QString::fromLatin1(rows[i].text));
        tolerances_[i] = field;
        const int r = static_cast<int>(i) / 2;
        const int c = static_cast<int>(i) % 2 * 2;
        QByteArray stem = QByteArray(rows[i].name).mid(3);
        grid->addWidget(labelFor(grpTolerances_, ("lbl" + stem).constData(), rows[i].caption, field), r, c);
        grid->addWidget(field, r, c + 1);
    }
    grpTolerances_->setToolTip(tr("A length (0.025mm, 1mil) or a share (10%); εr's in its own units or a share"));
    lblTolerancesMessage_ = boardfields::message(grpTolerances_, "lblLineTolerancesMessage");
    lblTolerancesMessage_->setMinimumHeight(lblTolerancesMessage_->fontMetrics().lineSpacing() * 2);
    grid->addWidget(lblTolerancesMessage_, 2, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    return grpTolerances_;
}

void Lines::typeChosen()
{
    const auto type = static_cast<ln::Type>(std::max(0, cboType_->currentIndex()));
    const bool pair = ln::coupled(type);
    const bool round = type == ln::Type::Coax || type == ln::Type::TwistedPair;
    {
        const QSignalBlocker quiet(cboSolve_);
        const int was = cboSolve_->currentIndex();
        cboSolve_->clear();
        cboSolve_->addItem(pair ? tr("Z diff from the dimensions") : tr("Z0 from the dimensions"));
        cboSolve_->addItem(round      ? tr("The diameter d for a Z0")
                               : pair ? tr("The width for a Z diff")
                                      : tr("The width for a Z0"));
        if (pair)
            cboSolve_->addItem(tr("The gap for a Z diff"));
        cboSolve_->setCurrentIndex(std::clamp(was, 0, cboSolve_->count() - 1));
    }
    const std::span<const Dim> dims = ln::dimsOf(type);
    for (std::size_t i = 0; i < dimCount; ++i) {
        const bool shown = std::find(dims.begin(), dims.end(), static_cast<Dim>(i)) != dims.end();
        for (QWidget* w : {static_cast<QWidget*>(dims_[i].label), static_cast<QWidget*>(dims_[i].field),
                           static_cast<QWidget*>(dims_[i].unit), static_cast<QWidget*>(dims_[i].message)})
            w->setVisible(shown);
    }
    for (QLabel* l : {lblSecond_, lblModes_, lblFieldModes_}) {
        l->setVisible(pair);
        findChild<QLabel*>(l->objectName() + QLatin1String("Caption"))->setVisible(pair);
    }
    dims_[static_cast<std::size_t>(Dim::H)].label->setText(type == ln::Type::OffsetStripline ? tr("H&eight h (under):")
                                                                                             : tr("H&eight h:"));
    dims_[static_cast<std::size_t>(Dim::Outer)].label->setText(type == ln::Type::TwistedPair ? tr("O&uter D (centres):")
                                                                                             : tr("O&uter D:"));
    refresh();
}

void Lines::materialChosen()
{
    const int at = cboMaterial_->currentIndex() - 1;
    if (at < 0)
        return;
    const ln::Material& m = ln::materials()[static_cast<std::size_t>(at)];
    const QLocale l = locale();
    const QSignalBlocker quiet(cboMaterial_);
    er_.field->setText(localised(values::plain(m.er, 6), l));
    tanD_.field->setText(localised(values::plain(m.tanD, 6), l));
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat reading per field, then the answers
void Lines::refresh()
{
    const char separator = decimalSeparator(locale());
    const QLocale l = locale();
    const auto type = static_cast<ln::Type>(std::max(0, cboType_->currentIndex()));
    const bool pair = ln::coupled(type);
    const int solve = cboSolve_->currentIndex();
    // The dimension solved for, if any.
    const bool solving = solve == SolveGap || solve == SolveWidth;
    const Dim solvedDim = solve == SolveGap ? Dim::S : solving ? ln::dimsOf(type).front() : Dim::Er;
    goal_.field->setEnabled(solving);
    step_.field->setEnabled(solving);
    field_->setType(type, solving);
    // Whatever ends this reading without asking for the field solution drops what was asked before.
    bool fieldAsked = false;
    const auto settle = qScopeGuard([&] {
        if (!fieldAsked)
            field_->cancel();
    });
    goal_.label->setText(pair ? tr("&Z diff wanted:") : tr("&Z0 wanted:"));
    lblFound_->setVisible(solving);
    findChild<QLabel*>(QStringLiteral("lblLineFoundCaption"))->setVisible(solving);

    // Each field read, its message beside it; what the drawing labels comes from the same readings.
    ln::Line line = ln::lineOf(type);
    bool complete = true;
    schematic::CrossSection picture;
    picture.kind = static_cast<schematic::CrossSection::Kind>(type);
    QString* labels[dimCount] = {&picture.w, &picture.s, &picture.h, &picture.b, &picture.t, &picture.d, &picture.D};
    for (const Dim dim : ln::dimsOf(type)) {
        const boardfields::Row& r = dims_[static_cast<std::size_t>(dim)];
        r.field->setEnabled((!solving || dim != solvedDim));
        r.field->setPlaceholderText((solving && dim == solvedDim) ? tr("found below") : QString());
        if ((solving && dim == solvedDim)) {
            r.message->clear();
            continue;
        }
        const auto v = wirefields::read(r, ln::parseLineLength(boardfields::typed(r.field), dim == Dim::T, separator));
        complete = complete && v;
        if (v) {
            ln::set(line, dim, *v);
            *labels[static_cast<std::size_t>(dim)] = length(*v, l);
        }
    }
    const auto er = wirefields::read(er_, ln::parsePermittivity(boardfields::typed(er_.field), separator));
    const auto tanD = wirefields::read(tanD_, ln::parseLossTangent(boardfields::typed(tanD_.field), separator));
    const auto f = wirefields::read(frequency_, ln::parseFrequency(boardfields::typed(frequency_.field), separator));
    std::optional<double> lineLength = 0.0;
    length_.message->clear();
    if (!length_.field->text().trimmed().isEmpty())
        lineLength =
            wirefields::read(length_, ln::parseLineLength(boardfields::typed(length_.field), false, separator));
    if (er)
        picture.er = wirefields::figure(*er, l);
    {
        // The material shows which laminate the figures typed are, if any.
        const QSignalBlocker quiet(cboMaterial_);
        int at = 0;
        const auto list = ln::materials();
        for (std::size_t i = 0; i < list.size() && er && tanD; ++i) {
            if (list[i].er == *er && list[i].tanD == *tanD)
                at = static_cast<int>(i) + 1;
        }
        cboMaterial_->setCurrentIndex(at);
    }
    std::optional<double> goal;
    std::optional<double> step;
    if (solving) {
        goal = wirefields::read(goal_, ln::parseImpedance(boardfields::typed(goal_.field), separator));
        step = wirefields::read(step_, ln::parseLineLength(boardfields::typed(step_.field), false, separator));
    } else {
        goal_.message->clear();
        step_.message->clear();
    }
    const std::optional<fs::Options> options = field_->options();
    if (options) {
        picture.mask = options->mask;
        picture.maskT = length(options->maskT, l);
        picture.maskEr = wirefields::figure(options->maskEr, l);
        picture.etch = options->etchDeg > 0 ? wirefields::figure(options->etchDeg, l) + QStringLiteral("°") : QString();
    }
    ln::Tolerances tolerances;
    lblTolerancesMessage_->clear();
    ln::Spread* spreads[] = {&tolerances.width, &tolerances.height, &tolerances.er, &tolerances.thickness};
    for (std::size_t i = 0; i < tolerances_.size(); ++i) {
        const QString text = tolerances_[i]->text().trimmed();
        if (text.isEmpty()) {
            *spreads[i] = {};
            continue;
        }
        const ln::SpreadReading r = ln::parseSpread(text.toStdString(), i != 2, separator);
        if (r.spread) {
            *spreads[i] = *r.spread;
        } else if (lblTolerancesMessage_->text().isEmpty()) {
            lblTolerancesMessage_->setText(QString::fromStdString(r.error));
            complete = false;
        }
    }

    answers_->clear();
    lblModel_->setText(
        tr("Model: %1. %2.").arg(QString::fromUtf8(ln::model(type).name), QString::fromUtf8(ln::model(type).accuracy)));
    const auto draw = [&] { section_->setDrawing(schematic::crossSection(picture)); };
    complete = complete && er && tanD && f && lineLength && (!solving || (goal && step));
    if (!complete) {
        draw();
        return;
    }
    ln::setEr(line, *er);

    std::optional<ln::Synthesis> found;
    const bool finding = solving && field_->findsOnField();
    const fs::Synthesis* fieldFound = nullptr;
    if (solving) {
        found = ln::synthesise(line, solvedDim, *goal, *step);
        if (!found->error.empty()) {
            goal_.message->setText(QString::fromStdString(found->error));
            draw();
            return;
        }
        double width = found->roundedM;
        if (finding && options) {
            fieldFound = field_->synthesis(line, solvedDim, *goal, *step, *options);
            if (fieldFound && fieldFound->error.empty())
                width = fieldFound->roundedM;
        }
        ln::set(line, solvedDim, width);
        *labels[static_cast<std::size_t>(solvedDim)] = length(width, l);
    }
    draw();
    if (const auto refused = ln::refusal(line)) {
        const boardfields::Row& r = refused->dim == Dim::Er ? er_
            : solving && refused->dim == solvedDim          ? goal_
                                                            : dims_[static_cast<std::size_t>(refused->dim)];
        r.message->setText(QString::fromStdString(refused->message));
        return;
    }
    fieldAsked = showField(line, options, finding, fieldFound);
    const ln::Bands bands = ln::bands(line, tolerances);
    if (!bands.error.empty()) {
        lblTolerancesMessage_->setText(QString::fromStdString(bands.error));
        return;
    }

    const ln::Analysis a = ln::analyse(line, {*tanD, *f, *lineLength});
    const auto ohms = [&](double z) { return wirefields::shown(z, "Ω", l); };
    const auto banded = [&](double z, const ln::Band& b, double scale) {
        return tr("%1 (%2-%3 over the tolerances)")
            .arg(ohms(z * scale), wirefields::figure(b.lo * scale, l), ohms(b.hi * scale));
    };
    const auto caption = [this](const char* name, const QString& text) {
        findChild<QLabel*>(QLatin1String(name))->setText(text);
    };
    caption("lblLineImpedanceCaption", pair ? tr("Z diff:") : tr("Z0:"));
    if (pair) {
        lblImpedance_->setText(banded(a.line.mode.z0, bands.line, 2));
        lblSecond_->setText(banded(a.even->mode.z0, *bands.even, 0.5));
        lblModes_->setText(tr("%1 (%2-%3), %4 (%5-%6)")
                               .arg(ohms(a.line.mode.z0), wirefields::figure(bands.line.lo, l), ohms(bands.line.hi),
                                    ohms(a.even->mode.z0), wirefields::figure(bands.even->lo, l),
                                    ohms(bands.even->hi)));
    } else {
        lblImpedance_->setText(banded(a.line.mode.z0, bands.line, 1));
    }
    const QString solvedName = solvedDim == Dim::S ? QStringLiteral("s")
        : solvedDim == Dim::D                      ? QStringLiteral("d")
                                                   : QStringLiteral("w");
    if (fieldFound && fieldFound->error.empty()) {
        lblFound_->setText(tr("%1 = %2 gives %3 on the field solution (%4 gives %5; the formula's %6)")
                               .arg(solvedName, length(fieldFound->roundedM, l),
                                    ohms(ln::designed(fieldFound->rounded.impedance())), length(fieldFound->exactM, l),
                                    ohms(*goal), length(found->exactM, l)));
    } else if (found) {
        lblFound_->setText(tr("%1 = %2 gives %3 (%4 gives %5)")
                               .arg(solvedName, length(found->roundedM, l), ohms(found->roundedOhm),
                                    length(found->exactM, l), ohms(*goal)));
    }
    const QString mode = pair ? tr(" (odd mode)") : QString();
    const ln::ModeAnswer& m = a.line;
    QString erEff = wirefields::figure(m.mode.erEff, l);
    if (m.erEffAtF != m.mode.erEff)
        erEff = tr("%1 (%2 at %3)").arg(erEff, wirefields::figure(m.erEffAtF, l), wirefields::shown(*f, "Hz", l));
    if (pair)
        erEff = tr("%1 odd, %2 even").arg(erEff, wirefields::figure(a.even->mode.erEff, l));
    lblErEff_->setText(erEff);
    QString delay =
        tr("%1 ps/mm, %2 ps/in%3")
            .arg(wirefields::figure(m.delaySPerM * 1e9, l), wirefields::figure(m.delaySPerM * 0.0254e12, l), mode);
    if (*lineLength > 0)
        delay += tr("; %1 over the line").arg(wirefields::shown(m.delaySPerM * *lineLength, "s", l));
    lblDelay_->setText(delay);
    lblWavelength_->setText(tr("%1, a quarter %2").arg(length(m.wavelengthM, l), length(m.wavelengthM / 4, l)));
    QString loss = m.conductorDbPerM
        ? tr("%1 dB/m in the copper, %2 dB/m in the dielectric%3")
              .arg(wirefields::figure(*m.conductorDbPerM, l), wirefields::figure(m.dielectricDbPerM, l), mode)
        : tr("%1 dB/m in the dielectric; the copper's needs t above 0").arg(wirefields::figure(m.dielectricDbPerM, l));
    if (*lineLength > 0 && m.conductorDbPerM)
        loss += tr("; %1 dB over the line")
                    .arg(wirefields::figure((*m.conductorDbPerM + m.dielectricDbPerM) * *lineLength, l));
    lblLoss_->setText(loss);
    lblSkin_->setText(length(a.skinDepthM, l));
    if (a.dispersionOutside)
        lblModel_->setText(lblModel_->text() +
                           tr(" This line is outside the dispersion formula's range: treat εr eff "
                              "at the frequency as a rough guide."));
}

// The field solution's line: the figures beside the formula's, "solving..." while they are worked
// out, or why there are none. True while the group is asked for them.
bool Lines::showField(const ln::Line& line, const std::optional<fs::Options>& options, bool finding,
                      const fs::Synthesis* found)
{
    const ln::Type type = ln::typeOf(line);
    lblField_->setToolTip({});
    if (type == ln::Type::Coax || type == ln::Type::TwistedPair) {
        lblField_->setText(tr("the formula is exact for this line"));
        return false;
    }
    if (!options)
        return false;
    if (const auto refused = fs::refusal(line, *options)) {
        lblField_->setText(QString::fromStdString(refused->message));
        return false;
    }
    const fs::Solution* s = finding ? (found ? &found->rounded : nullptr) : field_->solution(line, *options);
    if (finding && found && !found->error.empty()) {
        lblField_->setText(QString::fromStdString(found->error));
        return true;
    }
    if (s == nullptr) {
        lblField_->setText(tr("solving…"));
        return true;
    }
    const QLocale l = locale();
    const auto ohms = [&](double z) { return wirefields::shown(z, "Ω", l); };
    const ln::Impedance formula = ln::impedance(line);
    const double scale = ln::coupled(type) ? 2 : 1;
    lblField_->setText(tr("%1 (formula %2, %3 apart)")
                           .arg(ohms(s->line.z0 * scale), ohms(formula.line.z0 * scale),
                                localised(fs::apartText(ln::designed(formula), ln::designed(s->impedance())), l)));
    lblField_->setToolTip(tr("Converged within %1 on a grid of %2 cells; εr eff %3")
                              .arg(localised(fs::convergedText(s->convergedPercent), l), l.toString(s->gridCells),
                                   wirefields::figure(s->line.erEff, l)));
    if (s->even && formula.even) {
        lblFieldModes_->setText(
            tr("%1, %2 (formula %3, %4)")
                .arg(ohms(s->line.z0), ohms(s->even->z0), ohms(formula.line.z0), ohms(formula.even->z0)));
    }
    return true;
}

} // namespace tools
