// SPDX-License-Identifier: MIT
// My parts is never lost: a save that fails as the window closes asks what to do, another
// window's change on disk is merged rather than overwritten, the user's bytes stay theirs, a file
// too large is left alone, and a copy a killed save left behind is cleared away.
#include "tools/standardvalues/myparts.h"
#include "tools/standardvalues/standardvalues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

using tools::myparts::Answer;
using tools::myparts::Question;

constexpr int waitMs = 10000;

// A full disk, as the kernel reports it to a write past the process's file size limit.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
        : oldHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        const rlimit full{bytes, before_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    FullDisk(FullDisk&&) = delete;
    FullDisk& operator=(FullDisk&&) = delete;

private:
    void (*oldHandler_)(int) = nullptr;
    rlimit before_{};
};

class MyPartsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        clear();
        tools::myparts::setAsk([this](Question q, const QString&, QWidget*) {
            asked.push_back(q);
            return answers.empty() ? Answer::Discard : answers.at(asked.size() - 1);
        });
    }

    void TearDown() override
    {
        panel.reset();
        tools::myparts::setAsk({});
        tools::myparts::setSaveElsewhereName({});
        clear();
    }

    static void clear()
    {
        QFile::remove(path());
        QDir(path()).removeRecursively();
    }

    static QString path() { return tools::myparts::filePath(); }

    static void writeBytes(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray bytes()
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void open()
    {
        panel = std::make_unique<tools::StandardValues>();
        list = panel->findChild<QPlainTextEdit*>(QStringLiteral("txtMyParts"));
        ASSERT_NE(list, nullptr);
    }

    void append(const QString& line)
    {
        QTextCursor cursor(list->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(line);
    }

    QString message() const { return panel->findChild<QLabel*>(QStringLiteral("lblPartsMessage"))->text(); }

    std::unique_ptr<tools::StandardValues> panel;
    QPlainTextEdit* list = nullptr;
    std::vector<Question> asked;
    std::vector<Answer> answers;
};

TEST_F(MyPartsFile, ASaveThatFailsAtCloseAsksAndSavesElsewhere)
{
    open();
    append(QStringLiteral("4k7 x2\n"));
    // The file's place is taken by a folder, so the save at close fails.
    ASSERT_TRUE(QDir().mkpath(path()));
    const QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath(QStringLiteral("parts.txt"));
    tools::myparts::setSaveElsewhereName(other);
    answers = {Answer::Overwrite, Answer::Retry, Answer::SaveElsewhere};
    panel.reset();
    EXPECT_EQ(asked, (std::vector<Question>{Question::ChangedOnDisk, Question::SaveFailed, Question::SaveFailed}));
    QFile saved(other);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("4k7 x2\n"));
}

TEST_F(MyPartsFile, AnotherWindowsChangeOnDiskIsMergedNotLost)
{
    writeBytes("10k\n");
    open();
    // Another Voltiva adds a part; a second later this one adds its own.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeBytes("10k\n4k7 x3\n");
    append(QStringLiteral("1M\n"));
    answers = {Answer::Merge};
    panel.reset();
    EXPECT_EQ(asked, std::vector<Question>{Question::ChangedOnDisk});
    EXPECT_EQ(bytes(), QByteArray("10k\n1M\n4k7 x3\n"));
}

// One stray byte is read as Latin-1 in its own line only; every line's bytes stay as they came.
TEST_F(MyPartsFile, BytesThatAreNotUtf8StayAsTheyWere)
{
    writeBytes("4k7\xCE\xA9\n4.7\xb5\n100\xC2\xB5\njunk\xff\n10k\n");
    open();
    EXPECT_TRUE(list->toPlainText().startsWith(QStringLiteral("4k7Ω\n4.7µ\n100µ\njunkÿ\n")));
    QSignalSpy read(panel.get(), &tools::StandardValues::partsRead);
    ASSERT_TRUE(read.wait(waitMs));
    const auto* problems = panel->findChild<QListWidget*>(QStringLiteral("lstPartProblems"));
    ASSERT_EQ(problems->count(), 1);
    EXPECT_TRUE(problems->item(0)->text().startsWith(QStringLiteral("Line 4:")))
        << problems->item(0)->text().toStdString();
    append(QStringLiteral("1k\n"));
    panel.reset();
    EXPECT_EQ(bytes(), QByteArray("4k7\xCE\xA9\n4.7\xb5\n100\xC2\xB5\njunk\xff\n10k\n1k\n"));
    EXPECT_TRUE(asked.empty());
}

