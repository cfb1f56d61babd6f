// SPDX-License-Identifier: MIT
#include "tools/myparts.h"

#include "values/value.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace tools::myparts {

namespace {

// Quoted cells may hold the separator; a doubled quote stands for one.
QStringList splitRow(const QString& row, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QChar c = row.at(i);
        if (c == u'"' && quoted && i + 1 < row.size() && row.at(i + 1) == u'"') {
            cell += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells.append(cell.trimmed());
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.append(cell.trimmed());
    return cells;
}

// Spreadsheets write semicolons between columns where the decimal separator is a comma.
QChar columnSeparator(const QString& firstRow, char decimalSeparator)
{
    if (firstRow.contains(u'\t'))
        return u'\t';
    if (firstRow.contains(u';') || decimalSeparator == ',')
        return u';';
    return u',';
}

} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/my-parts.txt");
}

QString load()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool save(const QString& text, QString* error)
{
    const QString path = filePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QCoreApplication::translate("tools::myparts", "cannot create the folder of %1")
                         .arg(QDir::toNativeSeparators(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<QString> importFile(const QString& fileName, char decimalSeparator, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(file.readAll());
    if (QFileInfo(fileName).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0)
        return text;
    return partsFromCsv(text, decimalSeparator);
}

QString partsFromCsv(const QString& csv, char decimalSeparator)
{
    QStringList rows = csv.split(u'\n');
    for (QString& row : rows)
        row = row.trimmed();
    rows.removeAll(QString());
    if (rows.isEmpty())
        return {};
    const QChar separator = columnSeparator(rows.front(), decimalSeparator);

    const auto isValue = [decimalSeparator](const QString& cell) {
        return !cell.isEmpty() && values::parse(cell.toStdString(), decimalSeparator).value.has_value();
    };

    // A first row without any value is a heading: not a part, but it may name the columns.
    qsizetype valueColumn = -1;
    qsizetype countColumn = -1;
    const QStringList heading = splitRow(rows.front(), separator);
    if (std::none_of(heading.begin(), heading.end(), isValue)) {
        rows.removeFirst();
        for (qsizetype i = 0; i < heading.size(); ++i) {
            const QString name = heading.at(i).toLower();
            if (valueColumn < 0 && (name == u"value" || name == u"values"))
                valueColumn = i;
            if (countColumn < 0 && (name == u"qty" || name == u"quantity" || name == u"count"))
                countColumn = i;
        }
    }
    QString list;
    for (const QString& row : rows) {
        const QStringList cells = splitRow(row, separator);
        QString part;
        if (valueColumn >= 0) {
            if (valueColumn < cells.size() && isValue(cells.at(valueColumn)))
                part = cells.at(valueColumn);
        } else {
            const auto first = std::find_if(cells.begin(), cells.end(), isValue);
            if (first != cells.end())
                part = *first;
        }
        if (part.isEmpty()) {
            list += row + u'\n';
            continue;
        }
        bool counted = false;
        const int count = countColumn >= 0 && countColumn < cells.size() ? cells.at(countColumn).toInt(&counted) : 0;
        list += part;
        if (counted && count > 1)
            list += QStringLiteral(" x%1").arg(count);
        list += u'\n';
    }
    return list;
}

} // namespace tools::myparts
