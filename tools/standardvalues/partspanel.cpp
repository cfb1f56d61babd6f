// SPDX-License-Identifier: MIT
// The Standard values window's My parts panel: the list as typed or opened, read off the window
// thread, its problems listed, and saved a moment after each edit.
#include "tools/standardvalues/standardvalues.h"

#include "tools/localised.h"
#include "tools/standardvalues/detail.h"
#include "tools/standardvalues/myparts.h"
#include "values/stock.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <stop_token>

namespace tools {

namespace {

using namespace standardvalues;

// A list of a million bad lines lists the first of them and how many more.
constexpr std::size_t problemsListed = 200;

} // namespace

void StandardValues::myPartsEdited()
{
    partsUnsaved_ = true;
    saveTimer_->start();
    if (!readTimer_->isActive())
        readTimer_->start();
}

void StandardValues::adoptMyParts(const std::shared_ptr<QTextDocument>& document)
{
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    document->setParent(txtMyParts_);
    {
        const QSignalBlocker quiet(txtMyParts_); // nothing was edited
        txtMyParts_->setDocument(document.get());
    }
    txtMyParts_->setReadOnly(false);
    lblPartsMessage_->clear();
    readMyParts();
}

void StandardValues::readMyParts()
{
    readTimer_->stop();
    if (!stockReader_)
        stockReader_ = std::make_shared<values::StockReader>(
            decimalSeparator(locale()), kind() == values::Kind::Capacitor ? values::Unit::Farad : values::Unit::Ohm);
    reader_.run([text = partsOnDisk_ ? *partsOnDisk_ : txtMyParts_->toPlainText().toStdString(), reader = stockReader_](
                    const std::stop_token& stop) { return reader->read(text, problemsListed, stop); });
}

void StandardValues::showMyParts(values::StockRead read)
{
    myParts_ = std::move(read.parts);
    lstPartProblems_->clear();
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    wavy.setUnderlineColor(Qt::red);
    for (const values::StockEntry& entry : read.problems) {
        auto* item = new QListWidgetItem(tr("Line %1: %2").arg(entry.line).arg(QString::fromStdString(entry.reason)),
                                         lstPartProblems_);
        item->setData(Qt::UserRole, entry.line);
        const QTextBlock block = txtMyParts_->document()->findBlockByNumber(entry.line - 1);
        // A line with two bad values is marked once.
        if (block.isValid() && (marks.isEmpty() || marks.back().cursor.block() != block)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            mark.format = wavy;
            mark.format.setToolTip(item->text());
            marks.append(mark);
        }
    }
    if (read.problemCount > read.problems.size())
        new QListWidgetItem(
            tr("%n more lines left out", nullptr, static_cast<int>(read.problemCount - read.problems.size())),
            lstPartProblems_);
    txtMyParts_->setExtraSelections(marks);
    Q_EMIT partsRead();
    if (cboSource_->currentIndex() == myPartsIndex)
        startSearch();
}

void StandardValues::openPartsFile()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Open a parts list"), QString(),
                                                          tr("Parts lists (*.txt *.csv);;All files (*)"));
    if (fileName.isEmpty())
        return;
    QString error;
    const std::optional<QString> list = myparts::importFile(fileName, decimalSeparator(locale()), &error);
    if (!list) {
        lblPartsMessage_->setText(error);
        return;
    }
    lblPartsMessage_->clear();
    // Through the cursor, so Undo brings the previous list back.
    QTextCursor cursor(txtMyParts_->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(*list);
    cboSource_->setCurrentIndex(myPartsIndex);
}

void StandardValues::saveMyParts()
{
    saveMyPartsOnce(false);
}

// Saves the list; another program's change since it was read is merged, reloaded or overwritten
// as the user says; a save that fails as the window goes asks to retry or to save elsewhere, as
// there is no later.
bool StandardValues::saveMyPartsOnce(bool leaving)
{
    saveTimer_->stop();
    if (!partsSavable_)
        return false;
    QString text = txtMyParts_->toPlainText();
    if (myparts::changedOnDisk()) {
        const myparts::Loaded disk = myparts::read();
        switch (myparts::ask(myparts::Question::ChangedOnDisk, QDir::toNativeSeparators(myparts::filePath()), this)) {
        case myparts::Answer::Reload:
            if (!leaving) {
                const QSignalBlocker quiet(saveTimer_);
                txtMyParts_->setPlainText(disk.text);
                saveTimer_->stop();
            }
            partsUnsaved_ = false;
            return true;
        case myparts::Answer::Merge:
            text = myparts::merged(text, disk.text);
            if (!leaving) {
                QTextCursor cursor(txtMyParts_->document());
                cursor.select(QTextCursor::Document);
                cursor.insertText(text);
                saveTimer_->stop();
            }
            break;
        default:
            break;
        }
    }
    QString error;
    while (!myparts::save(text, &error)) {
        if (!leaving) {
            lblPartsMessage_->setText(tr("My parts could not be saved: %1").arg(error));
            return false;
        }
        const myparts::Answer answer = myparts::ask(myparts::Question::SaveFailed, error, this);
        if (answer == myparts::Answer::Discard) {
            partsUnsaved_ = false;
            return false;
        }
        if (answer == myparts::Answer::SaveElsewhere && myparts::saveElsewhere(text, this, &error)) {
            partsUnsaved_ = false;
            return true;
        }
    }
    partsUnsaved_ = false;
    lblPartsMessage_->clear();
    return true;
}

} // namespace tools
