// SPDX-License-Identifier: MIT
#pragma once

#include "tools/conversions/linked.h"

#include <QWidget>

namespace tools {

// The Ratios page: decibels, the power ratio and the voltage ratio; any one typed gives the others.
class ConversionsRatios : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsRatios(QWidget* parent = nullptr);

    QWidget* firstField() const { return rows_.front().field; }

private:
    LinkedFields::Answer compute(std::size_t given, const QString& text) const;

    std::vector<boardfields::Row> rows_; // by values::Ratio
};

} // namespace tools
