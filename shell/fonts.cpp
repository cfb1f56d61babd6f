// SPDX-License-Identifier: MIT
#include "shell/fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace shell {

namespace {
const QString interfaceFamily = QStringLiteral("MS Sans Serif");
const QString outlineFamily = QStringLiteral("Tahoma");
constexpr double bitmapPoints = 8.25;
} // namespace

void installInterfaceFont()
{
    for (const char* file : {"ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    // Ordered by how many captions they leave uncut at the layout's sizes.
    const QStringList standIns = {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("FreeSans"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(interfaceFamily, standIns);
    QFont::insertSubstitutions(outlineFamily, standIns);
}

QFont makeFont(const FontSpec& spec)
{
    QString family = QString::fromLatin1(spec.family);
    if (family == interfaceFamily && (spec.points != bitmapPoints || spec.bold))
        family = outlineFamily;
    QFont font(family);
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    return font;
}

} // namespace shell
