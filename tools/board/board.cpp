// SPDX-License-Identifier: MIT
#include "tools/board/board.h"

#include "tools/board/spacing.h"
#include "tools/board/track.h"
#include "tools/board/via.h"
#include "tools/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tools {

Board::Board(QWidget* parent)
    : QWidget(parent)
    , tabBoard_(named(new QTabWidget(this), "tabBoard", tr("Board calculators")))
    , track_(new BoardTrack(tabBoard_))
    , via_(new BoardVia(tabBoard_))
    , spacing_(new BoardSpacing(tabBoard_))
{
    setObjectName(QStringLiteral("frmBoard"));
    setWindowTitle(tr("Board"));
    tabBoard_->addTab(track_, tr("Trac&k"));
    tabBoard_->addTab(via_, tr("&Via"));
    tabBoard_->addTab(spacing_, tr("&Spacing"));
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabBoard_, 1);
    layout->addLayout(buttons);

    connect(tabBoard_, &QTabWidget::currentChanged, this, &Board::pageChosen);
    // Typing goes to the first field straight away, not to the tab bar.
    track_->firstField()->setFocus();
}

void Board::pageChosen(int index)
{
    // A page picked with the mouse or its access key is ready for typing; arrowing along the tab
    // bar keeps the focus there.
    if (tabBoard_->tabBar()->hasFocus())
        return;
    QWidget* pages[] = {track_->firstField(), via_->firstField(), spacing_->firstField()};
    if (index >= 0 && index < static_cast<int>(std::size(pages)))
        pages[index]->setFocus();
}

} // namespace tools
