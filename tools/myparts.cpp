// SPDX-License-Identifier: MIT
#include "tools/myparts.h"

#include "values/stock.h"
#include "values/value.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace tools::myparts {

namespace {

// What the last load or save left on disk, so a save can tell that another program (or another
// Voltiva) changed the file since, and the encoding the user's bytes came in.
struct OnDisk {
    bool known = false;
    qint64 size = -1;
    QDateTime modified;
    bool latin1 = false;
};
OnDisk& lastSeen()
{
    static OnDisk seen;
    return seen;
}

OnDisk stamp(const QString& path, bool latin1)
{
    const QFileInfo info(path);
    return {true, info.exists() ? info.size() : -1, info.exists() ? info.lastModified() : QDateTime(), latin1};
}

// Bytes that are not UTF-8 are read one for one as Latin-1, which gives them back unchanged.
QString decoded(const QByteArray& bytes, bool* latin1)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    *latin1 = utf8.hasError();
    return *latin1 ? QString::fromLatin1(bytes) : text;
}

} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/my-parts.txt");
}

Loaded read()
{
    Loaded loaded;
    const QString path = filePath();
    removeStrayCopies();
    const QFileInfo info(path);
    if (!info.exists()) {
        lastSeen() = stamp(path, false);
        return loaded;
    }
    std::string error;
    const std::optional<std::string> bytes = values::readPartsFile(path.toStdString(), error);
    if (!bytes) {
        loaded.problem = QString::fromStdString(error);
        lastSeen() = {};
        return loaded;
    }
    loaded.text = decoded(QByteArray::fromStdString(*bytes), &loaded.latin1);
    lastSeen() = stamp(path, loaded.latin1);
    return loaded;
}

QString load()
{
    return read().text;
}

std::vector<values::Part> parts(char decimalSeparator)
{
    struct Cache {
        bool valid = false;
        OnDisk seen;
        char separator = '.';
        std::vector<values::Part> parts;
    };
    static Cache cache;
    const QString path = filePath();
    const OnDisk now = stamp(path, false);
    if (cache.valid && cache.separator == decimalSeparator && now.size == cache.seen.size &&
        now.modified == cache.seen.modified)
        return cache.parts;
    cache = {true, now, decimalSeparator, {}};
    std::string error;
    if (const std::optional<std::string> bytes = values::readPartsFile(path.toStdString(), error)) {
        bool latin1 = false;
        const QString text = decoded(QByteArray::fromStdString(*bytes), &latin1);
        cache.parts = values::stockParts(values::parseStock(text.toStdString(), decimalSeparator));
    }
    return cache.parts;
}

bool changedOnDisk()
{
    const OnDisk& seen = lastSeen();
    if (!seen.known)
        return false;
    const OnDisk now = stamp(filePath(), seen.latin1);
    return now.size != seen.size || now.modified != seen.modified;
}

void removeStrayCopies()
{
    // QSaveFile writes "my-parts.txt.XXXXXX" beside the file and renames it over: a copy left by
    // a program killed at that moment is older or newer than the file, never more right than a
    // save the user saw succeed, so it goes.
    const QFileInfo info(filePath());
    const QDir dir = info.absoluteDir();
    const QStringList strays = dir.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QString& stray : strays)
        QFile::remove(dir.filePath(stray));
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
    // The user's own bytes stay as they came: Latin-1 back as Latin-1 while it can hold the text.
    bool latin1 = lastSeen().latin1;
    if (latin1 && std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xff; }))
        latin1 = false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(latin1 ? text.toLatin1() : text.toUtf8()) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    lastSeen() = stamp(path, latin1);
    return true;
}

std::optional<QString> importFile(const QString& fileName, char decimalSeparator, QString* error)
{
    std::string why;
    const std::optional<std::string> bytes = values::readPartsFile(fileName.toStdString(), why);
    if (!bytes) {
        if (error)
            *error = QString::fromStdString(why);
        return std::nullopt;
    }
    bool latin1 = false;
    const QString text = decoded(QByteArray::fromStdString(*bytes), &latin1);
    return partsFromCsv(text, decimalSeparator);
}

QString partsFromCsv(const QString& csv, char decimalSeparator)
{
    // The heading's blank line keeps line numbers for the command line; the editor needs none.
    QString list = QString::fromStdString(values::importParts(csv.toStdString(), decimalSeparator));
    while (list.startsWith(u'\n'))
        list.remove(0, 1);
    return list;
}

namespace {

Ask& asker()
{
    static Ask a;
    return a;
}

QString& elsewhereName()
{
    static QString name;
    return name;
}

} // namespace

void setAsk(Ask a)
{
    asker() = std::move(a);
}

Answer ask(Question question, const QString& detail, QWidget* parent)
{
    if (asker())
        return asker()(question, detail, parent);
    const auto tr = [](const char* text) { return QCoreApplication::translate("tools::myparts", text); };
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(tr("My parts"));
    std::vector<std::pair<QPushButton*, Answer>> buttons;
    const auto add = [&](const char* text, QMessageBox::ButtonRole role, Answer answer) {
        buttons.emplace_back(box.addButton(tr(text), role), answer);
    };
    if (question == Question::SaveFailed) {
        box.setText(tr("My parts could not be saved: %1").arg(detail));
        add("&Retry", QMessageBox::AcceptRole, Answer::Retry);
        add("&Save elsewhere...", QMessageBox::ActionRole, Answer::SaveElsewhere);
        add("&Discard", QMessageBox::DestructiveRole, Answer::Discard);
    } else {
        box.setText(
            tr("My parts changed on disk since this window read it, perhaps in another window: %1").arg(detail));
        add("&Merge", QMessageBox::AcceptRole, Answer::Merge);
        add("&Reload", QMessageBox::ActionRole, Answer::Reload);
        add("&Overwrite", QMessageBox::DestructiveRole, Answer::Overwrite);
    }
    box.setDefaultButton(buttons.front().first);
    box.exec();
    for (const auto& [button, answer] : buttons) {
        if (box.clickedButton() == button)
            return answer;
    }
    return buttons.front().second;
}

void setSaveElsewhereName(const QString& fileName)
{
    elsewhereName() = fileName;
}

bool saveElsewhere(const QString& text, QWidget* parent, QString* error)
{
    QString name = elsewhereName();
    if (name.isEmpty())
        name = QFileDialog::getSaveFileName(parent, QCoreApplication::translate("tools::myparts", "Save My parts as"),
                                            QString(), QCoreApplication::translate("tools::myparts", "Text (*.txt)"));
    if (name.isEmpty())
        return false;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString merged(const QString& mine, const QString& theirs)
{
    QStringList lines = mine.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    QSet<QString> have(lines.begin(), lines.end());
    for (const QString& line : theirs.split(u'\n')) {
        if (!line.trimmed().isEmpty() && !have.contains(line)) {
            lines.append(line);
            have.insert(line);
        }
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace tools::myparts
