// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

#include <QWidget>

#include <optional>

class QComboBox;

namespace tools {

// The Fusing page: the current that melts a copper wire or a board's track in a given time
// (Onderdonk), and a round wire in open air in the long run (Preece). Follows every keystroke.
class WiresFuse : public QWidget {
    Q_OBJECT
public:
    explicit WiresFuse(QWidget* parent = nullptr);

    QWidget* firstField() const { return size_.field; }

private:
    void build();
    void givenChosen();
    void refresh();
    // The conductor's section and, for a round wire, its diameter; nothing (with a message) when
    // the size is refused or missing.
    struct Section {
        double areaM2 = 0;
        std::optional<double> diameterM;
    };
    std::optional<Section> section();

    QComboBox* cboGiven_ = nullptr;
    wirefields::Row size_;
    QComboBox* cboCopper_ = nullptr;
    QLabel* lblCopperMessage_ = nullptr;
    wirefields::Row time_;
    wirefields::Row ambient_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblSection_ = nullptr;
    QLabel* lblOnderdonk_ = nullptr;
    QLabel* lblPreece_ = nullptr;
};

} // namespace tools
