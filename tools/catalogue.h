// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <QString>

#include <span>
#include <string_view>
#include <vector>

class QWidget;

// Every Tools-menu tool described once: the Tools menu, the screen table, the command line and
// its --help, the screenshots and the window tests all iterate this.
namespace tools {

// The Tools menu shows the groups in this order, a separator between them.
enum class Group { ValuesAndParts, Design, Boards };

struct Tool {
    const char* window;   // the window's objectName: "frmLedResistor"
    const char* action;   // its Tools-menu item's objectName: "mnuToolsLed"
    const char* menuText; // "&LED resistor...", the access key unique within the menu
    Group group;
    QWidget* (*make)(QWidget* parent); // the panel, made when the window first opens
    std::span<const cli::Command> commands;
    // A worked example typed into the window for its screenshot: "txtSupply=5;txtCurrent=10m",
    // field objectNames and their texts, in typing order.
    const char* example = "";
    // One line on what it answers: the workbench's tool tip, and what its find box searches.
    const char* summary = "";
};

// The tool whose window is `window`, or nullptr.
const Tool* find(std::string_view window);

// The menu text as a name: "&LED resistor..." is "LED resistor".
QString title(const Tool& tool);

// In menu order within each group.
std::span<const Tool> catalogue();

// Every tool's commands, in catalogue order: what the command line dispatches and lists.
std::vector<cli::Command> commands();

} // namespace tools
