// SPDX-License-Identifier: MIT
#include "tools/standardvalues/standardvalues.h"

#include "tools/circuitview.h"

#include "numeric/format.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/standardvalues/detail.h"
#include "tools/standardvalues/myparts.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/nearest.h"
#include "values/series.h"
#include "values/stock.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <stop_token>

namespace tools {

namespace {

using namespace standardvalues;

constexpr int saveDelayMs = 500;
constexpr int readDelayMs = 100;
// A search quicker than this swaps the rows without a word; a slower one clears the old rows
// first, so they are never read as the answer to the new input.
constexpr int slowSearchMs = 250;
constexpr int problemRows = 4;
// A list longer than this is taken into the editor off the window thread.
constexpr qsizetype quickLoadChars = qsizetype{64} * 1024;
// Forty times E192 over thirty decades; a longer list is searched but not edited here.
constexpr qsizetype maxEditedLines = 250'000;
// A list of a million bad lines lists the first of them and how many more.
constexpr std::size_t problemsListed = 200;
constexpr int networkRowsShown = 5; // at the smallest size; the rest scroll

// Room taken whether or not there is a message: a line across the window, two in a column.
QLabel* messageLabel(QWidget* parent, const char* name, bool warning, int lines)
{
    return new SteadyLabel(parent, QLatin1String(name), lines,
                           warning ? SteadyLabel::Tone::Warning : SteadyLabel::Tone::Plain);
}

// Wide enough for the widest cell it can hold, so the columns do not jump while typing.
int fitColumn(QTableWidget* table, int column, const QString& widest)
{
    const int padding = 4 * table->style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    const QString header = table->horizontalHeaderItem(column)->text();
    const int width = std::max(table->fontMetrics().horizontalAdvance(widest),
                               table->horizontalHeader()->fontMetrics().horizontalAdvance(header)) +
        padding;
    table->horizontalHeader()->resizeSection(column, width);
    return width;
}

// Nothing cut off at the smallest size: every column at its fitted width, all rows, no scroll bar.
void fitTable(QTableWidget* table, int columnsWidth, int rows)
{
    const int frame = 2 * table->frameWidth();
    const int height =
        table->horizontalHeader()->sizeHint().height() + rows * table->verticalHeader()->defaultSectionSize() + frame;
    table->setMinimumSize(columnsWidth + frame, height);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

StandardValues::StandardValues(QWidget* parent)
    : QWidget(parent)
    , search_(this, [this](const values::SearchResult& result) { showNetworks(result); })
    , reader_(this, [this](values::StockRead read) { showMyParts(std::move(read)); })
    , loader_(this, [this](const std::shared_ptr<QTextDocument>& document) { adoptMyParts(document); })
{
    setObjectName(QStringLiteral("frmStandardValues"));
    setWindowTitle(tr("Standard values"));
    build();
    fitToFont();
    chainTabs();

    const myparts::Loaded loaded = myparts::read();
    if (!loaded.problem.isEmpty()) {
        // Never written over: the file may be the user's, only too large or not a file at all.
        partsSavable_ = false;
        lblPartsMessage_->setText(tr("My parts is not used: %1").arg(loaded.problem));
    }
    if (const qsizetype lines = loaded.text.count(u'\n') + 1; lines > maxEditedLines) {
        // The editor holds some 500 bytes a line: such a list is searched as it is on disk and
        // left as it is, so it costs what its text does.
        partsSavable_ = false;
        partsOnDisk_ = loaded.text.toStdString();
        txtMyParts_->setReadOnly(true);
        lblPartsMessage_->setText(
            tr("My parts has %1 lines, too many to edit here (at most %2); the search uses them all.")
                .arg(locale().toString(lines), locale().toString(maxEditedLines)));
    } else if (loaded.text.size() <= quickLoadChars) {
        txtMyParts_->setPlainText(loaded.text);
    } else {
        // Qt takes some four microseconds a line to take a text in: a list of a million lines
        // would hold the window for seconds, so its document is made on a worker and handed over
        // whole, the editor read-only meanwhile.
        txtMyParts_->setReadOnly(true);
        lblPartsMessage_->setText(tr("Reading My parts..."));
        loader_.run([text = loaded.text, window = thread()](const std::stop_token&) {
            // Owned by the editor once delivered; deleted here only when it never is.
            std::shared_ptr<QTextDocument> document(new QTextDocument, [](QTextDocument* d) {
                if (!d->parent())
                    delete d;
            });
            document->setPlainText(text);
            document->moveToThread(window);
            return document;
        });
    }
    myPartsEdited();
    saveTimer_->stop(); // what was just loaded needs no saving
    partsUnsaved_ = false;
    kindChosen();
    connectAll();
}

StandardValues::~StandardValues()
{
    if (partsUnsaved_)
        saveMyPartsOnce(true);
}

void StandardValues::build()
{
    txtTarget_ = named(new QLineEdit(this), "txtTarget", tr("Target value"));
    txtTarget_->setPlaceholderText(tr("e.g. 4.7k, 4k7 or 100n"));
    cboKind_ = named(new QComboBox(this), "cboKind", tr("Kind of part"));
    cboKind_->addItems({tr("Resistor"), tr("Capacitor")});
    lblTargetMessage_ = messageLabel(this, "lblTargetMessage", true, 1);

    auto* top = new QGridLayout;
    top->addWidget(labelFor(this, "lblTarget", tr("&Value:"), txtTarget_), 0, 0);
    top->addWidget(txtTarget_, 0, 1);
    top->addWidget(labelFor(this, "lblKind", tr("&Kind:"), cboKind_), 0, 2);
    top->addWidget(cboKind_, 0, 3);
    top->addWidget(lblTargetMessage_, 1, 1, 1, 3);
    top->setColumnStretch(1, 1);

    tabStandard_ = named(new QTabWidget(this), "tabStandard", tr("Results"));

    // Nearest: one row per series.
    auto* pagNearest = named(new QWidget(tabStandard_), "pagNearest");
    // Extra width goes to the values, not to one wide last column.
    tblNearest_ = resultsTable(pagNearest, "tblNearest", tr("Nearest value in each series"),
                               {tr("Series"), tr("Nearest"), tr("Deviation"), tr("Below"), tr("Deviation"), tr("Above"),
                                tr("Deviation"), tr("Exact")},
                               {NNearest, NNearestDev, NBelow, NBelowDev, NAbove, NAboveDev, NExact});
    tblNearest_->setAlternatingRowColors(true);
    const QString deviation = tr("How far the value lies from the target, in percent");
    const std::pair<int, QString> nearestTips[] = {
        {NSeries, tr("The E-series of standard values: E24 has 24 a decade, E96 has 96")},
        {NNearest, tr("The value of the series nearest the target, by ratio")},
        {NNearestDev, deviation},
        {NBelow, tr("The next value of the series below the target")},
        {NBelowDev, deviation},
        {NAbove, tr("The next value of the series above the target")},
        {NAboveDev, deviation},
        {NExact, tr("Marked where the series holds the target itself")}};
    for (const auto& [column, tip] : nearestTips)
        tblNearest_->horizontalHeaderItem(column)->setToolTip(tip);
    tblNearest_->setRowCount(static_cast<int>(values::allSeries.size()));
    for (int row = 0; row < tblNearest_->rowCount(); ++row)
        tblNearest_->setItem(
            row, NSeries,
            cell(QString::fromLatin1(values::name(values::allSeries.at(static_cast<std::size_t>(row)))),
                 Qt::AlignLeft | Qt::AlignVCenter));
    cmdCopyNearest_ = copyTableButton(pagNearest, tblNearest_, "cmdCopyNearest", tr("Copy t&able"));
    auto* nearestCopy = new QHBoxLayout;
    nearestCopy->addStretch();
    nearestCopy->addWidget(cmdCopyNearest_);
    auto* nearestLayout = new QVBoxLayout(pagNearest);
    nearestLayout->addWidget(labelFor(pagNearest, "lblNearest", tr("&In each series:"), tblNearest_));
    nearestLayout->addWidget(tblNearest_, 1);
    nearestLayout->addLayout(nearestCopy);
    tabStandard_->addTab(pagNearest, tr("&Nearest"));

    // Networks: where the parts come from, how many, and the best ten.
    auto* pagNetworks = named(new QWidget(tabStandard_), "pagNetworks");
    cboSource_ = named(new QComboBox(pagNetworks), "cboSource", tr("Source of parts"));
    for (values::Series series : values::allSeries)
        cboSource_->addItem(QString::fromLatin1(values::name(series)));
    cboSource_->addItem(tr("My parts"));
    txtFrom_ = named(new QLineEdit(pagNetworks), "txtFrom", tr("Lowest part value"));
    txtTo_ = named(new QLineEdit(pagNetworks), "txtTo", tr("Highest part value"));
    lblFromUnit_ = named(new QLabel(pagNetworks), "lblFromUnit");
    lblToUnit_ = named(new QLabel(pagNetworks), "lblToUnit");
    cboParts_ = named(new QComboBox(pagNetworks), "cboParts", tr("Most parts in a network"));
    cboParts_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    cboParts_->setCurrentIndex(2);
    lblRangeMessage_ = messageLabel(pagNetworks, "lblRangeMessage", true, 1);

    auto* source = new QHBoxLayout;
    source->addWidget(labelFor(pagNetworks, "lblSource", tr("&Source:"), cboSource_));
    source->addWidget(cboSource_);
    source->addSpacing(8);
    source->addWidget(labelFor(pagNetworks, "lblFrom", tr("F&rom:"), txtFrom_));
    source->addWidget(txtFrom_, 1);
    source->addWidget(lblFromUnit_);
    source->addWidget(labelFor(pagNetworks, "lblTo", tr("T&o:"), txtTo_));
    source->addWidget(txtTo_, 1);
    source->addWidget(lblToUnit_);
    source->addSpacing(8);
    source->addWidget(labelFor(pagNetworks, "lblParts", tr("At &most:"), cboParts_));
    source->addWidget(cboParts_);
    source->addWidget(named(new QLabel(tr("parts"), pagNetworks), "lblPartsUnit"));
    source->addStretch();

    tblNetworks_ = resultsTable(pagNetworks, "tblNetworks", tr("Best networks"),
                                {tr("Network"), tr("Value"), tr("Deviation"), tr("Parts")}, {WNetwork});
    tblNetworks_->setAlternatingRowColors(true);
    tblNetworks_->horizontalHeaderItem(WNetwork)->setToolTip(tr("+ joins parts in series, || in parallel"));
    tblNetworks_->horizontalHeaderItem(WDeviation)->setToolTip(deviation);
    tblNetworks_->horizontalHeaderItem(WParts)->setToolTip(tr("How many parts the network takes"));
    lblNetworksStatus_ = messageLabel(pagNetworks, "lblNetworksStatus", false, 2);
    cmdCopyNetworks_ = copyTableButton(pagNetworks, tblNetworks_, "cmdCopyNetworks", tr("Copy t&able"));

    auto* results = new QVBoxLayout;
    results->addWidget(labelFor(pagNetworks, "lblNetworks", tr("&Best networks:"), tblNetworks_));
    results->addWidget(tblNetworks_, 1);
    auto* underNetworks = new QHBoxLayout;
    underNetworks->addWidget(lblNetworksStatus_, 1);
    underNetworks->addWidget(cmdCopyNetworks_, 0, Qt::AlignTop);
    results->addLayout(underNetworks);
    circuit_ = new CircuitView(pagNetworks);
    results->addWidget(circuit_);

    // My parts: the editor, where the list comes from, and the lines the search leaves out.
    fraMyParts_ = named(new QWidget(pagNetworks), "fraMyParts");
    fraMyParts_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    txtMyParts_ = named(new QPlainTextEdit(fraMyParts_), "txtMyParts", tr("My parts"));
    txtMyParts_->setPlaceholderText(tr("One value a line, or separated by commas or blanks; 4k7 x3 for three"));
    txtMyParts_->setTabChangesFocus(true);
    txtMyParts_->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdOpen_ = named(new QPushButton(tr("&Open..."), fraMyParts_), "cmdOpen");
    cmdOpen_->setToolTip(tr("Read a text or CSV file into My parts"));
    lstPartProblems_ = named(new QListWidget(fraMyParts_), "lstPartProblems", tr("Lines left out of the search"));
    lstPartProblems_->setWordWrap(true);
    lstPartProblems_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblPartsMessage_ = messageLabel(fraMyParts_, "lblPartsMessage", true, 2);

    auto* partsHead = new QHBoxLayout;
    partsHead->addWidget(labelFor(fraMyParts_, "lblMyParts", tr("M&y parts:"), txtMyParts_), 1);
    partsHead->addWidget(cmdOpen_);
    auto* partsLayout = new QVBoxLayout(fraMyParts_);
    partsLayout->setContentsMargins(0, 0, 0, 0);
    partsLayout->addLayout(partsHead);
    partsLayout->addWidget(txtMyParts_, 1);
    partsLayout->addWidget(labelFor(fraMyParts_, "lblPartProblems", tr("&Lines left out:"), lstPartProblems_));
    partsLayout->addWidget(lstPartProblems_);
    partsLayout->addWidget(lblPartsMessage_);

    auto* body = new QHBoxLayout;
    body->addLayout(results, 3);
    body->addWidget(fraMyParts_, 2);

    auto* networksLayout = new QVBoxLayout(pagNetworks);
    networksLayout->addLayout(source);
    networksLayout->addWidget(lblRangeMessage_);
    networksLayout->addLayout(body, 1);
    tabStandard_->addTab(pagNetworks, tr("N&etworks"));

    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabStandard_, 1);
    layout->addLayout(buttons);

    saveTimer_ = new QTimer(this);
    saveTimer_->setObjectName(QStringLiteral("tmrSave"));
    saveTimer_->setSingleShot(true);
    saveTimer_->setInterval(saveDelayMs);
    slowTimer_ = new QTimer(this);
    slowTimer_->setObjectName(QStringLiteral("tmrSlowSearch"));
    slowTimer_->setSingleShot(true);
    slowTimer_->setInterval(slowSearchMs);
    // Typing in a long list reads it once the keys pause, not at every key.
    readTimer_ = new QTimer(this);
    readTimer_->setObjectName(QStringLiteral("tmrReadParts"));
    readTimer_->setSingleShot(true);
    readTimer_->setInterval(readDelayMs);
}

// The host sets the interface font after construction, so the sizes that depend on it are
// worked out again whenever it changes.
void StandardValues::fitToFont()
{
    const QString widestValue = QStringLiteral("999.9 mΩ");
    const QString widestDeviation = QStringLiteral("+100.00 %");
    for (QTableWidget* table : {tblNearest_, tblNetworks_})
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);

