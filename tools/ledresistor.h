// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// Declared only, so the header stays light for moc.
namespace values {
struct Decimal;
enum class Unit;
struct LedInput;
struct LedDesign;
class Exact;
} // namespace values

namespace tools {

class CircuitView;

// Which resistor an LED string needs, what current it really gets over every tolerance, and
// what power rating keeps the resistor cool. Follows every keystroke.
class LedResistor : public QWidget {
    Q_OBJECT
public:
    explicit LedResistor(QWidget* parent = nullptr);

private:
    void build();
    void connectAll();
    void colourChosen(int index);
    void forwardTyped();
    void refresh();
    void showDesign(const values::LedInput& input, const values::LedDesign& design);
    void clear();
    void drawRow(); // the row picked, or the standard value at or above

    static std::optional<values::Decimal> readValue(QLineEdit* field, QLabel* message, values::Unit unit);
    std::optional<values::Decimal> readPercent(QLineEdit* field, QLabel* message);
    QString text(const values::Exact& value, const char* unit) const;
    QTableWidgetItem* figure(const values::Exact& value, const char* unit) const; // shown rounded, copied whole

    QLineEdit* txtSupply_ = nullptr;
    QLineEdit* txtSupplyTolerance_ = nullptr;
    QLabel* lblSupplyMessage_ = nullptr;
    QLineEdit* txtForward_ = nullptr;
    QComboBox* cboColour_ = nullptr;
    QLineEdit* txtForwardMin_ = nullptr;
    QLineEdit* txtForwardMax_ = nullptr;
    QLabel* lblForwardMessage_ = nullptr;
    QLineEdit* txtCount_ = nullptr;
    QLabel* lblCountMessage_ = nullptr;
    QLineEdit* txtCurrent_ = nullptr;
    QLabel* lblCurrentMessage_ = nullptr;
    QComboBox* cboSeries_ = nullptr;
    QComboBox* cboTolerance_ = nullptr;
    QComboBox* cboMargin_ = nullptr;
    QTableWidget* tblResistors_ = nullptr;
    CircuitView* circuit_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QString drawnSupply_; // of the design shown
    QString drawnForward_;
    int drawnCount_ = 1;
};

} // namespace tools
