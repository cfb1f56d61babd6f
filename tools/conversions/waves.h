// SPDX-License-Identifier: MIT
#pragma once

#include "tools/conversions/linked.h"

#include <QWidget>

namespace tools {

// The Wavelength page: frequency, period and the wavelength and quarter wave in vacuum and in a
// medium given by its relative permittivity or its velocity factor; any one typed gives the others.
class ConversionsWaves : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsWaves(QWidget* parent = nullptr);

    QWidget* firstField() const { return rows_.front().field; }

private:
    LinkedFields::Answer compute(std::size_t given, const QString& text);
    LinkedFields::Answer computeMedium(std::size_t given, const QString& text) const;

    std::vector<boardfields::Row> rows_;   // by values::Wave
    std::vector<boardfields::Row> medium_; // er, then the velocity factor
    LinkedFields* waves_ = nullptr;
    LinkedFields* media_ = nullptr;
    QLabel* lblVacuumQuarter_ = nullptr;
};

} // namespace tools