    int nearestWidth = fitColumn(tblNearest_, NSeries, QStringLiteral("E192"));
    for (int column : {NNearest, NBelow, NAbove})
        nearestWidth += fitColumn(tblNearest_, column, widestValue);
    for (int column : {NNearestDev, NBelowDev, NAboveDev})
        nearestWidth += fitColumn(tblNearest_, column, widestDeviation);
    nearestWidth += fitColumn(tblNearest_, NExact, QStringLiteral("✓"));
    fitTable(tblNearest_, nearestWidth, tblNearest_->rowCount());

    // Four parts, and a near miss with its two significant digits; smaller misses are elided
    // and their cell says them whole as its tool tip.
    const int networksWidth = fitColumn(tblNetworks_, WNetwork, QStringLiteral("(49.9k + 49.9k) || (49.9k + 49.9k)")) +
        fitColumn(tblNetworks_, WValue, widestValue) +
        fitColumn(tblNetworks_, WDeviation, QStringLiteral("+0.0000045 %")) +
        fitColumn(tblNetworks_, WParts, QStringLiteral("3"));
    fitTable(tblNetworks_, networksWidth + tblNetworks_->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
             networkRowsShown);

    const int rangeWidth = txtFrom_->fontMetrics().horizontalAdvance(QStringLiteral("000.00m")) +
        2 * txtFrom_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
    for (QLineEdit* range : {txtFrom_, txtTo_}) {
        range->setMinimumWidth(rangeWidth);
        range->setMaximumWidth(2 * rangeWidth);
    }
    lstPartProblems_->setMaximumHeight(lstPartProblems_->fontMetrics().lineSpacing() * problemRows +
                                       2 * lstPartProblems_->frameWidth());
    fraMyParts_->setMinimumWidth(txtMyParts_->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 20);
}

// Opens tall enough for all ten networks, though it may be made smaller.
QSize StandardValues::sizeHint() const
{
    const QSize hint = QWidget::sizeHint();
    const int allRows = tblNetworks_->minimumHeight() +
        (networksTop - networkRowsShown) * tblNetworks_->verticalHeader()->defaultSectionSize();
    return {hint.width(), hint.height() + std::max(0, allRows - tblNetworks_->sizeHint().height())};
}

void StandardValues::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitToFont();
    QWidget::changeEvent(event);
}

