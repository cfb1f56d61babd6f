// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QWidget>

class QTableWidget;

namespace tools {

// The Prefixes page: a value written under every prefix from f to T, exactly ("4.7 µF is 4700 nF").
class ConversionsPrefixes : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsPrefixes(QWidget* parent = nullptr);

    QWidget* firstField() const { return value_.field; }

private:
    void refresh();

    boardfields::Row value_;
    QTableWidget* tblPrefixes_ = nullptr;
};

} // namespace tools