// A save that fails (a full disk) leaves the old list whole and says so; the window asks at close
// however long ago that was, rather than dropping the edit.
TEST_F(MyPartsFile, AFullDiskKeepsTheOldListAndTheEditIsAskedAboutAtClose)
{
    QByteArray before;
    for (int i = 0; i < 2000; ++i)
        before += QByteArray::number(i + 1) + "k\n";
    writeBytes(before);
    open();
    auto* save = panel->findChild<QTimer*>(QStringLiteral("tmrSave"));
    ASSERT_NE(save, nullptr);
    const FullDisk full(static_cast<rlim_t>(before.size() / 2));
    append(QStringLiteral("10k\n"));
    QSignalSpy saved(save, &QTimer::timeout);
    ASSERT_TRUE(saved.wait(waitMs));
    EXPECT_TRUE(message().contains(QStringLiteral("could not be saved"))) << message().toStdString();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(path()).fileName()})
        << "no copy left beside it";
    answers = {Answer::Discard};
    panel.reset();
    EXPECT_EQ(asked, std::vector<Question>{Question::SaveFailed});
    EXPECT_EQ(bytes(), before);
}

TEST_F(MyPartsFile, AFileTooLargeIsLeftAloneAndSaidSo)
{
    const QByteArray large(5'000'000, 'x');
    writeBytes(large);
    open();
    EXPECT_TRUE(message().contains(QStringLiteral("is larger than 4 MB"))) << message().toStdString();
    append(QStringLiteral("1k\n"));
    panel.reset();
    EXPECT_EQ(bytes().size(), large.size()) << "never written over";
}

// Only a copy named as a save names its copies goes; the user's own files beside it stay.
TEST_F(MyPartsFile, ACopyAKilledSaveLeftIsClearedOnStart)
{
    writeBytes("10k\n");
    const QString folder = QFileInfo(path()).absolutePath() + u'/';
    const QString stray = folder + QStringLiteral(".my-parts.txt.saving-Ab12Cd");
    const QStringList theirs = {path() + QStringLiteral(".backup"), path() + QStringLiteral(".2024-1"),
                                path() + QStringLiteral(".orig12"), path() + QStringLiteral(".Ab12Cd"),
                                folder + QStringLiteral(".my-parts.txt.saving-Ab12Cd.txt")};
    QStringList all = theirs;
    all << stray;
    for (const QString& name : all) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("10k\n1k\n");
    }
    open();
    EXPECT_FALSE(QFile::exists(stray));
    for (const QString& name : theirs) {
        EXPECT_TRUE(QFile::exists(name)) << name.toStdString();
        QFile::remove(name);
    }
    EXPECT_EQ(list->toPlainText(), QStringLiteral("10k\n"));
}

// Two hundred thousand lines that are not values list the first of them and how many more, and
// mark only those.
TEST_F(MyPartsFile, AHugeListOfBadLinesListsTheFirstAndACount)
{
    writeBytes(QByteArray("4k7\n") + QByteArray("x\n").repeated(200'000));
    open();
    EXPECT_TRUE(list->isReadOnly()) << "taken in off the window thread";
    QSignalSpy read(panel.get(), &tools::StandardValues::partsRead);
    while (list->isReadOnly() && read.wait(waitMs))
        ;
    ASSERT_FALSE(list->isReadOnly());
    if (read.isEmpty()) {
        ASSERT_TRUE(read.wait(waitMs));
    }
    const auto* problems = panel->findChild<QListWidget*>(QStringLiteral("lstPartProblems"));
    ASSERT_EQ(problems->count(), 201);
    EXPECT_EQ(problems->item(200)->text(), QStringLiteral("199800 more lines left out"));
    EXPECT_EQ(list->extraSelections().size(), 200);
    EXPECT_EQ(list->document()->blockCount(), 200'002);
}

// Two million lines are searched as they are on disk, never taken into the editor nor written.
TEST_F(MyPartsFile, AListTooLongToEditIsSearchedAsItIs)
{
    const QByteArray huge = QByteArray("4k7\n") + QByteArray("x\n").repeated(1'999'000);
    writeBytes(huge);
    open();
    QSignalSpy read(panel.get(), &tools::StandardValues::partsRead);
    ASSERT_TRUE(read.wait(waitMs));
    EXPECT_TRUE(list->isReadOnly());
    EXPECT_EQ(list->document()->blockCount(), 1);
    EXPECT_TRUE(message().contains(QStringLiteral("too many to edit here"))) << message().toStdString();
    const auto* problems = panel->findChild<QListWidget*>(QStringLiteral("lstPartProblems"));
    EXPECT_EQ(problems->item(200)->text(), QStringLiteral("1998800 more lines left out"));
    panel.reset();
    EXPECT_EQ(bytes(), huge);
}

// A long list is read off the window thread once the keys pause, not once a key.
TEST_F(MyPartsFile, TypingInALongListReadsItOnceThePauseComes)
{
    open();
    QSignalSpy read(panel.get(), &tools::StandardValues::partsRead);
    ASSERT_TRUE(read.wait(waitMs));
    read.clear();
    for (int i = 0; i < 20; ++i)
        append(QStringLiteral("%1k\n").arg(i + 1));
    ASSERT_TRUE(read.wait(waitMs));
    QTest::qWait(200);
    EXPECT_EQ(read.count(), 1);
}

} // namespace
