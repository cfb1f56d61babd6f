// SPDX-License-Identifier: MIT
#pragma once

#include "tools/form.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The header stays light for moc: the quantities are declared in values/ohm.h.
namespace values {
enum class Quantity;
} // namespace values

namespace tools {

// V, I, R and P: the two typed last give the other two, as the user types.
class OhmsLaw : public QWidget {
    Q_OBJECT
public:
    explicit OhmsLaw(QWidget* parent = nullptr);

private:
    void typed(values::Quantity quantity);
    // `beingCleared`: the field the user has just emptied, left empty rather than refilled.
    void refresh(std::optional<values::Quantity> beingCleared = std::nullopt);

    std::array<QLineEdit*, 4> fields_{};
    std::array<QLabel*, 4> notes_{}; // how a computed value follows, or why a typed one is refused
    QPushButton* cmdClose_ = nullptr;
    LastTyped<values::Quantity, 2> given_;
};

} // namespace tools
