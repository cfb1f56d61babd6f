// SPDX-License-Identifier: MIT
// Every caption must be readable whole in the font the screens are laid out for. The
// rectangles come from the layout tables and are not moved to make a caption fit, so one
// that is cut is listed as known, and the list has to shrink when a layout is fixed.
#include "gui.h"

#include "shell/widgets.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>
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
        // QLabel draws plain text with QStyle::drawItemText into its contents rectangle; the
        // "&" of an access key is not drawn.
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int mnemonic = label->buddy() ? Qt::TextShowMnemonic : 0;
        const QRect used = label->fontMetrics().boundingRect(
            room, static_cast<int>(label->alignment()) | Qt::TextWordWrap | mnemonic, label->text());
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
// Tahoma, drawn at every other ratio, has shorter lines: there nothing may be cut.
const std::set<Misfit> knownCutAtOneToOne = {
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
// one bitmap size, usable only at one device pixel per pixel; larger and bold text, and all
// text at any other ratio, is drawn in Tahoma, also from fonts-wine.
TEST_F(ScreenTest, EveryScreenIsDrawnInMsSansSerifOrTahoma)
{
    for (const std::string& name : project.screenNames()) {
        shell::Form& f = form(name.c_str());
        f.show();
        const bool oneToOne = f.window()->devicePixelRatio() == 1.0;
        QList<QWidget*> drawn = f.window()->centralWidget()->findChildren<QWidget*>();
        if (QWidget* bar = f.window()->menuWidget()) {
            drawn.append(bar);
            for (QMenu* menu : bar->findChildren<QMenu*>()) {
                // Qt's overflow menu, made while the bar is narrower than its menus before the
                // window takes its width; it is never shown.
                if (!bar->actions().contains(menu->menuAction()))
                    continue;
                drawn.append(menu);
            }
        }
        for (QWidget* w : drawn) {
            const bool bitmapSize = w->font().pointSizeF() == 8.25 && !w->font().bold() && oneToOne;
            EXPECT_EQ(QFontInfo(w->font()).family(), bitmapSize ? "MS Sans Serif" : "Tahoma")
                << name << '.' << w->objectName().toStdString() << " (" << w->metaObject()->className()
                << "): is fonts-wine installed?";
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

    const std::set<Misfit> knownCut = qApp->devicePixelRatio() == 1.0 ? knownCutAtOneToOne : std::set<Misfit>{};
    std::vector<Misfit> unexpected, fixed;
    std::set_difference(misfits.begin(), misfits.end(), knownCut.begin(), knownCut.end(),
                        std::back_inserter(unexpected));
    std::set_difference(knownCut.begin(), knownCut.end(), misfits.begin(), misfits.end(), std::back_inserter(fixed));
    EXPECT_TRUE(unexpected.empty()) << "cut captions:" << listed(unexpected);
    EXPECT_TRUE(fixed.empty()) << "these fit now, take them off knownCut:" << listed(fixed);
}

namespace {

// A caption as drawn: the text the control shows and a way to change it.
struct DrawnCaption {
    QWidget* control = nullptr;
    QString text;
    std::function<void(const QString&)> setText;
    int wrapWidth = 0; // 0: one line
};

std::optional<DrawnCaption> drawnCaption(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return DrawnCaption{w, label->text(), [label](const QString& t) { label->setText(t); },
                            label->contentsRect().width()};
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return DrawnCaption{w, button->text(), [button](const QString& t) { button->setText(t); }, 0};
    return std::nullopt;
}

QString firstLine(const DrawnCaption& c)
{
    if (c.wrapWidth == 0)
        return c.text;
    QTextLayout layout(c.text, c.control->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(c.wrapWidth);
    layout.endLayout();
    return c.text.mid(line.textStart(), line.textLength()).trimmed();
}

// The device pixels a line in this font should cover from its highest to its lowest ink: the
// glyph outlines at the size the layout was made for, scaled to the ratio. A face that
// cannot be drawn larger fails this, as the metrics of its one size would not.
qreal askedInkHeight(const QFont& font, qreal ratio, const QString& line)
{
    QPainterPath outlines;
    outlines.addText(0, 0, font, line);
    return outlines.boundingRect().height() * ratio;
}

QImage drawn(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The rows of device pixels one line of text inks in the caption's place: the control drawn
// with that line and with no text, compared; faint antialiasing does not count.
int inkHeight(const DrawnCaption& c, const QString& line)
{
    c.setText(line);
    const QImage with = drawn(c.control);
    c.setText(QString());
    const QImage without = drawn(c.control);
    c.setText(c.text);
    auto differs = [](QRgb a, QRgb b) { return std::abs(qGray(a) - qGray(b)) > 48; };
    int first = -1, last = -1;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (differs(with.pixel(x, y), without.pixel(x, y))) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

} // namespace

// A bitmap face cannot be scaled: at any ratio but 1 its glyphs stay their one size, a
// third too short at 1.5. Every caption's ink has to be as tall as its font asks.
TEST_F(ScreenTest, CaptionsAreDrawnAsTallAsTheirFontAsks)
{
    if (qApp->devicePixelRatio() == 1.0)
        GTEST_SKIP() << "at ratio 1 MS Sans Serif is drawn at its own size, as the screenshots show";
    for (const std::string& name : project.screenNames()) {
        shell::Form& f = form(name.c_str());
        f.show();
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus(); // a focus frame would count as ink
        const qreal ratio = f.window()->devicePixelRatio();
        for (QWidget* w : f.window()->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const std::optional<DrawnCaption> c = drawnCaption(w);
            // Greyed text of a disabled control is too faint at its edges to measure.
            if (!c || c->text.isEmpty() || !w->isEnabled())
                continue;
            // Drawn without its access key's "&", so the underline does not count as ink.
            const QString line = firstLine(*c).remove(QRegularExpression(QStringLiteral("&(?!&)")));
            const qreal asked = askedInkHeight(w->font(), ratio, line);
            // Antialiasing makes the edge rows faint or partly covered: two rows either way.
            const int ink = inkHeight(*c, line);
            const std::string what = name + '.' + w->objectName().toStdString() + " \"" + line.toStdString() +
                "\" at " + std::to_string(ratio) + "x in " + QFontInfo(w->font()).family().toStdString();
            EXPECT_GT(asked, 0) << what << ": a face without outlines";
            EXPECT_NEAR(ink, asked, 2.0) << what;
        }
        f.unload();
    }
}

// A window dragged to a screen of another ratio redraws there in the face that ratio needs,
// and back. Needs two screens of ratios 1 and 2 (the offscreen platform's configfile).
TEST_F(ScreenTest, FontsAndPicturesFollowTheWindowToAScreenOfAnotherRatio)
{
    QScreen* one = nullptr;
    QScreen* two = nullptr;
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->devicePixelRatio() == 1.0)
            one = s;
        else if (s->devicePixelRatio() == 2.0)
            two = s;
    }
    if (!one || !two)
        GTEST_SKIP() << "needs a screen at ratio 1 and one at ratio 2";

    shell::Form& f = form("frmMainScr");
    f.show();
    QWindow* window = f.window()->windowHandle();
    ASSERT_NE(window, nullptr);
    auto* button = f.control<QPushButton>("cmdResistors");
    auto* picture = f.control<shell::PictureBox>("Picture1");
    ASSERT_NE(button, nullptr);
    ASSERT_NE(picture, nullptr);

    const struct {
        const char* move;
        QScreen* screen;
        const char* family;
        qreal pictureRatio;
    } moves[] = {
        {"to the screen at ratio 2", two, "Tahoma", 2.0},
        {"back to the screen at ratio 1", one, "MS Sans Serif", 1.0},
        {"to ratio 2 again", two, "Tahoma", 2.0},
    };
    for (const auto& m : moves) {
        window->setScreen(m.screen);
        QCoreApplication::processEvents();
        EXPECT_EQ(QFontInfo(button->font()).family(), m.family) << m.move;
        EXPECT_EQ(QFontInfo(f.window()->menuBar()->findChild<QMenu*>()->font()).family(), m.family) << m.move;
        EXPECT_EQ(picture->shownPicture().devicePixelRatio(), m.pictureRatio) << m.move;
    }
    f.unload();
}
