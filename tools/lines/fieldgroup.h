// SPDX-License-Identifier: MIT
#pragma once

#include "tools/latest.h"
#include "values/field.h"

#include <QGroupBox>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace tools {

// The Transmission lines window's Field solution group: the solder mask and the etched sides the
// closed forms lack, whether the width is found on the field solution, and the solving itself, on
// a worker after typing pauses, the newest input winning. The window asks for the answer to what
// it shows; the group has it, or starts it and says `answered` once it is there.
class LineField : public QGroupBox {
    Q_OBJECT
public:
    explicit LineField(QWidget* parent);

    std::vector<QWidget*> controls() const; // in reading order, for Tab

    // Shows what applies: the mask on an outer layer, everything but on the round lines; finding
    // on the field only while a dimension is found.
    void setType(values::lines::Type type, bool solving);

    // The mask and etch as typed, or nothing with the message in the group.
    std::optional<values::lines::field::Options> options();
    bool findsOnField() const;

    // The field solution of the line, or the dimension found on it; nothing while it is worked out.
    const values::lines::field::Solution* solution(const values::lines::Line& line,
                                                   const values::lines::field::Options& options);
    const values::lines::field::Synthesis* synthesis(const values::lines::Line& line, values::lines::Dim solveFor,
                                                     double goalOhm, double stepM,
                                                     const values::lines::field::Options& options);
    // The inputs make no line: nothing is asked for any more.
    void cancel();

    // Between typing and solving, so a solve does not start at every keystroke.
    static constexpr int pauseMs = 250;

Q_SIGNALS:
    void edited();   // a control of the group changed
    void answered(); // an answer asked for has come: ask again

private:
    using Key = std::vector<double>;
    struct Answer {
        Key key;
        std::optional<values::lines::field::Solution> solution;
        std::optional<values::lines::field::Synthesis> synthesis;
    };
    using Job = std::function<Answer(const std::stop_token&)>;

    void ask(Key key, Job job);
    void arrived(Answer answer);

    QCheckBox* chkMask_ = nullptr;
    QLineEdit* txtMaskT_ = nullptr;
    QLineEdit* txtMaskEr_ = nullptr;
    QLabel* lblMaskEr_ = nullptr;
    QLabel* lblEtch_ = nullptr;
    QLineEdit* txtEtch_ = nullptr;
    QLabel* lblEtchUnit_ = nullptr;
    QCheckBox* chkFind_ = nullptr;
    QLabel* lblMessage_ = nullptr;
    bool outer_ = true; // the type has an outer layer to mask

    // The last answer of each kind, and what is being asked for.
    std::optional<Answer> solved_;
    std::optional<Answer> found_;
    Key asked_;
    Job waiting_;
    QTimer* pause_ = nullptr;
    Latest<Answer> worker_;
};

} // namespace tools
