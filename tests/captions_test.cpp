// SPDX-License-Identifier: MIT
// Every caption must be readable whole in the font the screens are laid out for. The
// rectangles come from the layout tables and are not moved to make a caption fit, so one
// that is cut is listed as known, and the list has to shrink when a layout is fixed.
#include "gui.h"

#include <QComboBox>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <array>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A caption that does not fit, in the numbers a layout fix needs.
struct Misfit {
    std::string screen, control, text, dimension;
    int needed = 0, available = 0;

    auto key() const { return std::tie(screen, control, text, dimension); }
    bool operator<(const Misfit& other) const { return key() < other.key(); }
};

std::ostream& operator<<(std::ostream& os, const Misfit& m)
{
    return os << m.screen << '.' << m.control << " \"" << m.text << "\": " << m.dimension << " needs " << m.needed
              << " px, has " << m.available << " px";
}

void measure(const std::string& screen, QWidget* w, std::set<Misfit>& misfits)
{
    auto check = [&](const QString& text, const char* dimension, int needed, int available) {
        if (needed > available)
            misfits.insert({screen, w->objectName().toStdString(), text.toStdString(), dimension, needed, available});
    };

    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return;
        // QLabel draws plain text with QStyle::drawItemText into its contents rectangle.
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const QRect used = label->fontMetrics().boundingRect(
            room, static_cast<int>(label->alignment()) | Qt::TextWordWrap, label->text());
        check(label->text(), "width", used.width(), room.width());
        check(label->text(), "height", used.height(), room.height());
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        // What QCommonStyle asks for around one line of text. Fusion then widens every
        // button to at least 80 px, which many of ours are not, so sizeHint() would fail them.
        QStyleOptionButton option;
        option.initFrom(button);
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        check(button->text(), "width", text.width() + margin + frame, button->width());
        check(button->text(), "height", text.height() + frame, button->height());
    } else if (auto* choice = qobject_cast<QRadioButton*>(w)) {
        // The height hint keeps room for a focus frame that neither indicator nor text reach.
        QStyleOptionButton option;
        option.initFrom(choice);
        const int indicator = choice->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, choice);
        check(choice->text(), "width", choice->sizeHint().width(), choice->width());
        check(choice->text(), "height", std::max(indicator, choice->fontMetrics().height()), choice->height());
    }
}

void measureScreen(shell::Form& f, std::set<Misfit>& misfits)
{
    for (QWidget* w : f.window()->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        measure(f.name(), w, misfits);
}

// Cut in MS Sans Serif at the layout's rectangles. A second line of 13 px text in a 25 px
// label loses its lowest pixel row, which only descenders reach; none of these lines has one.
const std::set<Misfit> knownCut = {
    {"frmTransistors", "Label1", "Canistor Transistor Case TO-5", "height", 26, 25},
    {"frmTransistors", "Label2", "Silicon Transistor Case TO-92", "height", 26, 25},
    {"frmParRes", "lblParResTotal", "Resistor Total = -461168601842738.7904 Ohms", "height", 26, 25},
    {"frmParCap", "lblParCapTotal", "Capacitor Total = -922337203685477.5808 Microfarads", "height", 26, 25},
};

// The longest lines each result label is given: the widest value of the result's type,
// negative, at full precision.
struct LongestResult {
    const char* screen;
    std::vector<const char*> texts;
};

const LongestResult longestResults[] = {
    {"frmSerRes2", {"-2147483648", "0"}},
    {"frmSerRes3", {"-2147483648", "0", "0"}},
    {"frmParRes", {"-922337203685477.5808", "-922337203685477.5808"}},
    {"frmSerCap2", {"-2.46913578024691E+100", "-2.46913578024691E+100"}},
    {"frmSerCap3", {"-3.70370367037037E+100", "-3.70370367037037E+100", "-3.70370367037037E+100"}},
    {"frmParCap", {"-922337203685477.5808", "0"}},
    {"frmVoltageDiv", {"-922337203685477.5808", "0", "1"}},
};
// Band 1, 2, 3 and tolerance of the longest colour-code lines.
const std::array<const char*, 4> longestColourCode = {"White", "White", "White", "Silver"};

template <class Misfits>
std::string listed(const Misfits& misfits)
{
    std::ostringstream os;
    for (const Misfit& m : misfits)
        os << "\n  " << m;
    return os.str();
}

} // namespace

// Measuring in a stand-in font would prove nothing about what users see. MS Sans Serif has
// one bitmap size; larger and bold text is drawn in Tahoma, also from fonts-wine.
TEST_F(ScreenTest, EveryScreenIsDrawnInMsSansSerifOrTahoma)
{
    for (const std::string& name : project.screenNames()) {
        shell::Form& f = form(name.c_str());
        f.show();
        QList<QWidget*> drawn = f.window()->centralWidget()->findChildren<QWidget*>();
        if (QWidget* bar = f.window()->menuWidget()) {
            drawn.append(bar);
            for (QMenu* menu : bar->findChildren<QMenu*>())
                drawn.append(menu);
        }
        for (QWidget* w : drawn) {
            const bool bitmapSize = w->font().pointSizeF() == 8.25 && !w->font().bold();
            EXPECT_EQ(QFontInfo(w->font()).family(), bitmapSize ? "MS Sans Serif" : "Tahoma")
                << name << '.' << w->objectName().toStdString() << ": is fonts-wine installed?";
        }
        f.unload();
    }
}

TEST_F(ScreenTest, CaptionsFitTheirControls)
{
    std::set<Misfit> misfits;
    for (const std::string& name : project.screenNames()) {
        shell::Form& f = form(name.c_str());
        f.show();
        measureScreen(f, misfits);
        f.unload();
    }

    forEveryCalculator(longestResults, [&](const calculators::Calculator& c, const LongestResult& r) {
        project.show(c.name());
        typeAll(c, r.texts);
        calculate(c);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
        messages.clear();
        EXPECT_FALSE(result(c).isEmpty());
        measureScreen(form(c.name()), misfits);
        form(c.name()).unload();
    });

    const calculators::ColourCodeScreen& colour = calculators::colourCode;
    project.show(colour.name());
    for (std::size_t k = 0; k < colour.bands.size(); ++k)
        control<QComboBox>(colour.name(), colour.bands.at(k))
            ->setEditText(QString::fromLatin1(longestColourCode.at(k)));
    click(colour.name(), colour.button);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
    for (const char* label : {colour.valueLabel, colour.toleranceLabel})
        EXPECT_FALSE(caption(colour.name(), label).isEmpty()) << label;
    measureScreen(form(colour.name()), misfits);
    form(colour.name()).unload();

    std::vector<Misfit> unexpected, fixed;
    std::set_difference(misfits.begin(), misfits.end(), knownCut.begin(), knownCut.end(),
                        std::back_inserter(unexpected));
    std::set_difference(knownCut.begin(), knownCut.end(), misfits.begin(), misfits.end(), std::back_inserter(fixed));
    EXPECT_TRUE(unexpected.empty()) << "cut captions:" << listed(unexpected);
    EXPECT_TRUE(fixed.empty()) << "these fit now, take them off knownCut:" << listed(fixed);
}
