// Our up-down control: steps within its range, wraps or stops at the ends, reads a typed
// buddy value before stepping, and writes its position into the buddy.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <ostream>

#include "platform/qt/up_down.h"

namespace {

struct StepCase {
    int lower, upper, start;
    bool wrap;
    int direction;
    int expected;
};

void PrintTo(const StepCase& c, std::ostream* out) {
    *out << "range " << c.lower << ".." << c.upper << (c.wrap ? " wrapping" : "") << ", at " << c.start
         << (c.direction > 0 ? " up" : " down");
}

class UpDownStepTest : public testing::TestWithParam<StepCase> {};

}  // namespace

TEST_P(UpDownStepTest, StepsWithinTheRange) {
    const StepCase& c = GetParam();
    QWidget parent;
    QLineEdit buddy(&parent);
    CUpDown upDown(&parent);
    upDown.SetBuddy(&buddy);
    upDown.SetRange(c.lower, c.upper);
    upDown.SetWrap(c.wrap);
    upDown.SetPosition(c.start);
    upDown.Step(c.direction);
    EXPECT_EQ(upDown.Position(), c.expected);
    EXPECT_EQ(buddy.text(), QString::number(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Ranges, UpDownStepTest,
                         testing::Values(StepCase{0, 10, 4, false, +1, 5}, StepCase{0, 10, 4, false, -1, 3},
                                         StepCase{0, 10, 10, true, +1, 0}, StepCase{0, 10, 0, true, -1, 10},
                                         StepCase{0, 10, 10, false, +1, 10}, StepCase{0, 10, 0, false, -1, 0},
                                         // A range read from a larger lower end: up counts down.
                                         StepCase{10, 0, 4, false, +1, 3}, StepCase{10, 0, 0, true, +1, 10},
                                         StepCase{-5, 5, -5, true, -1, 5}, StepCase{7, 7, 7, true, +1, 7}));

TEST(UpDownTest, PositionIsClampedAndAnnounced) {
    QLineEdit buddy;
    CUpDown upDown;
    upDown.SetBuddy(&buddy);
    upDown.SetRange(0, 30);
    QSignalSpy changes(&upDown, &CUpDown::PositionChanged);
    upDown.SetPosition(99);
    EXPECT_EQ(upDown.Position(), 30);
    EXPECT_EQ(buddy.text(), QStringLiteral("30"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 30);
    // Narrowing the range pulls the position in without writing the buddy.
    upDown.SetRange(0, 12);
    EXPECT_EQ(upDown.Position(), 12);
    EXPECT_EQ(buddy.text(), QStringLiteral("30"));
}

TEST(UpDownTest, StepsFromATypedValueButNotFromText) {
    QLineEdit buddy;
    CUpDown upDown;
    upDown.SetBuddy(&buddy);
    upDown.SetRange(0, 50);
    upDown.SetPosition(40);
    buddy.setText(QStringLiteral("7"));
    upDown.Step(+1);
    EXPECT_EQ(buddy.text(), QStringLiteral("8"));
    buddy.setText(QStringLiteral("x"));
    upDown.Step(+1);
    EXPECT_EQ(buddy.text(), QStringLiteral("9"));
    buddy.setText(QStringLiteral("80"));  // out of range: the last position stands
    upDown.Step(-1);
    EXPECT_EQ(buddy.text(), QStringLiteral("8"));
}

TEST(UpDownTest, ArrowKeysAndButtonsStepOnlyWhenAllowed) {
    QWidget parent;
    QLineEdit buddy(&parent);
    CUpDown upDown(&parent);
    upDown.SetBuddy(&buddy);
    upDown.SetRange(0, 5);
    upDown.SetPosition(2);
    QTest::keyClick(&buddy, Qt::Key_Up);
    EXPECT_EQ(upDown.Position(), 2);  // arrow keys are off unless asked for
    upDown.SetArrowKeys(true);
    QTest::keyClick(&buddy, Qt::Key_Up);
    EXPECT_EQ(upDown.Position(), 3);
    QTest::mouseClick(upDown.DownButton(), Qt::LeftButton);
    QTest::mouseClick(upDown.DownButton(), Qt::LeftButton);
    EXPECT_EQ(buddy.text(), QStringLiteral("1"));
}
