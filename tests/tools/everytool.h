// SPDX-License-Identifier: MIT
#pragma once

// Every tool of the catalogue opened in a window of its own, for the tests that hold all of them
// to the same habits.

#include "tools/catalogue.h"
#include "tools/standardvalues/myparts.h"

#include "window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tools {
// Names a test case by its window.
inline void PrintTo(const Tool& tool, std::ostream* os)
{
    *os << tool.window;
}
} // namespace tools

namespace everytool {

// The worked example typed in ("txtVin=5;txtVout=3.3"): a field gets the text, a list the item,
// a tab page its title. Then every search has answered.
inline void typeExample(QWidget& panel, const char* example)
{
    for (const QString& entry : QString::fromUtf8(example).split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u'=', 0, 0);
        const QString text = entry.section(u'=', 1);
        auto* w = panel.findChild<QWidget*>(name);
        if (auto* field = qobject_cast<QLineEdit*>(w)) {
            field->setText(text);
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setCurrentIndex(list->findText(text));
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->tabText(i).remove(u'&') == text)
                    tabs->setCurrentIndex(i);
            }
        } else {
            ADD_FAILURE() << "no control " << name.toStdString() << " for the example";
        }
    }
    const auto searching = [&panel] {
        for (const QLabel* label : panel.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Searching..."))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(window::waitFor([&] { return !searching(); }));
}

// The tool's panel in a shown, active window of its own, as the shell hosts it.
class Opened {
public:
    explicit Opened(const tools::Tool& tool, bool example = true)
    {
        QFile::remove(tools::myparts::filePath());
        top_.setObjectName(QStringLiteral("top"));
        auto* layout = new QVBoxLayout(&top_);
        layout->setContentsMargins(0, 0, 0, 0);
        panel_ = tool.make(&top_);
        layout->addWidget(panel_);
        top_.show();
        active_ = QTest::qWaitForWindowActive(&top_);
        if (example)
            typeExample(*panel_, tool.example);
    }
    ~Opened()
    {
        top_.hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(tools::myparts::filePath());
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

    bool active() const { return active_; }
    QWidget& window() { return top_; }
    QWidget& panel() { return *panel_; }

private:
    QWidget top_;
    QWidget* panel_ = nullptr;
    bool active_ = false;
};

// A tool's test case named after its window: Catalogue/Keyboard.TabGoesRound/frmDividerDesign.
inline std::string name(const ::testing::TestParamInfo<tools::Tool>& info)
{
    return info.param.window;
}

} // namespace everytool
