// SPDX-License-Identifier: MIT
#include "tools/localised.h"

namespace tools {

char decimalSeparator(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : '.';
}

QString localised(const std::string& text, const QLocale& locale)
{
    QString result = QString::fromStdString(text);
    if (const char separator = decimalSeparator(locale); separator != '.')
        result.replace(u'.', QLatin1Char(separator));
    return result;
}

} // namespace tools