void StandardValues::chainTabs()
{
    // From the tab bar on, which stays right after its tab widget: Tab would reach the widget, and
    // so the bar, again after Close.
    tabChain({tabStandard_->tabBar(), tblNearest_, cmdCopyNearest_, cboSource_, txtFrom_, txtTo_, cboParts_,
              tblNetworks_, cmdCopyNetworks_, circuit_->copyButton(), cmdOpen_, txtMyParts_, lstPartProblems_,
              cmdClose_});
}

void StandardValues::connectAll()
{
    connect(txtTarget_, &QLineEdit::textChanged, this, &StandardValues::targetEdited);
    connect(cboKind_, &QComboBox::currentIndexChanged, this, &StandardValues::kindChosen);
    connect(cboSource_, &QComboBox::currentIndexChanged, this, &StandardValues::sourceChosen);
    connect(txtFrom_, &QLineEdit::textChanged, this, &StandardValues::startSearch);
    connect(txtTo_, &QLineEdit::textChanged, this, &StandardValues::startSearch);
    connect(cboParts_, &QComboBox::currentIndexChanged, this, &StandardValues::startSearch);
    connect(txtMyParts_, &QPlainTextEdit::textChanged, this, &StandardValues::myPartsEdited);
    connect(cmdOpen_, &QPushButton::clicked, this, &StandardValues::openPartsFile);
    onRowPicked(tblNetworks_, this, [this] { drawNetwork(); });
    connect(saveTimer_, &QTimer::timeout, this, &StandardValues::saveMyParts);
    connect(slowTimer_, &QTimer::timeout, this, &StandardValues::searchIsSlow);
    connect(readTimer_, &QTimer::timeout, this, &StandardValues::readMyParts);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (partsUnsaved_)
            saveMyPartsOnce(true);
    });
    connect(lstPartProblems_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QTextBlock block = txtMyParts_->document()->findBlockByNumber(item->data(Qt::UserRole).toInt() - 1);
        if (!block.isValid())
            return;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        txtMyParts_->setTextCursor(cursor);
        txtMyParts_->setFocus();
    });
}

