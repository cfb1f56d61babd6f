// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// moc cannot parse the library's C++20 headers; the colour enum is all this header needs.
namespace values {
enum class Colour;
}

namespace tools {

// The colour a band is painted in.
QColor bandColour(values::Colour colour);

// The WCAG 2 contrast ratio of two colours, 1 to 21: text wants 4.5 against its background.
double contrastRatio(const QColor& a, const QColor& b);

// A resistor body with its bands, and under each band its colour name and what it stands for in
// that position. Painted in logical coordinates, so it is sharp at any display scale.
class ResistorDrawing : public QWidget {
    Q_OBJECT
public:
    explicit ResistorDrawing(QWidget* parent = nullptr);
    void setBands(const std::vector<values::Colour>& bands);
    const std::vector<values::Colour>& bands() const { return bands_; }
    // The two or three caption lines under band `index`: name, meaning, a note.
    QStringList caption(std::size_t index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int columnWidth() const;
    std::vector<values::Colour> bands_;
};

// Reads any marking typed or picked, and marks a value every way a resistor can be marked.
class Markings : public QWidget {
    Q_OBJECT
public:
    explicit Markings(QWidget* parent = nullptr);

    static constexpr int maxBands = 6;

private:
    void readMarking();
    void pickBands();
    void changeBandCount();
    void markValue();
    void showMarkingRow(int row);
    void setPickers(const std::vector<values::Colour>& bands);
    std::vector<values::Colour> pickedBands() const;

    QLineEdit* marking_;
    QLabel* readMessage_;
    QTableWidget* readings_;
    QComboBox* bandCount_;
    std::vector<QLabel*> bandLabels_;
    std::vector<QComboBox*> bandPickers_;
    ResistorDrawing* drawing_;
    QLineEdit* value_;
    QComboBox* tolerance_;
    QComboBox* tcr_;
    QLabel* markMessage_;
    QTableWidget* markings_;
    std::vector<std::vector<values::Colour>> markedBands_; // per row of the markings table
    bool updating_ = false;
};

} // namespace tools
