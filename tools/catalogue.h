// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <span>
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
};

// In menu order within each group.
std::span<const Tool> catalogue();

// Every tool's commands, in catalogue order: what the command line dispatches and lists.
std::vector<cli::Command> commands();

} // namespace tools