void StandardValues::targetEdited()
{
    target_.reset();
    const QString text = txtTarget_->text().trimmed();
    QString message;
    if (!text.isEmpty()) {
        const values::Parsed parsed = values::parse(text.toStdString(), decimalSeparator(locale()));
        if (!parsed.value) {
            message =
                QString::fromStdString(values::refusal(parsed, text.toStdString(), text.toStdString(), measure()));
        } else if (parsed.unit == values::Unit::Volt || parsed.unit == values::Unit::Ampere) {
            message = tr("'%1' is not a resistance or a capacitance: write 4.7k, 4k7 or 100n").arg(elided(text));
        } else {
            target_ = parsed.value;
            // A unit typed with the value says which kind of part is meant.
            const int kindIndex = parsed.unit == values::Unit::Farad ? 1 : parsed.unit == values::Unit::Ohm ? 0 : -1;
            if (kindIndex >= 0 && kindIndex != cboKind_->currentIndex()) {
                lblTargetMessage_->clear();
                cboKind_->setCurrentIndex(kindIndex); // refreshes everything
                return;
            }
        }
    }
    lblTargetMessage_->setText(message);
    showNearest();
    startSearch();
}

void StandardValues::kindChosen()
{
    const bool capacitor = kind() == values::Kind::Capacitor;
    const QSignalBlocker blockSource(cboSource_);
    const QSignalBlocker blockFrom(txtFrom_);
    const QSignalBlocker blockTo(txtTo_);
    if (cboSource_->currentIndex() != myPartsIndex)
        cboSource_->setCurrentIndex(static_cast<int>(capacitor ? values::Series::E12 : values::Series::E24));
    txtFrom_->setText(localised(capacitor ? "1p" : "10", locale()));
    txtTo_->setText(localised(capacitor ? "10m" : "1M", locale()));
    const QString unit = capacitor ? QStringLiteral("F") : QStringLiteral("Ω");
    lblFromUnit_->setText(unit);
    lblToUnit_->setText(unit);
    sourceChosen();
    showNearest();
    // A unit in My parts says which kind each line is.
    stockReader_.reset();
    readMyParts();
}

void StandardValues::sourceChosen()
{
    const bool mine = cboSource_->currentIndex() == myPartsIndex;
    txtFrom_->setEnabled(!mine);
    txtTo_->setEnabled(!mine);
    fraMyParts_->setVisible(mine);
    startSearch();
}

values::Kind StandardValues::kind() const
{
    return cboKind_->currentIndex() == 1 ? values::Kind::Capacitor : values::Kind::Resistor;
}

values::Measure StandardValues::measure() const
{
    return kind() == values::Kind::Capacitor ? values::Measure::Capacitance : values::Measure::Resistance;
}

// "4.7 kΩ", "147 nF", "10 Ω": the prefix written by the value's formatter, then the unit.
QString StandardValues::withUnit(const values::Decimal& v) const
{
    return localised(values::withUnit(v, kind() == values::Kind::Capacitor ? "F" : "Ω", values::allDigits), locale());
}

} // namespace tools
