// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"
#include "tools/workbench/workbench.h"

#include <QPointer>

#include <string>
#include <string_view>

namespace navigation {

// The workbench as a screen: the Tools menus open it at their tool, and File, New window opens
// more of it for side-by-side work, each keeping the program going while it is open.
class FrmWorkbench final : public shell::Form {
public:
    explicit FrmWorkbench(shell::Project& project);

    void showPart(std::string_view tool) override;
    tools::Workbench* workbench() const { return workbench_; }

private:
    QWidget* build(QMainWindow& window) override;
    tools::Workbench* fill(QMainWindow& window);
    void openAnother();

    QPointer<tools::Workbench> workbench_;
    std::string opening_; // the tool a Tools menu asked for while the window was closed
};

} // namespace navigation
