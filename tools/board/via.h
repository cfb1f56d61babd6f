// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QWidget>

class QLabel;

namespace tools {

// The Via page: a plated barrel's resistance, drop and loss, the current it carries by
// IPC-2221, its thermal resistance, and its capacitance and inductance to the planes.
class BoardVia : public QWidget {
    Q_OBJECT
public:
    explicit BoardVia(QWidget* parent = nullptr);

    QWidget* firstField() const { return hole_.field; }

private:
    void build();
    void refresh();

    boardfields::Row hole_;
    boardfields::Row plating_;
    boardfields::Row length_;
    boardfields::Row pad_;
    boardfields::Row antipad_;
    boardfields::Row er_;
    boardfields::Row current_;
    boardfields::Row rise_;
    QLabel* lblResistance_ = nullptr;
    QLabel* lblDrop_ = nullptr;
    QLabel* lblCapacity_ = nullptr;
    QLabel* lblThermal_ = nullptr;
    QLabel* lblCapacitance_ = nullptr;
    QLabel* lblInductance_ = nullptr;
};

} // namespace tools
