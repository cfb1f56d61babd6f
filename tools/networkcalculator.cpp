// SPDX-License-Identifier: MIT
#include "tools/networkcalculator.h"

#include "numeric/format.h"
#include "schematic/schematic.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/widgets.h"
#include "values/expression.h"
#include "values/series.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tools {

namespace {

constexpr const char* tolerances[] = {"0", "0.1", "0.25", "0.5", "1", "2", "5", "10", "20"};
constexpr int defaultSeries = 3; // E24

schematic::Network drawn(const values::NetworkNode& node, schematic::Symbol symbol, const QLocale& locale)
{
    using Join = values::NetworkNode::Join;
    if (node.join == Join::Part)
        return schematic::Network::part(
            symbol, localised(values::format(node.value, std::max(node.value.digits(), 1)), locale));
    std::vector<schematic::Network> parts;
    parts.reserve(node.parts.size());
    for (const values::NetworkNode& child : node.parts)
        parts.push_back(drawn(child, symbol, locale));
    return node.join == Join::Series ? schematic::Network::series(std::move(parts))
                                     : schematic::Network::parallel(std::move(parts));
}

} // namespace

NetworkCalculator::NetworkCalculator(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmNetwork"));
    setWindowTitle(tr("Network"));
    build();
    connect(txtNetwork_, &QLineEdit::textChanged, this, &NetworkCalculator::refresh);
    for (QComboBox* box : {cboNetworkKind_, cboNetworkTolerance_, cboNetworkSeries_})
        connect(box, &QComboBox::currentIndexChanged, this, &NetworkCalculator::refresh);
    refresh();
}

void NetworkCalculator::build()
{
    txtNetwork_ = field(this, "txtNetwork", tr("Network"),
                        tr("e.g. 4k7 + (10k || 22k) or 100n || 47n; 4k7/5% for a part's tolerance"));
    txtNetwork_->setMaxLength(static_cast<int>(values::maxExpressionLength));
    txtNetwork_->setToolTip(tr("+ joins in series, || in parallel (it binds tighter); brackets nest"));
    // The message, and under it what was typed with the fault marked.
    lblNetworkMessage_ = new SteadyLabel(this, QStringLiteral("lblNetworkMessage"), 3);
    lblNetworkMessage_->setTextFormat(Qt::RichText);

    cboNetworkKind_ = named(new QComboBox(this), "cboNetworkKind", tr("Kind of parts"));
    cboNetworkKind_->addItems({tr("Resistors"), tr("Capacitors")});
    cboNetworkTolerance_ = named(new QComboBox(this), "cboNetworkTolerance", tr("Tolerance of every part"));
    cboNetworkTolerance_->setToolTip(tr("For every part written without its own, such as 4k7/5%"));
    for (const char* t : tolerances)
        cboNetworkTolerance_->addItem(QStringLiteral("±") + localised(t, locale()) + QStringLiteral(" %"),
                                      QString::fromLatin1(t));
    cboNetworkSeries_ = named(new QComboBox(this), "cboNetworkSeries", tr("Series for the nearest value"));
    for (const values::Series s : values::allSeries)
        cboNetworkSeries_->addItem(
            QString::fromLatin1(values::name(s).data(), static_cast<int>(values::name(s).size())));
    cboNetworkSeries_->setCurrentIndex(defaultSeries);

    auto* choices = new QHBoxLayout;
    choices->addWidget(labelFor(this, "lblNetworkKind", tr("&Kind:"), cboNetworkKind_));
    choices->addWidget(cboNetworkKind_);
    choices->addSpacing(8);
    choices->addWidget(labelFor(this, "lblNetworkTolerance", tr("T&olerance:"), cboNetworkTolerance_));
    choices->addWidget(cboNetworkTolerance_);
    choices->addSpacing(8);
    choices->addWidget(labelFor(this, "lblNetworkSeries", tr("&Series:"), cboNetworkSeries_));
    choices->addWidget(cboNetworkSeries_);
    choices->addStretch();

    const auto answer = [this](const char* name, const QString& accessibleName, int lines = 1) {
        QLabel* label = new SteadyLabel(this, QLatin1String(name), lines, SteadyLabel::Tone::Plain);
        label->setAccessibleName(accessibleName);
        return label;
    };
    lblNetworkValue_ = answer("lblNetworkValue", tr("Value"));
    lblNetworkRange_ = answer("lblNetworkRange", tr("Range over the tolerances"));
    lblNetworkRange_->setToolTip(tr("Every part at the low end of its tolerance, then every part at the high end"));
    lblNetworkNearest_ = answer("lblNetworkNearest", tr("Nearest standard value"));
    lblNetworkText_ = answer("lblNetworkText", tr("Written back"), 2);
    lblNetworkText_->setToolTip(tr("The network as the Standard values window writes its networks"));
    lblNetworkNearestCaption_ = named(new QLabel(this), "lblNetworkNearestCaption");

    auto* answers = new QGridLayout;
    answers->addWidget(named(new QLabel(tr("Value:"), this), "lblNetworkValueCaption"), 0, 0);
    answers->addWidget(lblNetworkValue_, 0, 1);
    answers->addWidget(named(new QLabel(tr("Range:"), this), "lblNetworkRangeCaption"), 1, 0);
    answers->addWidget(lblNetworkRange_, 1, 1);
    answers->addWidget(lblNetworkNearestCaption_, 2, 0);
    answers->addWidget(lblNetworkNearest_, 2, 1);
    answers->addWidget(named(new QLabel(tr("Written:"), this), "lblNetworkTextCaption"), 3, 0, Qt::AlignTop);
    answers->addWidget(lblNetworkText_, 3, 1);
    answers->setColumnStretch(1, 1);

    picNetwork_ = named(new CircuitView(this), "picNetwork", tr("The network drawn"));
    picNetwork_->setMinimumSize(480, 200);

    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelFor(this, "lblNetwork", tr("&Network:"), txtNetwork_));
    layout->addWidget(txtNetwork_);
    layout->addWidget(lblNetworkMessage_);
    layout->addLayout(choices);
    layout->addLayout(answers);
    layout->addWidget(picNetwork_, 1);
    layout->addLayout(buttons);

    tabChain(
        {txtNetwork_, cboNetworkKind_, cboNetworkTolerance_, cboNetworkSeries_, picNetwork_->copyButton(), cmdClose_});
    setFocusProxy(txtNetwork_);
}

