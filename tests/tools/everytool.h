// SPDX-License-Identifier: MIT
#pragma once

// Every tool of the catalogue in a window of its own, its worked example typed in, for the tests
// that hold all of them to the same habits.

#include "tools/catalogue.h"
#include "tools/standardvalues/myparts.h"

#include "window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <string>

namespace tools {
inline void PrintTo(const Tool& tool, std::ostream* os)
{
    *os << tool.window;
}
} // namespace tools

namespace everytool {

inline const tools::Tool& tool(const char* window)
{
    for (const tools::Tool& tool : tools::catalogue()) {
        if (std::string(tool.window) == window)
            return tool;
    }
    throw std::runtime_error(std::string("no tool ") + window);
}

// "txtVin=5;txtVout=3.3": a field gets the text, a list the item, tabs the page of that title.
// Then every search has answered.
inline void typeExample(QWidget& panel, const char* example)
{
    for (const QString& entry : QString::fromUtf8(example).split(u';', Qt::SkipEmptyParts)) {
        const QString text = entry.section(u'=', 1);
        auto* w = window::child(panel, entry.section(u'=', 0, 0).toLatin1().constData());
        if (auto* field = qobject_cast<QLineEdit*>(w)) {
            field->setText(text);
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setCurrentIndex(list->findText(text));
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->tabText(i).remove(u'&') == text)
                    tabs->setCurrentIndex(i);
            }
        }
    }
    const auto labels = panel.findChildren<QLabel*>();
    EXPECT_TRUE(window::waitFor([&labels] {
        return std::none_of(labels.begin(), labels.end(),
                            [](const QLabel* l) { return l->text() == QStringLiteral("Searching..."); });
    }));
}

class Opened {
public:
    explicit Opened(const tools::Tool& tool)
    {
        QFile::remove(tools::myparts::filePath());
        auto* layout = new QVBoxLayout(&top_);
        panel_ = tool.make(&top_);
        layout->addWidget(panel_);
        top_.show();
        active_ = QTest::qWaitForWindowActive(&top_);
        typeExample(*panel_, tool.example);
    }
    ~Opened() { QFile::remove(tools::myparts::filePath()); }
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

inline std::string name(const ::testing::TestParamInfo<tools::Tool>& info)
{
    return info.param.window;
}

} // namespace everytool
