// SPDX-License-Identifier: MIT
// The Standard values window's answers: the nearest value in every series, the best networks
// searched off the window thread, and the drawing of the one selected.
#include "tools/standardvalues/standardvalues.h"

#include "numeric/format.h"
#include "tools/circuitview.h"
#include "tools/localised.h"
#include "tools/standardvalues/detail.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/nearest.h"
#include "values/series.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTimer>

#include <atomic>
#include <functional>
#include <new>
#include <stop_token>

namespace tools {

using namespace standardvalues;

void StandardValues::showNearest()
{
    const bool shown = target_.has_value();
    std::vector<values::Nearest> rows;
    if (shown)
        rows = values::nearestInEverySeries(*target_);
    for (int row = 0; row < tblNearest_->rowCount(); ++row) {
        for (int column = NNearest; column < NColumns; ++column)
            delete tblNearest_->takeItem(row, column);
        if (!shown)
            continue;
        const values::Nearest& n = rows.at(static_cast<std::size_t>(row));
        const auto put = [&](int column, const values::Decimal& value) {
            tblNearest_->setItem(row, column, cell(withUnit(value)));
            const values::Deviation deviation = values::deviation(value, *target_);
            tblNearest_->setItem(row, column + 1,
                                 cell(localised(deviation.text(), locale()), fullText(deviation, locale())));
        };
        put(NNearest, n.nearest);
        put(NBelow, n.below);
        put(NAbove, n.above);
        if (n.exact) {
            auto* mark = cell(QStringLiteral("✓"), Qt::AlignCenter);
            mark->setData(Qt::AccessibleTextRole, tr("exact"));
            tblNearest_->setItem(row, NExact, mark);
        }
    }
}

void StandardValues::startSearch()
{
    lblRangeMessage_->clear();
    if (!target_) {
        clearNetworks({});
        return;
    }
    values::SearchOptions options;
    options.kind = kind();
    options.maxParts = cboParts_->currentIndex() + 1;
    options.top = networksTop;

    std::vector<values::Part> parts;
    if (cboSource_->currentIndex() == myPartsIndex) {
        if (myParts_.empty()) {
            clearNetworks(tr("My parts holds no values yet: type them, paste them or open a file."));
            return;
        }
        parts = myParts_;
    } else {
        const char separator = decimalSeparator(locale());
        const values::Parsed lo = values::parseMeasure(txtFrom_->text().toStdString(), measure(), separator);
        const values::Parsed hi = values::parseMeasure(txtTo_->text().toStdString(), measure(), separator);
        if (!lo.value || !hi.value) {
            lblRangeMessage_->setText(QString::fromStdString(!lo.value ? lo.error : hi.error));
            clearNetworks({});
            return;
        }
        if (*hi.value < *lo.value) {
            lblRangeMessage_->setText(tr("The range runs from the lower value to the higher one."));
            clearNetworks({});
            return;
        }
        const auto series = static_cast<values::Series>(cboSource_->currentIndex());
        parts = values::unlimitedParts(values::valuesInRange(series, *lo.value, *hi.value));
        if (parts.empty()) {
            clearNetworks(tr("No %1 value lies in this range.").arg(cboSource_->currentText()));
            return;
        }
    }

    reach_ = values::networkReach(*target_, parts, options);
    slowTimer_->start();
    search_.run([target = *target_, parts = std::move(parts), options](const std::stop_token& token) {
        std::atomic<bool> cancelled{false};
        const std::stop_callback stop(token, [&cancelled] { cancelled = true; });
        values::SearchOptions withCancel = options;
        withCancel.cancel = &cancelled;
        try {
            return values::findNetworks(target, parts, withCancel);
        } catch (const std::bad_alloc&) {
            values::SearchResult none;
            none.limited = true; // said beside the table as a limit reached
            return none;
        }
    });
}

void StandardValues::searchIsSlow()
{
    if (!search_.busy())
        return;
    tblNetworks_->setRowCount(0);
    lblNetworksStatus_->setText(tr("Searching..."));
}

void StandardValues::showNetworks(const values::SearchResult& result)
{
    slowTimer_->stop();
    tblNetworks_->selectionModel()->clear(); // the best network is drawn again
    tblNetworks_->setRowCount(static_cast<int>(result.networks.size()));
    int row = 0;
    for (const values::Network& network : result.networks) {
        tblNetworks_->setItem(row, WNetwork, cell(localised(network.text, locale()), Qt::AlignLeft | Qt::AlignVCenter));
        tblNetworks_->setItem(row, WValue,
                              cell(withUnit(network.value),
                                   fullText(network.precise, kind() == values::Kind::Capacitor ? "F" : "Ω", locale())));
        QTableWidgetItem* deviation =
            cell(localised(network.deviation.text(), locale()), fullText(network.deviation, locale()));
        deviation->setToolTip(deviation->text());
        tblNetworks_->setItem(row, WDeviation, deviation);
        tblNetworks_->setItem(row, WParts, cell(QString::number(network.partCount)));
        ++row;
    }
    QString status = result.networks.empty() ? tr("No network of these parts comes near.") : QString();
    if (result.limited)
        status = tr("The search stopped at its limit: a better network may exist.");
    else if (!result.networks.empty() && reach_.side != values::Reach::Side::Within)
        status = (reach_.side == values::Reach::Side::Below
                      ? tr("Out of reach: networks of these parts go no lower than %1")
                      : tr("Out of reach: networks of these parts go no higher than %1"))
                     .arg(withUnit(reach_.limit));
    lblNetworksStatus_->setText(status);
    shownNetworks_ = result.networks;
    drawNetwork();
    Q_EMIT networksShown();
}

void StandardValues::clearNetworks(const QString& status)
{
    search_.cancel();
    slowTimer_->stop();
    tblNetworks_->setRowCount(0);
    lblNetworksStatus_->setText(status);
    shownNetworks_.clear();
    drawNetwork();
    Q_EMIT networksShown();
}

void StandardValues::drawNetwork()
{
    const int row = drawnRow(*tblNetworks_);
    if (row < 0 || static_cast<std::size_t>(row) >= shownNetworks_.size()) {
        circuit_->setDrawing({});
        return;
    }
    const schematic::Symbol symbol =
        kind() == values::Kind::Capacitor ? schematic::Symbol::Capacitor : schematic::Symbol::Resistor;
    // Each part written as the table's Network column writes it.
    const std::function<schematic::Network(const values::NetworkNode&)> drawn = [&](const values::NetworkNode& n) {
        using Join = values::NetworkNode::Join;
        if (n.join == Join::Part)
            return schematic::Network::part(
                symbol, localised(values::format(n.value, std::max(n.value.digits(), 1)), locale()));
        std::vector<schematic::Network> parts;
        parts.reserve(n.parts.size());
        for (const values::NetworkNode& p : n.parts)
            parts.push_back(drawn(p));
        return n.join == Join::Series ? schematic::Network::series(std::move(parts))
                                      : schematic::Network::parallel(std::move(parts));
    };
    circuit_->setDrawing(schematic::network(drawn(values::tree(shownNetworks_[static_cast<std::size_t>(row)]))));
}

} // namespace tools