values::Kind NetworkCalculator::kind() const
{
    return cboNetworkKind_->currentIndex() == 1 ? values::Kind::Capacitor : values::Kind::Resistor;
}

void NetworkCalculator::refresh()
{
    const values::Series series = values::allSeries[static_cast<std::size_t>(cboNetworkSeries_->currentIndex())];
    lblNetworkNearestCaption_->setText(
        tr("Nearest %1:")
            .arg(QString::fromLatin1(values::name(series).data(), static_cast<int>(values::name(series).size()))));
    const QString text = txtNetwork_->text();
    if (text.trimmed().isEmpty()) {
        lblNetworkMessage_->clear();
        clearAnswer();
        return;
    }
    const std::string typed = text.toStdString();
    const values::ParsedExpression parsed = values::parseNetwork(typed, kind(), decimalSeparator(locale()));
    if (!parsed.network) {
        showError(text, parsed.error);
        clearAnswer();
        return;
    }
    lblNetworkMessage_->clear();
    const values::NetworkExpression& network = *parsed.network;
    const values::Decimal tolerance =
        values::parseTolerance(cboNetworkTolerance_->currentData().toString().toStdString())
            .value_or(values::Decimal{});
    const values::NetworkValue v = values::evaluate(network, kind(), tolerance, series);
    const std::string unit = kind() == values::Kind::Resistor ? "Ω" : "F";
    lblNetworkValue_->setText(v.exact ? localised(values::withUnit(*v.exact, unit, values::exactDigits), locale()) +
                                      QLatin1Char(' ') + tr("exact")
                                      : localised(values::withUnit(v.value, unit), locale()));
    lblNetworkRange_->setText(v.hasTolerance ? localised(values::rangeText(v.low, v.high, unit), locale())
                                             : tr("no tolerance given"));
    lblNetworkNearest_->setText(localised(values::withUnit(v.standard.nearest, unit), locale()));
    lblNetworkText_->setText(localised(values::networkText(network.tree, network.tolerances), locale()));
    const schematic::Symbol symbol =
        kind() == values::Kind::Resistor ? schematic::Symbol::Resistor : schematic::Symbol::Capacitor;
    picNetwork_->setDrawing(schematic::network(drawn(network.tree, symbol, locale())));
}

// The message, then the typed text with what is wrong underlined (or a mark where something is
// missing), so the place shows without moving the cursor the user is typing at.
void NetworkCalculator::showError(const QString& text, const values::ExpressionError& error)
{
    const QByteArray utf8 = text.toUtf8();
    const auto at =
        static_cast<qsizetype>(std::min<std::size_t>(error.position, static_cast<std::size_t>(utf8.size())));
    const auto length =
        static_cast<qsizetype>(std::min<std::size_t>(error.length, static_cast<std::size_t>(utf8.size() - at)));
    // At most 60 characters of what was typed, as every message quotes it, kept around the mark.
    constexpr qsizetype shown = 60;
    const QString dots = QStringLiteral("...");
    QString wrong = QString::fromUtf8(utf8.mid(at, length));
    wrong = wrong.size() > shown ? wrong.left(shown) + dots : wrong;
    QString before = QString::fromUtf8(utf8.left(at));
    QString after = QString::fromUtf8(utf8.mid(at + length));
    const qsizetype rest = std::max<qsizetype>(0, shown - wrong.size());
    const qsizetype keepAfter = std::min(after.size(), std::max(rest / 2, rest - before.size()));
    const qsizetype keepBefore = std::min(before.size(), rest - keepAfter);
    before = keepBefore < before.size() ? dots + before.right(keepBefore) : before;
    after = keepAfter < after.size() ? after.left(keepAfter) + dots : after;
    before = before.toHtmlEscaped();
    wrong = wrong.toHtmlEscaped();
    after = after.toHtmlEscaped();
    const QString marked = length > 0 ? QStringLiteral("<u><b>%1</b></u>").arg(wrong) : QStringLiteral("<b>‸</b>");
    lblNetworkMessage_->setText(QStringLiteral("%1<br><tt>%2%3%4</tt>")
                                    .arg(QString::fromStdString(error.message).toHtmlEscaped(), before, marked, after));
    lblNetworkMessage_->setAccessibleName(QString::fromStdString(error.message));
}

void NetworkCalculator::clearAnswer()
{
    for (QLabel* label : {lblNetworkValue_, lblNetworkRange_, lblNetworkNearest_, lblNetworkText_})
        label->clear();
    picNetwork_->setDrawing({});
}

} // namespace tools
