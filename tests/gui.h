// SPDX-License-Identifier: MIT
#pragma once

#include "app/screens.h"
#include "calculators/catalogue.h"
#include "shell/form.h"
#include "shell/messagebox.h"
#include "shell/project.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

// A fresh program for each test: message boxes are recorded instead of shown, and the end of
// the program is observed instead of quitting the test run. A control that is missing throws
// shell::NameError, which fails the test that asked for it and no other.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each test starts as a first run: nothing remembered of an earlier one.
        QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva")).clear();
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
    W* control(const char* screen, std::string_view name)
    {
        return form(screen).require<W>(name);
    }

    void click(const char* screen, std::string_view button) { control<QAbstractButton>(screen, button)->click(); }
    void type(const char* screen, std::string_view field, const QString& text)
    {
        control<QLineEdit>(screen, field)->setText(text);
    }
    QString caption(const char* screen, std::string_view label) { return control<QLabel>(screen, label)->text(); }

    // A calculator's fields filled in order, its Calculate pressed, its result line.
    void typeAll(const calculators::Calculator& c, const std::vector<const char*>& texts)
    {
        ASSERT_EQ(texts.size(), c.fields.size()) << c.name();
        for (std::size_t k = 0; k < texts.size(); ++k)
            type(c.name(), c.fields[k], QString::fromUtf8(texts[k]));
    }
    void calculate(const calculators::Calculator& c) { click(c.name(), c.button()); }
    QString result(const calculators::Calculator& c) { return caption(c.name(), c.resultLabel()); }

    // Runs an action that should open a real message box, hands the box to `read` and closes
    // it. A box that has not appeared within a second fails the test and unblocks whatever
    // waits for it.
    static void withMessageBox(const std::function<void()>& action, const std::function<void(QMessageBox&)>& read)
    {
        bool seen = false;
        QTimer poll;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible()) {
                    seen = true;
                    poll.stop();
                    read(*box);
                    box->accept();
                    return;
                }
            }
            if (std::chrono::steady_clock::now() > deadline) {
                poll.stop();
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            }
        });
        poll.start(10);
        action();
        poll.stop();
        EXPECT_TRUE(seen) << "no message box appeared within a second";
    }

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

    shell::Project project{app::screens()};
    QStringList messages;
    bool ended = false;

private:
    shell::MessageSink previousSink_;
};

// The catalogue entry of a screen a test table names; a row for a screen the catalogue has no
// longer is a stale row and fails.
inline const calculators::Calculator& calculatorOf(const char* screen)
{
    const calculators::Calculator* c = calculators::findCalculator(screen);
    if (!c)
        throw shell::NameError(std::string("no calculator ") + screen + " in the catalogue");
    return *c;
}

// Runs `check` on every catalogue entry with the row of `rows` that names its screen. An entry
// without a row, and a row whose screen the catalogue no longer has, fail.
template <class Row, std::size_t N, class Check>
void forEveryCalculator(const Row (&rows)[N], Check check)
{
    for (const Row& row : rows)
        calculatorOf(row.screen);
    for (const calculators::Calculator& c : calculators::catalogue()) {
        SCOPED_TRACE(c.name());
        const Row* row = std::find_if(std::begin(rows), std::end(rows),
                                      [&c](const Row& r) { return std::string_view(r.screen) == c.name(); });
        if (row == std::end(rows))
            ADD_FAILURE() << "no test row for " << c.name();
        else
            check(c, *row);
    }
}

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
