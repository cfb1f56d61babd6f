// SPDX-License-Identifier: MIT
// A screen laid out by Qt layouts, hosted in the same lifecycle as the declared screens.
#include "gui.h"

#include "shell/panelform.h"

#include <QFontInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

class DummyPanel : public QWidget {
public:
    explicit DummyPanel(QWidget* parent)
        : QWidget(parent)
    {
        setWindowTitle(QStringLiteral("Dummy"));
        auto* layout = new QVBoxLayout(this);
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("txtValue"));
        layout->addWidget(field);
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        close->setObjectName(QStringLiteral("cmdClose"));
        layout->addWidget(close);
    }
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        project.setOnLastUnloaded([this] { ended = true; });
    }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    shell::Project project{{{shell::panel<DummyPanel>("frmDummy")}, "frmDummy"}};
    bool ended = false;
};

} // namespace

TEST_F(PanelTest, APanelIsAScreenLikeAnyOther)
{
    project.start();
    shell::Form& f = project.form("frmDummy");
    QMainWindow* window = f.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(f.declaration(), nullptr);
    EXPECT_EQ(window->objectName(), "frmDummy");
    EXPECT_EQ(window->windowTitle(), "Dummy");
    EXPECT_EQ(QFontInfo(window->font()).family(), "MS Sans Serif");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->windowIcon().availableSizes().isEmpty(); }));
    EXPECT_NE(f.require<QLineEdit>("txtValue"), nullptr);

    // Resizable, unlike the declared screens' fixed layouts.
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    window->resize(window->size() + QSize(100, 60));
    EXPECT_EQ(window->size(), window->sizeHint() + QSize(100, 60));

    f.require<QLineEdit>("txtValue")->setText(QStringLiteral("kept"));
    project.show("frmDummy");
    EXPECT_EQ(f.window(), window);
    EXPECT_EQ(f.require<QLineEdit>("txtValue")->text(), "kept");
}

TEST_F(PanelTest, CloseAndTheCloseBoxUnloadItAndTheLastOneEndsTheProgram)
{
    const struct {
        const char* name;
        std::function<void(shell::Form&)> close;
    } rows[] = {
        {"its cmdClose button", [](shell::Form& f) { f.require<QPushButton>("cmdClose")->click(); }},
        {"the title-bar close box", [](shell::Form& f) { f.window()->close(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ended = false;
        project.start();
        shell::Form& f = project.form("frmDummy");
        row.close(f);
        EXPECT_FALSE(f.isLoaded());
        EXPECT_TRUE(ended);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
