// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"
#include "values/measured.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStringList>
#include <QVBoxLayout>

#include <optional>
#include <vector>

// What the pages of the Wires and power window share beyond a board page's rows: measured
// readings, figures to five digits, lists and the answer box.
namespace tools::wirefields {

using boardfields::Row;

// A measured reading for a row: the value, or nothing with the message beside the field (an
// empty field has no message, it simply gives no answer yet).
inline std::optional<double> read(const Row& r, const values::Measured& m)
{
    r.message->clear();
    if (m.value)
        return m.value;
    if (!r.field->text().trimmed().isEmpty())
        r.message->setText(QString::fromStdString(m.error));
    return std::nullopt;
}

// "1.3793 V", "84.213 mΩ", with the locale's decimal separator.
inline QString shown(double value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(values::approximate(value, 5), unit, 5), locale);
}

// "0.51056", "18198": five digits without a prefix, for mm, mm², hours and percentages.
inline QString figure(double value, const QLocale& locale)
{
    return localised(values::plain(value, 5), locale);
}

// A fixed list with its caption in the grid's row `at`, the list across the field and unit columns.
inline QComboBox* choices(QWidget* parent, QGridLayout* grid, int at, const char* name, const QString& caption,
                          const QString& accessibleName, const QStringList& items)
{
    auto* box = named(new QComboBox(parent), name, accessibleName);
    box->addItems(items);
    const QByteArray stem = QByteArray(name).mid(3);
    grid->addWidget(labelFor(parent, ("lbl" + stem).constData(), caption, box), at, 0);
    grid->addWidget(box, at, 1, 1, 2);
    return box;
}

// A page: its fields (beside its drawing, if it has one), the answer box and the note below.
inline void layOut(QWidget* page, QGridLayout* fields, QWidget* drawing, QWidget* answers, QWidget* note)
{
    auto* layout = new QVBoxLayout(page);
    if (drawing != nullptr) {
        auto* top = new QHBoxLayout;
        top->addLayout(fields, 1);
        top->addWidget(drawing);
        layout->addLayout(top);
    } else {
        layout->addLayout(fields);
    }
    layout->addWidget(answers);
    layout->addWidget(note);
    layout->addStretch();
}

// The "Answer" box under a page's fields: a caption and a figure on each line.
class Answers : public QGroupBox {
public:
    Answers(QWidget* page, const char* name, const QString& title)
        : QGroupBox(title, page)
        , grid_(new QGridLayout(this))
    {
        setObjectName(QLatin1String(name));
        grid_->setColumnStretch(1, 1);
    }

    // The figure named `name`, its caption `name` with "Caption" after it.
    QLabel* add(const char* name, const QString& caption)
    {
        const int at = grid_->rowCount();
        grid_->addWidget(named(new QLabel(caption, this), (QByteArray(name) + "Caption").constData()), at, 0);
        auto* value = boardfields::answer(this, name);
        value->setWordWrap(true);
        // Centred in its row like its caption: the row keeps room for a taller line than most.
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid_->addWidget(value, at, 1);
        figures_.push_back(value);
        return value;
    }

    void clear()
    {
        for (QLabel* l : figures_)
            l->clear();
    }

private:
    QGridLayout* grid_;
    std::vector<QLabel*> figures_;
};

} // namespace tools::wirefields
