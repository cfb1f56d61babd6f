// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QLineEdit>
#include <QObject>

#include <functional>
#include <optional>
#include <vector>

namespace tools {

// Fields that show one quantity in several forms (dBm, watts and volts; a frequency and its
// wavelengths): the one typed last gives the others, an emptied one empties them. While the
// others are written in, nothing counts as typing.
class LinkedFields : public QObject {
public:
    struct Answer {
        std::vector<QString> texts; // one a field; none when there is no answer
        QString error;              // beside the field typed, when its text is refused
    };
    // The answer from the text of field `given`.
    using Compute = std::function<Answer(std::size_t given, const QString& text)>;

    LinkedFields(QObject* parent, std::vector<boardfields::Row> rows, Compute compute)
        : QObject(parent)
        , rows_(std::move(rows))
        , compute_(std::move(compute))
    {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            // textChanged, not textEdited: a value that arrives without a keystroke (a screen
            // reader, dictation, the worked example) is typed all the same.
            connect(rows_[i].field, &QLineEdit::textChanged, this, [this, i] {
                if (filling_)
                    return;
                given_ = rows_[i].field->text().trimmed().isEmpty() ? std::nullopt : std::optional(i);
                refresh();
            });
        }
    }

    // The others again from the field typed last, as when what they depend on changed.
    void refresh()
    {
        for (const boardfields::Row& r : rows_)
            r.message->clear();
        Answer answer;
        if (given_) {
            answer = compute_(*given_, rows_[*given_].field->text());
            rows_[*given_].message->setText(answer.error);
        }
        filling_ = true;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (i == given_)
                continue;
            rows_[i].field->setText(answer.texts.empty() ? QString() : answer.texts[i]);
            rows_[i].field->setCursorPosition(0);
        }
        filling_ = false;
    }

    std::optional<std::size_t> given() const { return given_; }

private:
    std::vector<boardfields::Row> rows_;
    Compute compute_;
    std::optional<std::size_t> given_;
    bool filling_ = false;
};

} // namespace tools
