// SPDX-License-Identifier: MIT
#include "shell/fonts.h"

#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace shell {

namespace {
const QString interfaceFamily = QStringLiteral("MS Sans Serif");
const QString outlineFamily = QStringLiteral("Tahoma");
constexpr double bitmapPoints = 8.25;

// Tahoma at 8.25 pt runs wider than MS Sans Serif: six captions overflow at 100 %. The
// least change that fits them all, measured over every screen: glyphs at 93 % width and a
// quarter pixel less between letters (100 % with spacing alone still wraps "V In=", 95 %
// alone leaves it too; larger letter-spacing cuts make words look cramped).
constexpr int outlineStretch = 93;
constexpr qreal outlineLetterSpacing = -0.25;

// Debian's fonts-wine keeps these outside fontconfig's path. Each file costs font
// matching work, so a face is added only when a font first asks for it.
void addWineFace(const char* file)
{
    const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
    if (QFile::exists(path))
        QFontDatabase::addApplicationFont(path);
}

// Only away from ratio 1, bold or at other sizes: the main screen at 1 draws no outline face.
void addOutlineFaces()
{
    [[maybe_unused]] static const bool added = [] {
        addWineFace("tahoma.ttf");
        addWineFace("tahomabd.ttf");
        return true;
    }();
}

bool outlineFaceIsTahoma()
{
    static const bool tahoma = QFontInfo(QFont(outlineFamily)).family() == outlineFamily;
    return tahoma;
}

bool isOne(qreal ratio)
{
    return qFuzzyCompare(ratio, 1.0);
}
} // namespace

void installInterfaceFont()
{
    addWineFace("ms_sans_serif.ttf");
    // Ordered by how many captions they leave uncut at the layout's sizes.
    const QStringList standIns = {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("FreeSans"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(interfaceFamily, standIns);
    QFont::insertSubstitutions(outlineFamily, standIns);
}

QFont makeFont(const FontSpec& spec, qreal devicePixelRatio)
{
    QString family = QString::fromLatin1(spec.family);
    const bool bitmapSize = spec.points == bitmapPoints && !spec.bold;
    const bool outline = family == interfaceFamily && (!bitmapSize || !isOne(devicePixelRatio));
    if (outline) {
        addOutlineFaces();
        family = outlineFamily;
    }
    QFont font(family);
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    // The stand-ins were chosen for their width as they are; only Tahoma is tuned.
    if (outline && bitmapSize && outlineFaceIsTahoma()) {
        font.setStretch(outlineStretch);
        font.setLetterSpacing(QFont::AbsoluteSpacing, outlineLetterSpacing);
    }
    return font;
}

QFont interfaceFont(qreal devicePixelRatio)
{
    return makeFont(FontSpec{}, devicePixelRatio);
}

qreal windowPixelRatio(const QWidget& window)
{
    // What the window's widgets are painted at, known also before it is first shown.
    return window.devicePixelRatioF();
}

WindowFonts::WindowFonts(QWidget& window)
    : QObject(&window)
    , window_(window)
    , ratio_(windowPixelRatio(window))
{
    // The platform window, whose screen changes are signalled, exists once it is shown.
    window.installEventFilter(this);
}

WindowFonts& WindowFonts::of(QWidget& window)
{
    if (auto* fonts = window.findChild<WindowFonts*>(QString(), Qt::FindDirectChildrenOnly))
        return *fonts;
    return *new WindowFonts(window);
}

void WindowFonts::use(QWidget& widget, const FontSpec& spec)
{
    widget.setFont(makeFont(spec, ratio_));
    fonts_.emplace_back(&widget, spec);
}

bool WindowFonts::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Show && !watchingScreen_) {
        if (QWindow* handle = window_.windowHandle()) {
            watchingScreen_ = true;
            connect(handle, &QWindow::screenChanged, this, &WindowFonts::follow);
        }
        follow();
    }
    return QObject::eventFilter(watched, event);
}

void WindowFonts::follow()
{
    const qreal ratio = windowPixelRatio(window_);
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    for (const auto& [widget, spec] : fonts_) {
        if (widget)
            widget->setFont(makeFont(spec, ratio));
    }
}

void useInterfaceFont(QWidget& window)
{
    WindowFonts& fonts = WindowFonts::of(window);
    fonts.use(window, FontSpec{});
    // A popup menu is a window of its own and inherits no font.
    for (QMenu* menu : window.findChildren<QMenu*>())
        fonts.use(*menu, FontSpec{});
}

} // namespace shell
