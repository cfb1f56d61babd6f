// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;

namespace tools {

class RcPage;
class ReactancePage;
class ResonancePage;
class TimerPage;

// RC, reactance, LC resonance and the 555 on a page each, forwards from the parts and backwards
// from a target to standard parts. Every page follows each keystroke.
class Timing : public QWidget {
    Q_OBJECT
public:
    explicit Timing(QWidget* parent = nullptr);

    // Opens at its compact size: the tables and drawings would ask for more than a small screen.
    QSize sizeHint() const override;

private:
    QTabWidget* tabs_ = nullptr;
    RcPage* rc_ = nullptr;
    ReactancePage* reactance_ = nullptr;
    ResonancePage* resonance_ = nullptr;
    TimerPage* timer_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace tools
