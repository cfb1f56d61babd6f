// SPDX-License-Identifier: MIT
#include "shell/fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace shell {

void installInterfaceFont()
{
    const QString wineFont = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
    if (QFile::exists(wineFont))
        QFontDatabase::addApplicationFont(wineFont);
    // Ordered by how many captions they leave uncut at the layout's sizes.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("FreeSans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace shell
