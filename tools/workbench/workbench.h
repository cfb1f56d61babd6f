// SPDX-License-Identifier: MIT
#pragma once

#include "tools/workbench/inputs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <string_view>

class QLineEdit;
class QMainWindow;
class QSplitter;
class QStackedWidget;
class QTextBrowser;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tools {

struct Tool;

// Every tool in one window: the tools in their groups on the left, with a find box on top, the
// chosen tool on the right, its help beside it on F1. Each tool's panel is made when it is first
// shown and keeps its own name (frmLedResistor) and its controls' names. What a person sets in a
// tool, the tool shown, the window's size and the splitter are remembered as they change and
// restored when a workbench opens.
class Workbench : public QWidget {
    Q_OBJECT
public:
    // Where the menus lead outside the workbench: the program's other windows.
    struct Links {
        std::function<void()> newWindow;
        std::function<void()> calculators;
        std::function<void()> howTo;
        std::function<void()> about;
    };

    // Fills `window`: its central widget, menus and shortcuts. Escape, Ctrl+W and File, Close
    // close the window.
    Workbench(QMainWindow& window, const Links& links);
    ~Workbench() override;
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;
    Workbench(Workbench&&) = delete;
    Workbench& operator=(Workbench&&) = delete;

    // Shows the tool whose window is `name` (the last one shown, or the first, for an empty name)
    // and gives it the focus; a name of no tool shows the last one. Returns the control that
    // takes the focus, for a window not shown yet to give it then.
    QWidget* showTool(std::string_view name);
    const Tool* currentTool() const { return current_; }
    // The tool's panel, or nullptr while it has not been shown.
    QWidget* panel(std::string_view name) const;

    // The current tool as it first was: its worked example, nothing of what was typed.
    void resetToExample();
    // Shows or hides the current tool's help beside it.
    void toggleHelp();
    // Shows how the workbench is used, beside the tool.
    void showWorkbenchHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus(const Links& links);
    void filter(const QString& text);
    void openFirstFound();
    QTreeWidgetItem* firstVisibleTool() const;
    QWidget* make(const Tool& tool, bool fromExample);
    void shown(const Tool& tool);
    void showHelpOf(const QString& page);
    void saveInputs();
    void saveLayout();
    void growToFit();

    QMainWindow& window_;
    QLineEdit* txtFind_ = nullptr;
    QTreeWidget* lstTools_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QTextBrowser* help_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTimer* saveLater_ = nullptr;
    QString helpPage_;
    const Tool* current_ = nullptr;
    std::map<std::string_view, QPointer<QWidget>> panels_;
    std::map<std::string_view, QPointer<InputRecorder>> recorders_;
};

} // namespace tools
