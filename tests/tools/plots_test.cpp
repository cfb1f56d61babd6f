// SPDX-License-Identifier: MIT
// The plot painter judged on what it laid out: every plot the tools make, at its least size and
// larger, with no text on another or outside; the CSV giving back every plotted point; and the
// view's cursor, Copy plot and Copy data.
#include "schematic/plot.h"
#include "tools/plots.h"
#include "tools/plotview.h"
#include "values/series.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using schematic::Plot;

std::vector<values::Decimal> range(values::Series series, const char* lo, const char* hi)
{
    return values::valuesInRange(series, *values::parse(lo).value, *values::parse(hi).value);
}

Plot filterPlot(values::Response response, int order, values::Pass pass, double fc)
{
    const values::FilterGoal goal{{response, order, response == values::Response::Chebyshev ? 3.0 : 0.0},
                                  pass,
                                  values::FilterTopology::SallenKey,
                                  fc};
    const values::FilterDesign d =
        values::designFilter(goal, range(values::Series::E24, "1k", "1M"), range(values::Series::E12, "1n", "1u"));
    return tools::plots::filter(d, values::filterCurves(d, {1, 5}), QLocale::c());
}

Plot passivePlot(values::PassiveForm form, values::PassiveParts parts)
{
    return tools::plots::bode(values::passiveBiquad(form, parts), values::analysePassive(form, parts).minus3dbHz,
                              QStringLiteral("Bode"), QLocale::c());
}

struct Made {
    const char* name;
    std::function<Plot()> make;
};

const Made plots[] = {
    {"4th-order Butterworth low pass at 1 kHz",
     [] { return filterPlot(values::Response::Butterworth, 4, values::Pass::LowPass, 1000); }},
    {"8th-order Chebyshev high pass at 33 Hz",
     [] { return filterPlot(values::Response::Chebyshev, 8, values::Pass::HighPass, 33); }},
    {"1st-order Bessel low pass at 1.5 MHz",
     [] { return filterPlot(values::Response::Bessel, 1, values::Pass::LowPass, 1.5e6); }},
    {"RC low pass",
     [] {
         return passivePlot(values::PassiveForm::RcLow, {10e3, 0, 100e-9});
     }},
    {"RL high pass",
     [] {
         return passivePlot(values::PassiveForm::RlHigh, {100, 10e-3, 0});
     }},
    {"sharp RLC band pass",
     [] {
         return passivePlot(values::PassiveForm::RlcBand, {1, 10e-3, 100e-9});
     }},
    {"RLC notch",
     [] {
         return passivePlot(values::PassiveForm::RlcNotch, {300, 10e-3, 100e-9});
     }},
    {"peaking LC low pass",
     [] {
         return passivePlot(values::PassiveForm::LcLow, {10e3, 1e-3, 10e-9});
     }},
    {"RC low and high pass", [] { return tools::plots::rc(10e3, 100e-9, QLocale::c()); }},
    {"RC at 1.2 GHz", [] { return tools::plots::rc(1.3, 0.1e-9, QLocale::c()); }},
    {"LC tank", [] { return tools::plots::tank(10e-6, 100e-9, QLocale::c()); }},
    {"LC tank in the picofarads", [] { return tools::plots::tank(1e-9, 1e-12, QLocale::c()); }},
    {"555 at 2.4 Hz", [] { return tools::plots::timer(0.21002, 0.20794, QLocale::c()); }},
    {"555 with a short low time", [] { return tools::plots::timer(1.2e-3, 9e-6, QLocale::c()); }},
    {"555 monostable pulse", [] { return tools::plots::pulse(1.0986, QLocale::c()); }},
    {"RC charging to 3.3 V of 5 V", [] { return tools::plots::charge(1e-3, 5, 3.3, QLocale::c()); }},
    {"RC charging to nearly the supply", [] { return tools::plots::charge(47, 12, 11.999, QLocale::c()); }},
    {"decimal comma", [] { return tools::plots::charge(1.5e-3, 2.5, 1, QLocale(QLocale::German)); }},
};

