// SPDX-License-Identifier: MIT
#include "tools/filters/filters.h"

#include "tools/filters/active.h"
#include "tools/filters/passive.h"
#include "tools/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Filters::Filters(QWidget* parent)
    : QWidget(parent)
    , tabFilters_(named(new QTabWidget(this), "tabFilters", tr("Active or passive filters")))
    , active_(new FiltersActive(tabFilters_))
    , passive_(new FiltersPassive(tabFilters_))
{
    setObjectName(QStringLiteral("frmFilters"));
    setWindowTitle(tr("Filters"));
    tabFilters_->addTab(active_, tr("Acti&ve"));
    tabFilters_->addTab(passive_, tr("Pass&ive"));
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabFilters_, 1);
    layout->addLayout(buttons);
    connect(tabFilters_, &QTabWidget::currentChanged, this, &Filters::pageChosen);
    // Typing goes to the corner straight away. Not by a focus proxy: Tab coming round would skip
    // the tab bar for it.
    active_->firstField()->setFocus();
}

QSize Filters::sizeHint() const
{
    return {1060, std::max(600, minimumSizeHint().height())};
}

void Filters::pageChosen(int index)
{
    // A page picked with the mouse or its access key is ready for typing; arrowing along the tab
    // bar keeps the focus there.
    if (tabFilters_->tabBar()->hasFocus())
        return;
    (index == 0 ? active_->firstField() : passive_->firstField())->setFocus();
}

} // namespace tools
