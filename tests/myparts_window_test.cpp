// SPDX-License-Identifier: MIT
// My parts is never lost: a save that fails as the window closes asks what to do, another
// window's change on disk is merged rather than overwritten, the user's bytes stay theirs, a file
// too large is left alone, and a copy a killed save left behind is cleared away.
#include "tools/myparts.h"
#include "tools/standardvalues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

using tools::myparts::Answer;
using tools::myparts::Question;

constexpr int waitMs = 10000;

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

TEST_F(MyPartsFile, BytesThatAreNotUtf8StayAsTheyWere)
{
    writeBytes("4.7\xb5\n10k\n");
    open();
    append(QStringLiteral("1k\n"));
    panel.reset();
    EXPECT_EQ(bytes(), QByteArray("4.7\xb5\n10k\n1k\n"));
    EXPECT_TRUE(asked.empty());
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

TEST_F(MyPartsFile, ACopyAKilledSaveLeftIsClearedOnStart)
{
    writeBytes("10k\n");
    const QString stray = path() + QStringLiteral(".Ab12Cd");
    {
        QFile file(stray);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("10k\n1k\n");
    }
    open();
    EXPECT_FALSE(QFile::exists(stray));
    EXPECT_EQ(list->toPlainText(), QStringLiteral("10k\n"));
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
