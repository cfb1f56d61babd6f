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
// that position. Painted in logical coordinates, so it is sharp at any display scale; Copy
// picture (the right-click menu, and a button the panel places) puts it on the clipboard as SVG
// and PNG, as the circuit drawings do.
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

    void copyPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int columnWidth() const;
    // In `size`, captions in the palette's window text colour on no background of their own.
    void paint(QPainter& painter, QSizeF size, const QPalette& palette) const;
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
    // The pickers and the drawing, silently.
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
    // The bands last typed or picked: shown again when the value gives none of its own.
    std::vector<values::Colour> readBands_;
    bool updating_ = false;
};

} // namespace tools
