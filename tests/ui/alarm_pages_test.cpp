// Where the alarm pages place their controls: the function options in one column, the common siren's
// boxes on the lines of their times.

#include "model/channel_types.h"
#include "tests/support/page_fixture.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kB1 = 8;

using AlarmPagesTest = PageFixture;

TEST_F(AlarmPagesTest, optionsStandInOneColumnInTheOrderOfTheFunctions) {
    struct Case {
        int type;
        const char* option;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {kTypeIntruderPassive, "O_tyv", {8, 9, 10, 11, 12, 13, 27}},
        {kTypeSmokePassive, "O_røg", {19, 20, 21, 22, 23}},
        {kTypeWaterPassive, "O_vand", {14, 15, 16, 17, 18}},
        {kTypeIsaPassive, "O_ISA", {32, 33, 34, 35, 36, 37}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        openChannel(kB1, c.type);
        int x = -1, y = -1;
        for (int code : c.codes) {
            QWidget* b = get(QStringLiteral("%1_%2").arg(QString::fromUtf8(c.option)).arg(code));
            const QPoint at = b->mapTo(window.get(), QPoint(0, 0));
            if (x >= 0) {
                EXPECT_EQ(at.x(), x) << code;
            }
            EXPECT_GT(at.y(), y) << code;
            x = at.x();
            y = at.y();
        }
    }
}

TEST_F(AlarmPagesTest, commonSirenBoxesStandOnTheLinesOfTheirTimes) {
    openChannel(kB1, kTypeCommonSiren);
    EXPECT_EQ(page_->focusControl(), get("C_FællesSirene_0"));
    // Each box stands on the line of its time.
    for (int i = 0; i < 4; ++i) {
        QWidget* box = get(QStringLiteral("C_FællesSirene_%1").arg(i));
        QWidget* time = get(QStringLiteral("T_FællessireneTid_%1").arg(i));
        const int boxMiddle = box->mapTo(window.get(), box->rect().center()).y();
        const QRect timeRect(time->mapTo(window.get(), QPoint(0, 0)), time->size());
        EXPECT_TRUE(boxMiddle >= timeRect.top() && boxMiddle <= timeRect.bottom()) << i;
    }
}

} // namespace
