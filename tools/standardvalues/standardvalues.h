// SPDX-License-Identifier: MIT
#pragma once

#include "tools/latest.h"
#include "values/measure.h"
#include "values/networks.h"
#include "values/stock.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/decimal.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QTextDocument;
class QTimer;

namespace tools {

class CircuitView;

// Which standard part to buy for a value, and how close one to three parts can get: the nearest
// value in every E-series, and the best small networks from a series or from the user's own
// parts. Everything follows the typed target live; the network search runs off the UI thread.
class StandardValues : public QWidget {
    Q_OBJECT
public:
    explicit StandardValues(QWidget* parent = nullptr);
    ~StandardValues() override;

    StandardValues(const StandardValues&) = delete;
    StandardValues& operator=(const StandardValues&) = delete;
    StandardValues(StandardValues&&) = delete;
    StandardValues& operator=(StandardValues&&) = delete;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The networks table now answers the current input (also when it was emptied for bad input).
    void networksShown();
    // My parts as typed has been read (off the window thread) and its problems listed.
    void partsRead();

protected:
    void changeEvent(QEvent* event) override;

private:
    void build();
    void fitToFont();
    void chainTabs();
    void connectAll();

    void targetEdited();
    void kindChosen();
    void sourceChosen();
    void myPartsEdited();
    void openPartsFile();
    void saveMyParts();
    bool saveMyPartsOnce(bool leaving);
    void readMyParts();
    void showMyParts(values::StockRead read);
    void adoptMyParts(const std::shared_ptr<QTextDocument>& document);

    void showNearest();
    void startSearch();
    void showNetworks(const values::SearchResult& result);
    void searchIsSlow();
    void clearNetworks(const QString& status);
    void drawNetwork(); // the selected row, or the best

    values::Kind kind() const;
    values::Measure measure() const; // of the target and the range, by kind
    QString withUnit(const values::Decimal& v) const;

    QLineEdit* txtTarget_ = nullptr;
    QLabel* lblTargetMessage_ = nullptr;
    QComboBox* cboKind_ = nullptr;
    QTabWidget* tabStandard_ = nullptr;
    QTableWidget* tblNearest_ = nullptr;
    QPushButton* cmdCopyNearest_ = nullptr;
    QComboBox* cboSource_ = nullptr;
    QLineEdit* txtFrom_ = nullptr;
    QLineEdit* txtTo_ = nullptr;
    QLabel* lblFromUnit_ = nullptr;
    QLabel* lblToUnit_ = nullptr;
    QLabel* lblRangeMessage_ = nullptr;
    QComboBox* cboParts_ = nullptr;
    QTableWidget* tblNetworks_ = nullptr;
    QPushButton* cmdCopyNetworks_ = nullptr;
    QLabel* lblNetworksStatus_ = nullptr;
    QWidget* fraMyParts_ = nullptr;
    QPlainTextEdit* txtMyParts_ = nullptr;
    QPushButton* cmdOpen_ = nullptr;
    QListWidget* lstPartProblems_ = nullptr;
    QLabel* lblPartsMessage_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QTimer* saveTimer_ = nullptr;
    QTimer* slowTimer_ = nullptr;
    QTimer* readTimer_ = nullptr;
    bool partsSavable_ = true;               // false when the file on disk could not be read: never written over
    bool partsUnsaved_ = false;              // an edit no save has kept yet, asked about at close however old
    std::optional<std::string> partsOnDisk_; // a list too long to edit, searched as it is

    std::optional<values::Decimal> target_;
    std::vector<values::Part> myParts_;
    Latest<values::SearchResult> search_;
    CircuitView* circuit_ = nullptr;
    std::vector<values::Network> shownNetworks_;
    Latest<values::StockRead> reader_;
    // Used on the reader's thread only; a new one when what a line means changes.
    std::shared_ptr<values::StockReader> stockReader_;
    Latest<std::shared_ptr<QTextDocument>> loader_; // a long list's document, made off the window thread
    values::Reach reach_;                           // of the search running or shown
};

} // namespace tools
