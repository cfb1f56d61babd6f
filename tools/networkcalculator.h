// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace values {
enum class Kind;
struct ExpressionError;
} // namespace values

namespace tools {

class CircuitView;

// A network typed as people write it ("4k7 + (10k || 22k)"): its exact value, its range over the
// parts' tolerances, the nearest standard value, the circuit drawn and the text written back in
// the finder's form. Follows every keystroke; a typing error is marked where it is.
class NetworkCalculator : public QWidget {
    Q_OBJECT
public:
    explicit NetworkCalculator(QWidget* parent = nullptr);

private:
    void build();
    void refresh();
    void showError(const QString& text, const values::ExpressionError& error);
    void clearAnswer();
    values::Kind kind() const;

    QLineEdit* txtNetwork_ = nullptr;
    QLabel* lblNetworkMessage_ = nullptr;
    QComboBox* cboNetworkKind_ = nullptr;
    QComboBox* cboNetworkTolerance_ = nullptr;
    QComboBox* cboNetworkSeries_ = nullptr;
    QLabel* lblNetworkValue_ = nullptr;
    QLabel* lblNetworkRange_ = nullptr;
    QLabel* lblNetworkNearestCaption_ = nullptr;
    QLabel* lblNetworkNearest_ = nullptr;
    QLabel* lblNetworkText_ = nullptr;
    CircuitView* picNetwork_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
