// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace tools {

// Keeps a field to one line: of a paste of several lines (a column copied from a spreadsheet,
// a page by mistake) only the first is taken. Qt would keep them all in the field, drawn as one.
class FirstLine : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        const auto* const at = std::find_if(input.cbegin(), input.cend(), [](QChar c) {
            return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) || c == QChar(0x2028) ||
                c == QChar(0x2029);
        });
        if (at != input.cend()) {
            // The field held no line break before, so every one came with what was just put in,
            // which ends at the cursor; what followed the cursor stays.
            const auto end = static_cast<int>(at - input.cbegin());
            input = input.left(end) + (pos > end ? input.mid(pos) : QString());
            pos = end;
        }
        return Acceptable;
    }
};

// Every field a panel makes is one line, however text reaches it.
inline QLineEdit* singleLine(QLineEdit* field)
{
    field->setValidator(new FirstLine(field));
    return field;
}

} // namespace tools
