// SPDX-License-Identifier: MIT
#include "tools/wires/wires.h"

#include "tools/widgets.h"
#include "tools/wires/battery.h"
#include "tools/wires/capacitor.h"
#include "tools/wires/drop.h"
#include "tools/wires/fuse.h"
#include "tools/wires/gauge.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Wires::Wires(QWidget* parent)
    : QWidget(parent)
    , tabWires_(named(new QTabWidget(this), "tabWires", tr("Wires and power calculators")))
{
    setObjectName(QStringLiteral("frmWires"));
    setWindowTitle(tr("Wires and power"));
    auto* gauge = new WiresGauge(tabWires_);
    auto* drop = new WiresDrop(tabWires_);
    auto* fuse = new WiresFuse(tabWires_);
    auto* battery = new WiresBattery(tabWires_);
    auto* capacitor = new WiresCapacitor(tabWires_);
    tabWires_->addTab(gauge, tr("&Gauge"));
    tabWires_->addTab(drop, tr("&Drop"));
    tabWires_->addTab(fuse, tr("Fus&ing"));
    tabWires_->addTab(battery, tr("&Battery"));
    tabWires_->addTab(capacitor, tr("C&apacitor"));
    firstFields_ = {gauge->firstField(), drop->firstField(), fuse->firstField(), battery->firstField(),
                    capacitor->firstField()};
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabWires_, 1);
    layout->addLayout(buttons);

    connect(tabWires_, &QTabWidget::currentChanged, this, &Wires::pageChosen);
    // Typing goes to the first field straight away, not to the tab bar.
    gauge->firstField()->setFocus();
}

void Wires::pageChosen(int index)
{
    // A page picked with the mouse or its access key is ready for typing; arrowing along the tab
    // bar keeps the focus there.
    if (tabWires_->tabBar()->hasFocus())
        return;
    if (index >= 0 && index < static_cast<int>(firstFields_.size()))
        firstFields_[static_cast<std::size_t>(index)]->setFocus();
}

} // namespace tools
