// SPDX-License-Identifier: MIT
#include "tools/standardvalues/myparts.h"

#include "numeric/parse.h"
#include "values/stock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tools::myparts {

namespace {

// What the last load or save left on disk, so a save can tell that another program (or another
// Voltiva) changed the file since, and the lines whose bytes came as Latin-1.
struct OnDisk {
    bool known = false;
    qint64 size = -1;
    QDateTime modified;
    QSet<QString> latin1Lines;
};
OnDisk& lastSeen()
{
    static OnDisk seen;
    return seen;
}

OnDisk stamp(const QString& path, QSet<QString> latin1Lines = {})
{
    const QFileInfo info(path);
    return {true, info.exists() ? info.size() : -1, info.exists() ? info.lastModified() : QDateTime(),
            std::move(latin1Lines)};
}

// The file's text, each line that is not UTF-8 read one for one as Latin-1, which gives its bytes
// back unchanged when it is saved as it was.
QString decoded(const std::string& bytes, QSet<QString>* latin1Lines)
{
    const values::DecodedParts parts = values::decodeParts(bytes);
    QString text = QString::fromStdString(parts.text);
    if (latin1Lines && !parts.latin1Lines.empty()) {
        const QStringList lines = text.split(u'\n');
        for (const std::size_t line : parts.latin1Lines)
            latin1Lines->insert(lines.at(static_cast<qsizetype>(line)));
    }
    return text;
}

// UTF-8, but for the lines that came as Latin-1 and can still be written so.
QByteArray encoded(const QString& text, const QSet<QString>& latin1Lines)
{
    if (latin1Lines.isEmpty())
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size());
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const bool latin1 = latin1Lines.contains(line) &&
            std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() <= 0xff; });
        bytes += latin1 ? line.toLatin1() : line.toUtf8();
        if (i + 1 < lines.size())
            bytes += '\n';
    }
    return bytes;
}

// A save writes a copy named so beside the file and renames it over the file: no one else names
// a file this way, so a copy left by a killed save can be told from the user's own files.
const QString strayMark = QStringLiteral(".saving-");

QString strayPattern(const QString& fileName)
{
    return QStringLiteral("^\\.") + QRegularExpression::escape(fileName + strayMark) +
        QStringLiteral("[A-Za-z0-9]{6}$");
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Replaces `path` with `bytes` whole or not at all: every write, the sync and the close are
// checked before the rename, and on any failure the old file stays and the copy goes.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    // A file the user made read-only stays so; the rename would not ask.
    if (exists && ::access(target.constData(), W_OK) != 0)
        return fail(QCoreApplication::translate("tools::myparts", "%1 is not writable: %2")
                        .arg(QDir::toNativeSeparators(info.absoluteFilePath()), systemError(errno)));
    QByteArray copy = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + strayMark +
                                        QStringLiteral("XXXXXX"));
    const int fd = ::mkstemp(copy.data());
    if (fd < 0)
        return fail(systemError(errno));
    const auto abandon = [&](int why) {
        ::close(fd);
        ::unlink(copy.constData());
        return fail(systemError(why));
    };
    if (::fchmod(fd, exists ? (old.st_mode & 07777) : 0644) != 0)
        return abandon(errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon(n < 0 ? errno : EIO);
        done += n;
    }
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int why = errno;
        ::unlink(copy.constData());
        return fail(systemError(why));
    }
    if (::rename(copy.constData(), target.constData()) != 0) {
        const int why = errno;
        ::unlink(copy.constData());
        return fail(systemError(why));
    }
    // The rename itself reaches the disk with the folder's entry.
    if (const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
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
        lastSeen() = stamp(path);
        return loaded;
    }
    std::string error;
    const std::optional<std::string> bytes = values::readPartsFile(path.toStdString(), error);
    if (!bytes) {
        loaded.problem = QString::fromStdString(error);
        lastSeen() = {};
        return loaded;
    }
    QSet<QString> latin1Lines;
    loaded.text = decoded(*bytes, &latin1Lines);
    loaded.latin1 = !latin1Lines.isEmpty();
    lastSeen() = stamp(path, std::move(latin1Lines));
    return loaded;
}

QString load()
{
    return read().text;
}

std::vector<values::Part> parts(char decimalSeparator, values::Unit kind)
{
    struct Cache {
        bool valid = false;
        OnDisk seen;
        char separator = '.';
        values::Unit kind = values::Unit::None;
        std::vector<values::Part> parts;
    };
    static Cache cache;
    const QString path = filePath();
    const OnDisk now = stamp(path);
    if (cache.valid && cache.separator == decimalSeparator && cache.kind == kind && now.size == cache.seen.size &&
        now.modified == cache.seen.modified)
        return cache.parts;
    cache = {true, now, decimalSeparator, kind, {}};
    std::string error;
    if (const std::optional<std::string> bytes = values::readPartsFile(path.toStdString(), error))
        cache.parts = values::StockReader(decimalSeparator, kind).read(values::decodeParts(*bytes).text, 0).parts;
    return cache.parts;
}

bool changedOnDisk()
{
    const OnDisk& seen = lastSeen();
    if (!seen.known)
        return false;
    const OnDisk now = stamp(filePath());
    return now.size != seen.size || now.modified != seen.modified;
}

void removeStrayCopies()
{
    const QFileInfo info(filePath());
    const QDir dir = info.absoluteDir();
    const QRegularExpression ours(strayPattern(info.fileName()));
    const QStringList candidates = dir.entryList(
        {QStringLiteral(".") + info.fileName() + strayMark + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QString& stray : candidates) {
        if (ours.match(stray).hasMatch())
            QFile::remove(dir.filePath(stray));
    }
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
    QSet<QString> latin1Lines = lastSeen().latin1Lines;
    if (!replaceFile(path, encoded(text, latin1Lines), error))
        return false;
    lastSeen() = stamp(path, std::move(latin1Lines));
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
    return partsFromCsv(decoded(*bytes, nullptr), decimalSeparator);
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
    return replaceFile(name, encoded(text, lastSeen().latin1Lines), error);
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
