// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tools {

// The Spacing page: the least conductor spacing of IPC-2221B table 6-1 for a peak voltage, one
// row per category; an AC voltage may be given as its RMS, which is taken at its peak.
class BoardSpacing : public QWidget {
    Q_OBJECT
public:
    explicit BoardSpacing(QWidget* parent = nullptr);

    QWidget* firstField() const { return voltage_.field; }

private:
    void build();
    void refresh();

    boardfields::Row voltage_;
    QComboBox* cboKind_ = nullptr;
    QLabel* lblRow_ = nullptr;
    QTableWidget* tblSpacing_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
};

} // namespace tools
