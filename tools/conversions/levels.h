// SPDX-License-Identifier: MIT
#pragma once

#include "tools/conversions/linked.h"

#include <QWidget>

namespace tools {

// The Levels page: a signal's level as dBm, dBW, dBµV, dBu and dBV, watts and volts RMS, peak and
// peak to peak at an impedance; any one typed gives the others.
class ConversionsLevels : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsLevels(QWidget* parent = nullptr);

    QWidget* firstField() const { return rows_.front().field; }

private:
    LinkedFields::Answer compute(std::size_t given, const QString& text);

    std::vector<boardfields::Row> rows_; // by values::Level
    boardfields::Row impedance_;
    LinkedFields* linked_ = nullptr;
};

} // namespace tools
