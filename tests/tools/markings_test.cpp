// SPDX-License-Identifier: MIT
// The Markings panel: the field, the band pickers and the drawing always show the same bands,
// and the two tables follow what is typed.
#include "tools/markings/markings.h"

#include "window.h"

#include "values/markings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using values::Colour;

namespace {

using window::child;

class MarkingsWindow : public ::testing::Test {
protected:
    void SetUp() override { panel = std::make_unique<tools::Markings>(); }

    // The colours the visible pickers show, in order.
    std::vector<Colour> picked()
    {
        std::vector<Colour> bands;
        const auto* count = child<QComboBox>(*panel, "cboBandCount");
        if (count == nullptr)
            return bands;
        for (int k = 1; k <= count->currentText().toInt(); ++k) {
            const auto* picker = child<QComboBox>(*panel, QStringLiteral("cboBand%1").arg(k).toLatin1().constData());
            if (picker == nullptr || !picker->isVisibleTo(panel.get()))
                return {};
            bands.push_back(static_cast<Colour>(picker->currentData().toInt()));
        }
        return bands;
    }

    std::vector<Colour> drawn()
    {
        const auto* drawing = child<tools::ResistorDrawing>(*panel, "picResistor");
        return drawing != nullptr ? drawing->bands() : std::vector<Colour>{};
    }

    QStringList row(const char* table, int r)
    {
        QStringList cells;
        const auto* t = child<QTableWidget>(*panel, table);
        if (t == nullptr || r >= t->rowCount())
            return cells;
        for (int c = 0; c < t->columnCount(); ++c)
            cells.append(t->item(r, c) != nullptr ? t->item(r, c)->text() : QString());
        return cells;
    }

    int rows(const char* table)
    {
        const auto* t = child<QTableWidget>(*panel, table);
        return t != nullptr ? t->rowCount() : -1;
    }

    void type(const char* field, const QString& text)
    {
        if (auto* edit = child<QLineEdit>(*panel, field))
            edit->setText(text);
    }

