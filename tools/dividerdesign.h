// SPDX-License-Identifier: MIT
#pragma once

#include "tools/latest.h"
#include "values/dividerdesign.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/format.h"

#include <QWidget>

#include <optional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tools {

class CircuitView;

// Which two standard resistors give a voltage, or set a regulator's output, and how far off they
// can be with real parts. Follows every keystroke; the search runs off the UI thread.
class DividerDesign : public QWidget {
    Q_OBJECT
public:
    explicit DividerDesign(QWidget* parent = nullptr);

Q_SIGNALS:
    // The table now answers the current input (also when it was emptied for bad input).
    void pairsShown();

private:
    void build();
    void chainTabs();
    void connectAll();

    void modeChosen();
    void refresh();
    void showPairs(const std::vector<values::DividerPair>& pairs);
    void clearPairs(const QString& status);
    void drawPair(); // the selected row, or the best

    static std::optional<values::Decimal> readField(QLineEdit* field, QLabel* message, values::Unit unit);
    std::vector<values::Part> chosenParts(const values::DividerOptions& options);
    bool readFixed(values::DividerOptions& options);
    QString withUnit(const values::Decimal& v, const QString& unit) const;

    QRadioButton* optOutput_ = nullptr;
    QRadioButton* optFeedback_ = nullptr;
    QButtonGroup* grpMode_ = nullptr;
    QLabel* lblVin_ = nullptr;
    QLineEdit* txtVin_ = nullptr;
    QLabel* lblVinUnit_ = nullptr;
    QLabel* lblVinMessage_ = nullptr;
    QLabel* lblVref_ = nullptr;
    QLineEdit* txtVref_ = nullptr;
    QLabel* lblVrefUnit_ = nullptr;
    QLabel* lblVrefMessage_ = nullptr;
    QLineEdit* txtVout_ = nullptr;
    QLabel* lblVoutMessage_ = nullptr;
    QLabel* lblRatio_ = nullptr;
    QComboBox* cboSeries_ = nullptr;
    QLineEdit* txtFrom_ = nullptr;
    QLineEdit* txtTo_ = nullptr;
    QComboBox* cboTolerance_ = nullptr;
    QComboBox* cboMargin_ = nullptr;
    QComboBox* cboFixed_ = nullptr;
    QLineEdit* txtFixed_ = nullptr;
    QLabel* lblRangeMessage_ = nullptr;
    QTableWidget* tblPairs_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    QPushButton* cmdClose_ = nullptr;

    values::DividerGoal shownGoal_;
    values::Reach reach_; // of the search running or shown
    Latest<std::vector<values::DividerPair>> search_;
    CircuitView* circuit_ = nullptr;
    std::vector<values::DividerPair> shownPairs_;
};

} // namespace tools
