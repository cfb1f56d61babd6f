// SPDX-License-Identifier: MIT
#include "tools/localised.h"

#include "tools/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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

QComboBox* numberChoices(QWidget* parent, const char* name, const QString& accessibleName,
                         std::span<const char* const> numbers, const QString& suffix, int current)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    for (const char* n : numbers)
        box->addItem(localised(n, parent->locale()) + suffix, QString::fromLatin1(n));
    box->setCurrentIndex(current);
    return box;
}

std::optional<values::Decimal> readTyped(const QLineEdit* field, QLabel* message, values::Measure measure)
{
    const QString text = field->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const values::Parsed parsed = values::parseMeasure(text.toStdString(), measure, decimalSeparator(field->locale()));
    if (!parsed.value)
        message->setText(QString::fromStdString(parsed.error));
    return parsed.value;
}

} // namespace tools
