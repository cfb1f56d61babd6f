// SPDX-License-Identifier: MIT
#include "shell/messagebox.h"

#include "runtime/error.h"

#include <QMessageBox>

namespace shell {

namespace {
MessageSink& sink()
{
    static MessageSink current;
    return current;
}
} // namespace

MessageSink setMessageSink(MessageSink next)
{
    return std::exchange(sink(), std::move(next));
}

void MsgBox(QWidget* parent, const QString& prompt)
{
    if (sink()) {
        sink()(parent, prompt);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(applicationTitle), prompt, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString errorReportText(const runtime::Error& error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2")
        .arg(error.number())
        .arg(QString::fromStdString(error.description()));
}

void reportError(QWidget* parent, const runtime::Error& error)
{
    MsgBox(parent, errorReportText(error));
}

} // namespace shell
