// SPDX-License-Identifier: MIT
#pragma once

#include "tools/workbench/inputs.h"
#include <QAbstractButton>
#include <QComboBox>

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <typeinfo>

// What the window tests do to a tool's panel built on its own: find a control by its name, type
// into a field, read what it shows, wait for an answer that comes from a worker thread.
namespace window {

// The control of `parent` named `name`. A missing one throws: the test that asked fails naming
// it, where a null pointer would end the whole run.
template <class W = QWidget>
W* child(const QWidget& parent, const char* name)
{
    auto* w = parent.findChild<W*>(QLatin1String(name));
    if (w == nullptr)
        throw std::runtime_error(parent.objectName().toStdString() + " has no " + W::staticMetaObject.className() +
                                 " named " + name);
    return w;
}

template <class W = QWidget>
W* child(const QWidget* parent, const char* name)
{
    return child<W>(*parent, name);
}

// Typed key by key after what was there is deleted, as a person types: textEdited comes only so.
inline void type(const QWidget& parent, const char* field, const QString& text)
{
    auto* edit = child<QLineEdit>(parent, field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// What a label or a field shows.
inline QString text(const QWidget& parent, const char* name)
{
    if (auto* edit = parent.findChild<QLineEdit*>(QLatin1String(name)))
        return edit->text();
    return child<QLabel>(parent, name)->text();
}

// A cell's text; empty where the table has no item.
inline QString cell(const QTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

// Types a worked example as the catalogue writes it ("txtVin=5;txtVout=3.3"), as the workbench
// does; a control it names that the panel does not have fails the test.
inline void typeExample(QWidget& parent, const char* example)
{
    const QStringList entries = tools::exampleEntries(example);
    for (const QString& entry : entries)
        child<QWidget>(parent, entry.section(u'=', 0, 0).toLatin1().constData()); // a stale name fails here
    tools::enter(parent, entries);
}

// Runs the event loop until `done` holds: an answer computed on a worker thread, a signal seen
// by a QSignalSpy. False if it never does within a generous while, which a test then reports.
template <class Condition>
bool waitFor(Condition done)
{
    return QTest::qWaitFor(done, 10000);
}

} // namespace window
