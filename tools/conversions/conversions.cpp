// SPDX-License-Identifier: MIT
#include "tools/conversions/conversions.h"

#include "tools/conversions/levels.h"
#include "tools/conversions/prefixes.h"
#include "tools/conversions/ratios.h"
#include "tools/conversions/waves.h"
#include "tools/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Conversions::Conversions(QWidget* parent)
    : QWidget(parent)
    , tabConversions_(named(new QTabWidget(this), "tabConversions", tr("Conversions")))
{
    setObjectName(QStringLiteral("frmConversions"));
    setWindowTitle(tr("Conversions"));
    auto* levels = new ConversionsLevels(tabConversions_);
    auto* ratios = new ConversionsRatios(tabConversions_);
    auto* waves = new ConversionsWaves(tabConversions_);
    auto* prefixes = new ConversionsPrefixes(tabConversions_);
    tabConversions_->addTab(levels, tr("&Levels"));
    tabConversions_->addTab(ratios, tr("&Ratios"));
    tabConversions_->addTab(waves, tr("W&avelength"));
    tabConversions_->addTab(prefixes, tr("&Prefixes"));
    firstFields_ = {levels->firstField(), ratios->firstField(), waves->firstField(), prefixes->firstField()};
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabConversions_, 1);
    layout->addLayout(buttons);

    connect(tabConversions_, &QTabWidget::currentChanged, this, &Conversions::pageChosen);
    // Typing goes to the first field straight away, not to the tab bar.
    levels->firstField()->setFocus();
}

void Conversions::pageChosen(int index)
{
    // A page picked with the mouse or its access key is ready for typing; arrowing along the tab
    // bar keeps the focus there.
    if (tabConversions_->tabBar()->hasFocus())
        return;
    if (index >= 0 && index < static_cast<int>(firstFields_.size()))
        firstFields_[static_cast<std::size_t>(index)]->setFocus();
}

} // namespace tools
