// SPDX-License-Identifier: MIT
#include "shell/icon.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <vector>

namespace shell {

namespace {
// Decoded pictures go into an ordinary icon, which draws the modes and scales as Qt does; the
// picture decoded is the one Qt would choose, so the two never disagree.
class DecodedOnDemand final : public QIconEngine {
public:
    DecodedOnDemand(const QString& pathTemplate, std::initializer_list<int> sides)
    {
        for (int size : sides) {
            QString file = pathTemplate.arg(size);
            // A missing picture leaves its size out, as QIcon::addFile would; ascending order
            // lets decodedFor take the first that is large enough.
            if (QFile::exists(file))
                files_.push_back({QSize(size, size), std::move(file), false});
        }
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return decodedFor(size).pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        decodedFor(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return decodedFor(size).actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const File& f : files_)
                sizes.push_back(f.size);
        }
        return sizes;
    }

    bool isNull() override { return files_.empty(); }
    QString key() const override { return QStringLiteral("DecodedOnDemand"); }
    QIconEngine* clone() const override { return new DecodedOnDemand(*this); }

private:
    struct File {
        QSize size;
        QString path;
        bool decoded;
    };

    // The smallest picture at least as large as asked, else the largest: Qt's own choice.
    QIcon& decodedFor(const QSize& wanted)
    {
        const auto area = [](QSize s) { return qint64(s.width()) * s.height(); };
        auto best =
            std::find_if(files_.begin(), files_.end(), [&](const File& f) { return area(f.size) >= area(wanted); });
        if (best == files_.end() && !files_.empty())
            --best;
        if (best != files_.end() && !best->decoded) {
            decoded_.addPixmap(QPixmap(best->path));
            best->decoded = true;
        }
        return decoded_;
    }

    std::vector<File> files_;
    QIcon decoded_;
};
} // namespace

QIcon iconOfSizes(const QString& pathTemplate, std::initializer_list<int> sides)
{
    return QIcon(new DecodedOnDemand(pathTemplate, sides));
}

} // namespace shell
