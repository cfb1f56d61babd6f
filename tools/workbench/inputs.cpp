// SPDX-License-Identifier: MIT
#include "tools/workbench/inputs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <optional>

namespace tools {

namespace {

// A field a person types into: not a list's or a spin box's own editor, not a read-only answer.
bool isInputField(const QLineEdit& edit)
{
    return !edit.objectName().isEmpty() && !edit.isReadOnly() && qobject_cast<QComboBox*>(edit.parent()) == nullptr;
}

QString tabTitle(const QTabWidget& tabs, int index)
{
    return tabs.tabText(index).remove(u'&');
}

// The value an entry stores for a control; empty for a control that is no input.
std::optional<QString> valueOf(QObject* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText();
    if (auto* tabs = qobject_cast<QTabWidget*>(control))
        return tabTitle(*tabs, tabs->currentIndex());
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && button->isCheckable())
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return std::nullopt;
}

} // namespace

QStringList exampleEntries(const char* example)
{
    return QString::fromUtf8(example).split(u';', Qt::SkipEmptyParts);
}

void enter(QWidget& panel, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString name = entry.left(equals);
        const QString text = entry.mid(equals + 1);
        auto* control = panel.findChild<QWidget*>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            if (isInputField(*edit))
                edit->setText(text);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            const int index = list->findText(text);
            if (index >= 0)
                list->setCurrentIndex(index);
            else if (list->isEditable())
                list->setEditText(text);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabTitle(*tabs, i) == text)
                    tabs->setCurrentIndex(i);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            // A click, as a person would, so the tool hears it as it hears them.
            if (!button->isCheckable() || button->isChecked() != (text == QLatin1String("1")))
                button->click();
        }
    }
}

InputRecorder::InputRecorder(QWidget& panel)
    : QObject(&panel)
    , panel_(panel)
{
    for (auto* edit : panel.findChildren<QLineEdit*>()) {
        if (isInputField(*edit))
            connect(edit, &QLineEdit::textEdited, this, [this, edit] { touched(edit->objectName()); });
    }
    for (auto* list : panel.findChildren<QComboBox*>()) {
        if (list->objectName().isEmpty())
            continue;
        connect(list, &QComboBox::activated, this, [this, list] { touched(list->objectName()); });
        if (QLineEdit* editor = list->lineEdit())
            connect(editor, &QLineEdit::textEdited, this, [this, list] { touched(list->objectName()); });
    }
    for (auto* tabs : panel.findChildren<QTabWidget*>()) {
        if (tabs->objectName().isEmpty())
            continue;
        // A click, or keys on the tab bar or in the pages (Ctrl+Tab); not a page a tool turns.
        connect(tabs->tabBar(), &QTabBar::tabBarClicked, this, [this, tabs] { touched(tabs->objectName()); });
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] {
            if (tabs->isAncestorOf(QApplication::focusWidget()))
                touched(tabs->objectName());
        });
    }
    for (auto* button : panel.findChildren<QAbstractButton*>()) {
        if (button->isCheckable() && !button->objectName().isEmpty())
            connect(button, &QAbstractButton::clicked, this, [this, button] { touched(button->objectName()); });
    }
}

QStringList InputRecorder::entries() const
{
    QStringList entries;
    for (const QString& name : order_) {
        if (const std::optional<QString> value = valueOf(panel_.findChild<QObject*>(name)))
            entries.append(name + u'=' + *value);
    }
    return entries;
}

void InputRecorder::follow(const QStringList& entries)
{
    order_.clear();
    for (const QString& entry : entries) {
        const QString name = entry.section(u'=', 0, 0);
        order_.removeAll(name);
        order_.append(name);
    }
}

void InputRecorder::touched(const QString& name)
{
    order_.removeAll(name);
    order_.append(name);
    Q_EMIT changed();
}

} // namespace tools