// Every pair of texts that share more than a hair of area, and every text outside the plot.
std::vector<std::string> overlaps(const Plot::Layout& l)
{
    std::vector<std::string> found;
    for (std::size_t i = 0; i < l.labels.size(); ++i) {
        const Plot::Box& a = l.labels[i];
        if (!l.bounds.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(a.rect))
            found.push_back(a.text.toStdString() + " outside the plot");
        for (std::size_t j = i + 1; j < l.labels.size(); ++j) {
            const QRectF shared = a.rect.intersected(l.labels[j].rect);
            if (shared.width() > 1e-6 && shared.height() > 1e-6)
                found.push_back(a.text.toStdString() + " on " + l.labels[j].text.toStdString());
        }
        for (const QRectF& area : l.areas) {
            const QRectF shared = a.rect.intersected(area);
            if (shared.width() > 1e-6 && shared.height() > 1e-6)
                found.push_back(a.text.toStdString() + " on the curves");
        }
    }
    return found;
}

TEST(SchematicPlot, EveryPlotKeepsItsTextsApartAndInsideAtItsLeastSizeAndLarger)
{
    const QFont font = QApplication::font();
    for (const Made& made : plots) {
        SCOPED_TRACE(made.name);
        const Plot plot = made.make();
        ASSERT_FALSE(plot.isEmpty());
        const QSizeF least = plot.minimumSize(font);
        for (const QSizeF size : {least, least * 1.7, QSizeF(least.width() * 2.5, least.height())}) {
            const Plot::Layout l = plot.layout(size, font);
            EXPECT_EQ(overlaps(l), std::vector<std::string>{}) << size.width() << " x " << size.height();
            for (const QRectF& area : l.areas) {
                EXPECT_TRUE(l.bounds.contains(area));
                EXPECT_GE(area.height(), 3 * QFontMetricsF(font).height());
            }
        }
    }
}

std::vector<double> column(const QStringList& rows, int index)
{
    std::vector<double> values;
    for (const QString& row : rows)
        values.push_back(row.split(u',').value(index).toDouble());
    return values;
}

TEST(SchematicPlot, CopyDataGivesBackEveryPlottedPoint)
{
    for (const Made& made : plots) {
        SCOPED_TRACE(made.name);
        const Plot plot = made.make();
        QStringList rows = plot.csv().split(u'\n', Qt::SkipEmptyParts);
        const QString header = rows.takeFirst();
        ASSERT_EQ(rows.size(), static_cast<qsizetype>(plot.xs.size()));
        EXPECT_TRUE(header.startsWith(plot.x.title)) << header.toStdString();
        EXPECT_EQ(column(rows, 0), plot.xs);
        int index = 1;
        for (const schematic::Panel& panel : plot.panels) {
            for (const schematic::Curve& c : panel.curves) {
                EXPECT_TRUE(header.contains(c.name)) << c.name.toStdString();
                EXPECT_EQ(column(rows, index++), c.y) << c.name.toStdString();
            }
            for (const schematic::Shade& s : panel.shades) {
                EXPECT_EQ(column(rows, index++), s.low);
                EXPECT_EQ(column(rows, index++), s.high);
            }
        }
    }
}

TEST(SchematicPlot, LabelsAreEngineeringFigures)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {{1000, "1k"}, {10e3, "10k"},    {100e3, "100k"}, {0.0025, "2.5m"}, {999.7, "1k"},
                 {-40, "-40"}, {1.5e-6, "1.5µ"}, {0, "0"},        {4.7e-9, "4.7n"}};
    for (const auto& c : cases)
        EXPECT_EQ(schematic::engineering(c.value).toStdString(), c.text) << c.value;
    EXPECT_EQ(schematic::engineering(2500, u','), QStringLiteral("2,5k"));
}

