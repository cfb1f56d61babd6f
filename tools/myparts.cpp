// SPDX-License-Identifier: MIT
#include "tools/myparts.h"

#include "values/stock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tools::myparts {

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
    const QByteArray text = file.readAll();
    if (QFileInfo(fileName).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0)
        return QString::fromUtf8(text);
    const std::string list = values::writeStock(values::parseStock(text.toStdString(), decimalSeparator));
    return QString::fromStdString(list);
}

} // namespace tools::myparts
