// SPDX-License-Identifier: MIT
#include "tools/amplifiers/amplifiers.h"

#include "tools/amplifiers/heatsink.h"
#include "tools/amplifiers/opamp.h"
#include "tools/amplifiers/regulator.h"
#include "tools/amplifiers/switch.h"
#include "tools/amplifiers/zener.h"
#include "tools/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Amplifiers::Amplifiers(QWidget* parent)
    : QWidget(parent)
    , tabAmplifiers_(named(new QTabWidget(this), "tabAmplifiers", tr("Amplifiers and regulators calculators")))
{
    setObjectName(QStringLiteral("frmAmplifiers"));
    setWindowTitle(tr("Amplifiers and regulators"));
    auto* opamp = new AmplifiersOpAmp(tabAmplifiers_);
    auto* regulator = new AmplifiersRegulator(tabAmplifiers_);
    auto* zener = new AmplifiersZener(tabAmplifiers_);
    auto* heatSink = new AmplifiersHeatSink(tabAmplifiers_);
    auto* transistor = new AmplifiersSwitch(tabAmplifiers_);
    tabAmplifiers_->addTab(opamp, tr("&Op-amp"));
    tabAmplifiers_->addTab(regulator, tr("&Regulator"));
    tabAmplifiers_->addTab(zener, tr("&Zener"));
    tabAmplifiers_->addTab(heatSink, tr("Heat s&ink"));
    tabAmplifiers_->addTab(transistor, tr("Tra&nsistor switch"));
    firstFields_ = {opamp->firstField(), regulator->firstField(), zener->firstField(), heatSink->firstField(),
                    transistor->firstField()};
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabAmplifiers_, 1);
    layout->addLayout(buttons);

    connect(tabAmplifiers_, &QTabWidget::currentChanged, this, &Amplifiers::pageChosen);
    // Typing goes to the first field straight away, not to the tab bar.
    opamp->firstField()->setFocus();
}

void Amplifiers::pageChosen(int index)
{
    // A page picked with the mouse or its access key is ready for typing; arrowing along the tab
    // bar keeps the focus there.
    if (tabAmplifiers_->tabBar()->hasFocus())
        return;
    if (index >= 0 && index < static_cast<int>(firstFields_.size()))
        firstFields_[static_cast<std::size_t>(index)]->setFocus();
}

} // namespace tools
