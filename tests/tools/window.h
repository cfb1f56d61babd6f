// SPDX-License-Identifier: MIT
#pragma once

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

// Types a worked example as the catalogue writes it ("txtVin=5;txtVout=3.3", as the screenshots
// type it): a field gets the text, a list the item, a tab page its title, a button a click.
inline void typeExample(const QWidget& parent, const char* example)
{
    for (const QString& entry : QString::fromUtf8(example).split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u'=', 0, 0);
        const QString text = entry.section(u'=', 1);
        auto* w = child<QWidget>(parent, name.toLatin1().constData());
        if (auto* field = qobject_cast<QLineEdit*>(w)) {
            field->setText(text);
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setCurrentIndex(list->findText(text));
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->tabText(i).remove(u'&') == text)
                    tabs->setCurrentIndex(i);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            button->click();
        }
    }
}

// Runs the event loop until `done` holds: an answer computed on a worker thread, a signal seen
// by a QSignalSpy. False if it never does within a generous while, which a test then reports.
template <class Condition>
bool waitFor(Condition done)
{
    return QTest::qWaitFor(done, 10000);
}

} // namespace window
