// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"
#include "shell/messagebox.h"
#include "shell/project.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <gtest/gtest.h>

// A fresh program for each test: message boxes are recorded instead of shown, and the end of
// the program is observed instead of quitting the test run.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousSink_ = shell::setMessageSink([this](QWidget*, const QString& prompt) { messages.append(prompt); });
        project.setOnLastUnloaded([this] { ended = true; });
    }

    void TearDown() override
    {
        shell::setMessageSink(previousSink_);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    shell::Form& form(const char* name) { return project.form(name); }

    template <class W = QWidget>
    W* control(const char* screen, const char* name)
    {
        W* w = form(screen).control<W>(name);
        EXPECT_NE(w, nullptr) << screen << "." << name;
        return w;
    }

    void click(const char* screen, const char* button) { control<QAbstractButton>(screen, button)->click(); }
    void type(const char* screen, const char* field, const QString& text)
    {
        control<QLineEdit>(screen, field)->setText(text);
    }
    QString caption(const char* screen, const char* label) { return control<QLabel>(screen, label)->text(); }

    // Top-level windows the user can see.
    static QStringList visibleScreens()
    {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                names.append(w->objectName());
        }
        names.sort();
        return names;
    }

    shell::Project project;
    QStringList messages;
    bool ended = false;

private:
    shell::MessageSink previousSink_;
};

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
