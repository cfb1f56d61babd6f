// SPDX-License-Identifier: MIT
#include "tools/lines/fieldgroup.h"

#include "tools/board/fields.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <atomic>
#include <stop_token>
#include <utility>

namespace tools {

namespace {

namespace ln = values::lines;
namespace fs = values::lines::field;

// What a field solution depends on, to tell whether one already answers.
std::vector<double> keyOf(const ln::Line& line, const fs::Options& o)
{
    std::vector<double> key{static_cast<double>(line.index())};
    for (const ln::Dim dim : {ln::Dim::W, ln::Dim::S, ln::Dim::H, ln::Dim::B, ln::Dim::T, ln::Dim::D, ln::Dim::Outer})
        key.push_back(ln::get(line, dim));
    key.insert(key.end(), {ln::er(line), o.mask ? 1.0 : 0.0, o.maskT, o.maskEr, o.etchDeg});
    return key;
}

} // namespace

LineField::LineField(QWidget* parent)
    : QGroupBox(tr("Field solution"), parent)
    , lblMessage_(warningLabel(this, "lblLineFieldMessage", 1))
    , pause_(new QTimer(this))
    , worker_(this, [this](Answer answer) { arrived(std::move(answer)); })
{
    setObjectName(QStringLiteral("grpLineField"));
    setToolTip(tr("The cross-section solved as a field, beside the formula: with solder mask and etched sides"));
    auto* grid = new QGridLayout(this);
    chkMask_ = named(new QCheckBox(tr("Solder mas&k"), this), "chkLineMask");
    chkMask_->setToolTip(tr("Solder mask over the outer layer's substrate and round its strips"));
    txtMaskT_ = field(this, "txtLineMaskT", tr("Mask thickness"), {}, QStringLiteral("0.025mm"));
    txtMaskT_->setText(QStringLiteral("20um"));
    txtMaskT_->setToolTip(tr("The mask's thickness: 20um, 0.8mil"));
    lblMaskEr_ = named(new QLabel(tr("εr"), this), "lblLineMaskEr");
    txtMaskEr_ = field(this, "txtLineMaskEr", tr("Mask permittivity"), {}, QStringLiteral("0.025mm"));
    txtMaskEr_->setText(QStringLiteral("3.8"));
    lblMaskEr_->setBuddy(txtMaskEr_);
    txtEtch_ = field(this, "txtLineEtch", tr("Etch angle"), {}, QStringLiteral("0.025mm"));
    txtEtch_->setText(QStringLiteral("0"));
    txtEtch_->setToolTip(tr("How far the strips' sides lean in from upright, 0 to 60°; w is measured at the foot"));
    lblEtch_ = labelFor(this, "lblLineEtch", tr("S&ides etched at"), txtEtch_);
    lblEtchUnit_ = named(new QLabel(tr("° from upright"), this), "lblLineEtchUnit");
    chkFind_ = named(new QCheckBox(tr("Find it on the field sol&ution"), this), "chkLineFieldFind");
    chkFind_->setToolTip(tr("The width or gap found for the impedance wanted on the field solution, not the formula"));

    // Two rows: the mask, then the etch with finding on the field beside it.
    grid->addWidget(chkMask_, 0, 0);
    grid->addWidget(txtMaskT_, 0, 1);
    grid->addWidget(lblMaskEr_, 0, 2, Qt::AlignRight);
    grid->addWidget(txtMaskEr_, 0, 3);
    grid->addWidget(lblEtch_, 1, 0);
    grid->addWidget(txtEtch_, 1, 1);
    grid->addWidget(lblEtchUnit_, 1, 2, 1, 3);
    grid->addWidget(chkFind_, 1, 5);
    grid->addWidget(lblMessage_, 2, 0, 1, 6);
    grid->setColumnStretch(4, 1);

    pause_->setSingleShot(true);
    pause_->setInterval(pauseMs);
    connect(pause_, &QTimer::timeout, this, [this] {
        if (waiting_)
            worker_.run(std::exchange(waiting_, nullptr));
    });
    connect(chkMask_, &QCheckBox::toggled, this, [this](bool on) {
        txtMaskT_->setEnabled(on);
        txtMaskEr_->setEnabled(on);
        Q_EMIT edited();
    });
    connect(chkFind_, &QCheckBox::toggled, this, &LineField::edited);
    for (QLineEdit* f : {txtMaskT_, txtMaskEr_, txtEtch_})
        connect(f, &QLineEdit::textChanged, this, &LineField::edited);
    txtMaskT_->setEnabled(false);
    txtMaskEr_->setEnabled(false);
}

std::vector<QWidget*> LineField::controls() const
{
    return {chkMask_, txtMaskT_, txtMaskEr_, txtEtch_, chkFind_};
}

void LineField::setType(ln::Type type, bool solving)
{
    const bool round = type == ln::Type::Coax || type == ln::Type::TwistedPair;
    const bool outer = type == ln::Type::Microstrip || type == ln::Type::Cpw || type == ln::Type::Gcpw ||
        type == ln::Type::CoupledMicrostrip;
    outer_ = outer;
    setVisible(!round);
    for (QWidget* w : std::initializer_list<QWidget*>{chkMask_, txtMaskT_, lblMaskEr_, txtMaskEr_})
        w->setVisible(outer);
    chkFind_->setEnabled(solving);
}

std::optional<fs::Options> LineField::options()
{
    const char separator = decimalSeparator(locale());
    lblMessage_->clear();
    fs::Options o;
    o.mask = outer_ && chkMask_->isChecked();
    // An empty field has no message: it gives no answer yet.
    const auto read = [&](QLineEdit* field, const values::Measured& m) -> std::optional<double> {
        if (!m.value && lblMessage_->text().isEmpty() && !field->text().trimmed().isEmpty())
            lblMessage_->setText(QString::fromStdString(m.error));
        return m.value;
    };
    const auto etch = read(txtEtch_, ln::parseEtchAngle(boardfields::typed(txtEtch_), separator));
    std::optional<double> thickness = o.maskT;
    std::optional<double> er = o.maskEr;
    if (o.mask) {
        thickness = read(txtMaskT_, ln::parseLineLength(boardfields::typed(txtMaskT_), false, separator));
        er = read(txtMaskEr_, ln::parsePermittivity(boardfields::typed(txtMaskEr_), separator));
    }
    if (!etch || !thickness || !er)
        return std::nullopt;
    o.etchDeg = *etch;
    o.maskT = *thickness;
    o.maskEr = *er;
    return o;
}

bool LineField::findsOnField() const
{
    return chkFind_->isEnabled() && chkFind_->isChecked();
}

const fs::Solution* LineField::solution(const ln::Line& line, const fs::Options& options)
{
    Key key = keyOf(line, options);
    if (solved_ && solved_->key == key) {
        cancel();
        return &*solved_->solution;
    }
    ask(key, [line, options, key](const std::stop_token& stop) {
        std::atomic<bool> cancelled{false};
        const std::stop_callback onStop(stop, [&cancelled] { cancelled = true; });
        return Answer{key, fs::solve(line, options, &cancelled), {}};
    });
    return nullptr;
}

const fs::Synthesis* LineField::synthesis(const ln::Line& line, ln::Dim solveFor, double goalOhm, double stepM,
                                          const fs::Options& options)
{
    Key key = keyOf(line, options);
    key.insert(key.end(), {static_cast<double>(solveFor), goalOhm, stepM});
    if (found_ && found_->key == key) {
        cancel();
        return &*found_->synthesis;
    }
    ask(key, [line, solveFor, goalOhm, stepM, options, key](const std::stop_token& stop) {
        std::atomic<bool> cancelled{false};
        const std::stop_callback onStop(stop, [&cancelled] { cancelled = true; });
        return Answer{key, {}, fs::synthesise(line, solveFor, goalOhm, stepM, options, &cancelled)};
    });
    return nullptr;
}

void LineField::ask(Key key, Job job)
{
    // Asked again for what is already under way (the window redrawn for another reason): let it be.
    if (key == asked_ && (waiting_ || worker_.busy()))
        return;
    asked_ = std::move(key);
    worker_.cancel();
    waiting_ = std::move(job);
    pause_->start();
}

void LineField::cancel()
{
    pause_->stop();
    waiting_ = nullptr;
    asked_.clear();
    worker_.cancel();
}

void LineField::arrived(Answer answer)
{
    asked_.clear();
    (answer.solution ? solved_ : found_) = std::move(answer);
    Q_EMIT answered();
}

} // namespace tools