TEST(SchematicPlot, AxesWriteTheirPrefixOnceAndTheDataInTheUnitItself)
{
    const Plot charge = tools::plots::charge(1e-3, 5, 3.3, QLocale::c());
    const Plot::Layout l = charge.layout(charge.minimumSize(QApplication::font()) * 1.5, QApplication::font());
    QStringList texts;
    for (const Plot::Box& b : l.labels)
        texts << b.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("Time (ms)"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Voltage (V)")));
    EXPECT_TRUE(charge.csv().startsWith(QStringLiteral("Time (s),Capacitor (V)\n")));
    // A log axis labels each decade with its own prefix.
    const Plot bode = tools::plots::rc(10e3, 100e-9, QLocale::c());
    const Plot::Layout b = bode.layout(bode.minimumSize(QApplication::font()) * 2, QApplication::font());
    QStringList decades;
    for (const Plot::Box& box : b.labels)
        decades << box.text;
    for (const char* label : {"10", "100", "1k", "10k"})
        EXPECT_TRUE(decades.contains(QLatin1String(label))) << label << " in " << decades.join(u'|').toStdString();
    // Hertz below 1 take no prefix, "mHz" reading as "MHz": a tank resonant at 0.15915 Hz.
    const Plot slow = tools::plots::tank(1, 1, QLocale::c());
    QStringList slowTexts;
    for (const Plot::Box& box : slow.layout(slow.minimumSize(QApplication::font()) * 2, QApplication::font()).labels)
        slowTexts << box.text;
    for (const char* label : {"0.01", "0.1", "f0 0.15915 Hz"})
        EXPECT_TRUE(slowTexts.contains(QLatin1String(label))) << label << " in " << slowTexts.join(u'|').toStdString();
    const QString read = slow.readout(slow.nearest(0.1));
    EXPECT_TRUE(read.startsWith(QStringLiteral("0.1")) && read.contains(QStringLiteral(" Hz: "))) << read.toStdString();
    // The cursor reads each curve in its panel's unit.
    const std::size_t at = bode.nearest(159.15494);
    EXPECT_EQ(bode.readout(at).toStdString(),
              "159.2 Hz: Low pass -3.01 dB, High pass -3.01 dB, Low pass -45.00°, High pass 45.00°");
}

TEST(PlotView, TheCursorFollowsTheArrowKeysAndTheCopiesGoToTheClipboard)
{
    tools::PlotView view;
    EXPECT_FALSE(view.copyButton()->isEnabled());
    view.setPlot(tools::plots::charge(1e-3, 5, 3.3, QLocale::c()));
    view.resize(view.sizeHint());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.canvas()->setFocus();
    QTest::keyClick(view.canvas(), Qt::Key_Home);
    ASSERT_EQ(view.cursor(), std::size_t{0});
    EXPECT_EQ(view.readout(), QStringLiteral("0 s: Capacitor 0 V"));
    QTest::keyClick(view.canvas(), Qt::Key_Right);
    EXPECT_EQ(view.cursor(), std::size_t{1});
    QTest::keyClick(view.canvas(), Qt::Key_End);
    EXPECT_EQ(view.cursor(), view.plot().xs.size() - 1);

    QApplication::clipboard()->clear();
    QTest::mouseClick(view.dataButton(), Qt::LeftButton);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), view.plot().csv());
    QTest::mouseClick(view.copyButton(), Qt::LeftButton);
    data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    EXPECT_TRUE(data->hasImage());

    view.setPlot({});
    EXPECT_FALSE(view.dataButton()->isEnabled());
    EXPECT_EQ(view.cursor(), std::nullopt);
}

TEST(PlotView, CurvesTakeThePalettesHighlightOnADarkBase)
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Highlight, QColor(0x40, 0xa0, 0xff));
    const QImage picture = tools::plots::charge(1e-3, 5, 3.3, QLocale::c()).image({}, 1.0, dark);
    int highlighted = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            highlighted += picture.pixelColor(x, y) == QColor(0x40, 0xa0, 0xff) ? 1 : 0;
    }
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(0x20, 0x20, 0x20));
    EXPECT_GT(highlighted, 100);
}

} // namespace
