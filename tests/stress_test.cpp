// SPDX-License-Identifier: MIT
// Round after round of opening every screen, pressing each Calculate with good and bad input,
// and closing the screen again. Every round must end with exactly the widgets the program started
// with: a window or control that outlives its screen is a leak, however the memory is held. In
// the sanitizer build the same rounds also catch freed memory being touched and, at exit, leaks.
#include "gui.h"

#include <QComboBox>

#include <vector>

namespace {

constexpr int rounds = 50;

struct Attempt {
    std::vector<const char*> texts; // one per field, in the screen's order
    bool fails;                     // a run-time error is reported instead of a result
};

// Each calculator with a result, a type mismatch, and its overflow or division by zero.
struct Attempts {
    const char* screen;
    std::vector<Attempt> attempts;
};

const Attempts calculatorAttempts[] = {
    {"frmSerRes2", {{{"100", "220"}, false}, {{"12abc", "1"}, true}, {{"2147483647", "1"}, true}, {{"", ""}, true}}},
    {"frmSerRes3", {{{"1000", "2200", "470"}, false}, {{"1", "x", "3"}, true}, {{"2147483647", "1", "1"}, true}}},
    {"frmParRes", {{{"1", "2"}, false}, {{"5", "-5"}, true}, {{"0", "0"}, true}, {{"1E300", "1"}, true}}},
    {"frmSerCap2", {{{"1", "2"}, false}, {{"3", "-3"}, true}, {{"0", "0"}, true}, {{"1E400", "1"}, true}}},
    {"frmSerCap3", {{{"10", "22", "47"}, false}, {{"0", "1", "1"}, true}, {{"1", "2", "x"}, true}}},
    {"frmParCap", {{{"2.5", "3.25"}, false}, {{"922337203685477", "1"}, true}, {{"a", "b"}, true}}},
    {"frmVoltageDiv", {{{"12", "2000", "1000"}, false}, {{"12", "5", "-5"}, true}, {{"12", "1k", "1"}, true}}},
};

struct Bands {
    std::vector<const char*> texts; // band 1, 2, 3, tolerance
    int prompts;
};

const Bands colourCodes[] = {
    {{"Brown", "Black", "Red", "Gold"}, 0},
    {{"", "Blue", "blue", "Gold"}, 2},
    {{"White", "White", "White", ""}, 1},
};

qsizetype liveWidgets()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return QApplication::allWidgets().size();
}

} // namespace

TEST_F(ScreenTest, RepeatedUseOfEveryScreenLeavesNothingBehind)
{
    const qsizetype before = liveWidgets();
    const std::vector<std::string> screens = project.screenNames();
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (const std::string& name : screens)
            project.show(name);
        ASSERT_EQ(project.loadedCount(), static_cast<int>(screens.size()));

        forEveryCalculator(calculatorAttempts, [this](const calculators::Calculator& c, const Attempts& row) {
            for (const Attempt& attempt : row.attempts) {
                SCOPED_TRACE(attempt.texts.front());
                typeAll(c, attempt.texts);
                messages.clear();
                calculate(c);
                EXPECT_EQ(messages.size(), attempt.fails ? 1 : 0);
                EXPECT_EQ(result(c).isEmpty(), attempt.fails);
            }
        });
        const calculators::ColourCodeScreen& colour = calculators::colourCode;
        for (const Bands& bands : colourCodes) {
            for (std::size_t k = 0; k < bands.texts.size(); ++k)
                control<QComboBox>(colour.name(), colour.bands.at(k))->setEditText(QString::fromUtf8(bands.texts[k]));
            messages.clear();
            click(colour.name(), colour.button);
            EXPECT_EQ(messages.size(), bands.prompts);
        }

        // Both ways a screen goes away: its own code, and the title-bar close box.
        for (const std::string& name : screens) {
            if (round % 2 == 0)
                form(name.c_str()).unload();
            else
                form(name.c_str()).window()->close();
        }
        ASSERT_EQ(project.loadedCount(), 0);
        ASSERT_EQ(liveWidgets(), before);
    }
    EXPECT_TRUE(ended);
}