    QString text(const char* name)
    {
        if (auto* edit = panel->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return edit->text();
        const auto* label = child<QLabel>(*panel, name);
        return label != nullptr ? label->text() : QString();
    }

    std::unique_ptr<tools::Markings> panel;
};

const std::vector<Colour> sixBands{Colour::Brown, Colour::Black,  Colour::Black,
                                   Colour::Red,   Colour::Violet, Colour::Yellow};

} // namespace

TEST_F(MarkingsWindow, TypedBandsSetThePickersTheDrawingAndTheReading)
{
    type("txtMarking", QStringLiteral("Brown, black-black RED violet yellow"));
    EXPECT_EQ(picked(), sixBands);
    EXPECT_EQ(drawn(), sixBands);
    EXPECT_EQ(rows("tblReadings"), 1);
    EXPECT_EQ(row("tblReadings", 0),
              (QStringList{"Colour bands", QString::fromUtf8("10.0 kΩ"), QString::fromUtf8("±0.1 %"), "25 ppm/K"}));
    EXPECT_EQ(text("lblReadMessage"), "");
}

TEST_F(MarkingsWindow, APickerRewritesTheFieldAndTheDrawing)
{
    type("txtMarking", QStringLiteral("yellow violet red gold"));
    auto* third = child<QComboBox>(*panel, "cboBand3");
    ASSERT_NE(third, nullptr);
    third->setCurrentIndex(third->findData(static_cast<int>(Colour::Orange)));
    EXPECT_EQ(text("txtMarking"), "yellow violet orange gold");
    const std::vector<Colour> bands{Colour::Yellow, Colour::Violet, Colour::Orange, Colour::Gold};
    EXPECT_EQ(drawn(), bands);
    EXPECT_EQ(picked(), bands);
    EXPECT_EQ(row("tblReadings", 0).value(1), QString::fromUtf8("47 kΩ"));
}

TEST_F(MarkingsWindow, ABandCountKeepsTheValueWhereItCan)
{
    type("txtMarking", QStringLiteral("yellow violet red gold"));
    auto* count = child<QComboBox>(*panel, "cboBandCount");
    ASSERT_NE(count, nullptr);
    count->setCurrentIndex(count->findText(QStringLiteral("5")));
    EXPECT_EQ(text("txtMarking"), "yellow violet black brown gold");
    EXPECT_EQ(picked(), drawn());
    EXPECT_EQ(row("tblReadings", 0).value(1), QString::fromUtf8("4.70 kΩ"));
    count->setCurrentIndex(count->findText(QStringLiteral("3")));
    EXPECT_EQ(text("txtMarking"), "yellow violet red");
}

TEST_F(MarkingsWindow, UnderEachBandItsNameAndMeaning)
{
    type("txtMarking", QStringLiteral("brown black red grey"));
    const auto* drawing = child<tools::ResistorDrawing>(*panel, "picResistor");
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(drawing->caption(0), (QStringList{"Brown", "1"}));
    EXPECT_EQ(drawing->caption(2), (QStringList{"Red", QString::fromUtf8("×100")}));
    EXPECT_EQ(drawing->caption(3),
              (QStringList{"Grey", QString::fromUtf8("±0.01 %"), QString::fromUtf8("older: ±0.05 %")}));
    type("txtMarking", QStringLiteral("gold black pink"));
    EXPECT_EQ(drawing->caption(0), (QStringList{"Gold", "no digit"}));
    EXPECT_EQ(drawing->caption(2), (QStringList{"Pink", QString::fromUtf8("×0.001")}));
}

TEST_F(MarkingsWindow, EveryReadingOfAnAmbiguousCodeIsListed)
{
    type("txtMarking", QStringLiteral("yellow violet red gold"));
    type("txtMarking", QStringLiteral("104"));
    EXPECT_EQ(rows("tblReadings"), 2);
    EXPECT_EQ(row("tblReadings", 0).value(1), QString::fromUtf8("100 kΩ"));
    EXPECT_EQ(row("tblReadings", 1).value(1), QString::fromUtf8("100 nF"));
    // A code is no colours: the pickers and the drawing keep the last bands, and agree.
    EXPECT_EQ(picked(), drawn());
}

TEST_F(MarkingsWindow, BadBandsGiveAMessageAndNoReading)
{
    type("txtMarking", QStringLiteral("brown purple red"));
    EXPECT_EQ(rows("tblReadings"), 0);
    EXPECT_EQ(text("lblReadMessage"), "'purple' is not a band colour");
    EXPECT_EQ(text("txtMarking"), "brown purple red");
}

TEST_F(MarkingsWindow, MarkingAValueFillsEveryRowAndSaysWhyNot)
{
    type("txtValue", QStringLiteral("4k7"));
    ASSERT_EQ(rows("tblMarkings"), 7);
    EXPECT_EQ(row("tblMarkings", 0), (QStringList{"4 bands", "Yellow Violet Red Gold"}));
    EXPECT_EQ(row("tblMarkings", 3), (QStringList{"SMD 3 digits", "472"}));
    EXPECT_EQ(row("tblMarkings", 5), (QStringList{"EIA-96", "4.7k is not an E96 value"}));
    EXPECT_EQ(row("tblMarkings", 6), (QStringList{"RKM", "4K7"}));

    // A row of bands, activated, is read and drawn.
    auto* table = child<QTableWidget>(*panel, "tblMarkings");
    ASSERT_NE(table, nullptr);
    Q_EMIT table->cellActivated(1, 1);
    EXPECT_EQ(text("txtMarking"), "yellow violet black brown gold");
    EXPECT_EQ(drawn().size(), 5U);
    EXPECT_EQ(picked(), drawn());
}

TEST_F(MarkingsWindow, ThePickersFollowTheSideLastEdited)
{
    const std::vector<Colour> typed{Colour::Brown, Colour::Black, Colour::Black, Colour::Red, Colour::Brown};
    type("txtMarking", QStringLiteral("brown black black red brown"));
    type("txtValue", QStringLiteral("4R7"));
    EXPECT_EQ(picked(), drawn());
    const values::ReadResult shown = values::readBands(picked());
    ASSERT_EQ(shown.readings.size(), 1U);
    EXPECT_EQ(shown.readings.front().value, values::Decimal::of(47, -1));
    EXPECT_EQ(text("txtMarking"), "brown black black red brown"); // what was typed stays

    // With no value left, the bands last typed come back; a code typed is no bands and keeps them.
    type("txtValue", QString());
    EXPECT_EQ(picked(), typed);
    type("txtValue", QStringLiteral("4R7"));
    type("txtMarking", QStringLiteral("104"));
    EXPECT_EQ(picked(), typed);
    EXPECT_EQ(drawn(), typed);
}

TEST_F(MarkingsWindow, CopyPicturePutsTheResistorOnTheClipboardAsSvgAndPng)
{
    type("txtMarking", QStringLiteral("yellow violet red gold"));
    panel->show();
    QApplication::clipboard()->clear();
    QTest::mouseClick(child<QAbstractButton>(*panel, "cmdCopyPicture"), Qt::LeftButton);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(tools::bandColour(Colour::Violet).name().toLatin1())) << "the bands are in it";
    EXPECT_TRUE(svg.contains("Violet 7")) << "described in words";
    EXPECT_FALSE(qvariant_cast<QImage>(data->imageData()).isNull());
}

TEST_F(MarkingsWindow, TooManyDigitsAreRefusedWithSeriesValues)
{
    type("txtValue", QStringLiteral("4.752k"));
    EXPECT_EQ(rows("tblMarkings"), 0);
    EXPECT_TRUE(text("lblMarkMessage").contains(QStringLiteral("4.75k (E96)"))) << text("lblMarkMessage").toStdString();
    type("txtValue", QStringLiteral("4x7"));
    EXPECT_EQ(rows("tblMarkings"), 0);
    EXPECT_EQ(text("txtValue"), "4x7");
    EXPECT_FALSE(text("lblMarkMessage").isEmpty());
}

TEST_F(MarkingsWindow, EveryFieldIsNamedForAssistiveTechnology)
{
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) != nullptr && qobject_cast<QComboBox*>(w->parent()) != nullptr)
            continue; // a list's own editor
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QTableWidget*>(w)) {
            EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    EXPECT_EQ(panel->windowTitle(), "Markings");
    EXPECT_NE(child<QAbstractButton>(*panel, "cmdClose"), nullptr);
}
