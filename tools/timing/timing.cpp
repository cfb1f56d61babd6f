// SPDX-License-Identifier: MIT
#include "tools/timing/timing.h"

#include "tools/timing/fields.h"
#include "tools/timing/lc.h"
#include "tools/timing/rc.h"
#include "tools/timing/timer.h"
#include "tools/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Timing::Timing(QWidget* parent)
    : QWidget(parent)
    , tabs_(named(new QTabWidget(this), "tabTiming", tr("Pages")))
    , rc_(new RcPage(tabs_))
    , reactance_(new ReactancePage(tabs_))
    , resonance_(new ResonancePage(tabs_))
    , timer_(new TimerPage(tabs_))
{
    setObjectName(QStringLiteral("frmTiming"));
    setWindowTitle(tr("Timing and filters"));
    tabs_->addTab(rc_, tr("&RC"));
    tabs_->addTab(reactance_, tr("Reactance"));
    tabs_->addTab(resonance_, tr("Reso&nance"));
    tabs_->addTab(timer_, tr("&555 timer"));
    close_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    // Typing goes to the first field straight away. Not by a focus proxy: Tab coming round would
    // skip the tab bar for it.
    rc_->firstField()->setFocus();
}

QSize Timing::sizeHint() const
{
    // The pages share the width between their two halves by stretch, so the window opens wide
    // enough for both: the same logical size at every display scale.
    return {1000, minimumSizeHint().height()};
}

} // namespace tools
