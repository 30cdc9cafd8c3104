// The alarm pages beyond what their rows declare: the function options with their single-use rule
// and Enter to the function's field, the intruder siren's flash controls, the continuous siren, the
// reset minimum, the ISA operating mode and the common siren's boxes.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "model/channel_types.h"
#include "tests/support/page_fixture.h"
#include "ui/editor/pages/alarm_page.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kA3 = 2, kB1 = 8, kC2 = 17, kM5 = 100;

class AlarmPagesTest : public PageFixture {
protected:
    // Opens the channel page of channel c, which is given the type first.
    EditorPage* openChannel(int c, int type) {
        ws.cfg.ChanSetup[static_cast<std::size_t>(c)][kRowType] = static_cast<Byte>(type);
        ws.edit.CurChannel = c;
        page_ = open(QString(), type);
        return page_;
    }
    template <class W = QWidget> W* get(const QString& name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& field) { return get<QLineEdit>(field)->text(); }
    // Gives the field the focus and types the keys ("~" Delete, "-" minus).
    void type(const QString& field, const char* keys) {
        QWidget* w = get(field);
        focus(w);
        for (const char* k = keys; *k; ++k) {
            if (*k == '~')
                QTest::keyClick(w, Qt::Key_Delete);
            else
                QTest::keyClick(w, *k);
        }
    }
    // Radio buttons and check boxes take clicks on their mark and caption, at the left.
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }
    void enter(QWidget* w) {
        focus(w);
        QTest::keyClick(w, Qt::Key_Return);
    }
    Byte& sys(int b) { return ws.cfg.SysData[static_cast<std::size_t>(b)]; }
    Byte& byte(int c, int b) { return ws.cfg.ChanSetup[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }
    bool shownOnPage(const QString& name) { return get(name)->isVisibleTo(window.get()); }

    EditorPage* page_ = nullptr;
};

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
        // Down steps to the next function and chooses it; a function in use elsewhere is skipped.
        ws.setDataChanged(false);
        QWidget* first = get(QStringLiteral("%1_%2").arg(QString::fromUtf8(c.option)).arg(c.codes[0]));
        focus(first);
        QTest::keyClick(first, Qt::Key_Down);
        EXPECT_EQ(ws.typeOf(kB1), c.codes[1]);
        EXPECT_TRUE(ws.dataChanged());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(ws.typeOf(kB1), c.codes[0]);
    }
    byte(kA3, kRowType) = kTypeIntruderSiren;
    openChannel(kB1, kTypeIntruderDoorArm);
    QWidget* door = get("O_tyv_11");
    focus(door);
    QTest::keyClick(door, Qt::Key_Down);
    EXPECT_EQ(ws.typeOf(kB1), kTypeIntruderCallOut);
}

TEST_F(AlarmPagesTest, enterOnAnOptionGoesToTheFieldOfItsFunction) {
    struct Case {
        int type;
        const char* field; // nullptr: the channel description
    };
    const Case cases[] = {
        {8, "T_TyvDiasble"},     {9, "T_TyvDiasble"},    {10, "T_TyvArmTid"},    {11, "T_TyvArmTid"},
        {27, "T_TyvArmTid"},     {12, "T_TyvsireneTid"}, {13, "T_TyvViderTid"},  {19, "T_RøgDisable"},
        {20, "T_RøgDisable"},    {21, "T_RøgReset"},     {22, "T_RøgsireneTid"}, {23, "T_RøgViderTid"},
        {14, "T_VandDisable"},   {15, "T_VandDisable"},  {16, "T_VandResetTid"}, {17, "T_VandsireneTid"},
        {18, "T_VandViderTid"},  {32, "T_ISADisable"},   {33, "T_ISADisable"},   {34, "Combo_ISAOpmode"},
        {36, "Combo_ISAOpmode"}, {37, "T_ISAsirenetid"}, {35, nullptr}, // a reset input locks the mode
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ClearConfiguration(ws.cfg, ws.edit);
        auto* page = static_cast<AlarmPage*>(openChannel(kC2, c.type));
        ASSERT_NE(page, nullptr);
        QWidget* option = page->focusControl();
        ASSERT_NE(option, nullptr);
        EXPECT_TRUE(static_cast<QRadioButton*>(option)->isChecked());
        // Only the sub-frame of the function is on show.
        enter(option);
        QWidget* target = c.field ? get(QString::fromUtf8(c.field)) : channelPart->description();
        EXPECT_EQ(QApplication::focusWidget(), target);
        EXPECT_TRUE(target->isVisibleTo(window.get()));
    }
}

TEST_F(AlarmPagesTest, fieldsEnterTheirValuesByTheFieldRules) {
    struct Case {
        int type;
        const char* field;
        const char* keys;
        const char* shown;
        int sysByte; // -1: byte 1 of the channel
        int stored;
    };
    const Case cases[] = {
        {kTypeIntruderSiren, "T_TyvsireneTid", "2515", "15", kSysIntruderSirenTime, 15},
        {kTypeIntruderPassive, "T_TyvDiasble", "D3C", "C3", -1, 18},
        {kTypeIntruderPassive, "T_TyvDiasble", "C~", "-----", -1, kNoChannel},
        {kTypeIntruderPassive, "T_TyvDiasble", "X4", "X4", -1, 131},
        {kTypeIntruderManualArm, "T_TyvArmTid", "255", "255", kSysIntruderArmTime, 255},
        {kTypeSmokeReset, "T_RøgReset", "15", "05", kSysSmokeResetTime, 5},
        {kTypeSmokeSiren, "T_RøgsireneTid", "45", "45", kSysSmokeSirenTime, 45},
        {kTypeWaterSiren, "T_VandsireneTid", "45", "05", kSysWaterSirenTime, 5},
        {kTypeWaterCallOut, "T_VandViderTid", "10", "10", kSysWaterContinueTime, 10},
        {kTypeIsaSiren, "T_ISAsirenetid", "~", "\u00BB\u00BB\u00BB", kSysIsaSirenTime, 255},
        {kTypeIsaSiren, "T_ISAsirenetid", "-4", "04", kSysIsaSirenTime, 4},
        {kTypeIsaSiren, "T_ISAsirenetid", "6-", "\u00BB\u00BB\u00BB", kSysIsaSirenTime, 255},
        {kTypeIsaActive, "T_ISAondelay", "300", "000", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        SCOPED_TRACE(c.keys);
        ClearConfiguration(ws.cfg, ws.edit);
        openChannel(kC2, c.type);
        ws.setDataChanged(false);
        type(QString::fromUtf8(c.field), c.keys);
        EXPECT_EQ(text(QString::fromUtf8(c.field)), QString::fromUtf8(c.shown));
        EXPECT_EQ(c.sysByte >= 0 ? sys(c.sysByte) : byte(kC2, kAlarmDisable), c.stored);
        EXPECT_TRUE(ws.dataChanged());
    }
}

TEST_F(AlarmPagesTest, resetTimeIsRaisedToTwoWheneverItsFieldIsLeft) {
    for (auto [function, field, b] : {std::tuple{kTypeSmokeReset, "T_RøgReset", kSysSmokeResetTime},
                                      std::tuple{kTypeWaterReset, "T_VandResetTid", kSysWaterResetTime}}) {
        SCOPED_TRACE(field);
        openChannel(kC2, function);
        const QString name = QString::fromUtf8(field);
        type(name, "1");
        EXPECT_EQ(sys(b), 1); // stored as typed: 1, 0 gives 10
        QTest::keyClick(get(name), Qt::Key_0);
        EXPECT_EQ(sys(b), 10);
        type(name, "0");
        ws.setDataChanged(false);
        focus(channelPart->description());
        EXPECT_EQ(sys(b), 2);
        EXPECT_EQ(text(name), QStringLiteral("02"));
        EXPECT_TRUE(ws.dataChanged()); // the repair is a change of the configuration
        // Before a save with the focus still in the field.
        type(name, "1");
        page_->commitPendingEdits();
        EXPECT_EQ(sys(b), 2);
    }
}

TEST_F(AlarmPagesTest, singleUseOptionsAreDisabledOnlyWhereAnotherChannelHasThem) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> others;
        int inUse;
        int type; // of the channel shown, kB1
        const char* option;
        bool enabled;
    };
    const Case cases[] = {
        {"intruder siren on A3", {{kA3, 12}}, 127, 8, "O_tyv_12", false},
        {"door switch on A3", {{kA3, 11}}, 127, 8, "O_tyv_27", false},
        {"two sirens: the channel keeps its own", {{kA3, 12}}, 127, 12, "O_tyv_12", true},
        {"intruder siren above the channels in use", {{kM5, 12}}, 15, 8, "O_tyv_12", true},
        {"smoke siren on C2", {{kC2, 22}}, 127, 19, "O_røg_22", false},
        {"smoke siren above the channels in use", {{kM5, 22}}, 15, 19, "O_røg_22", false},
        {"water siren above the channels in use", {{kM5, 17}}, 15, 14, "O_vand_17", true},
        {"ISA lamp test on C2", {{kC2, 36}}, 127, 32, "O_ISA_36", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearConfiguration(ws.cfg, ws.edit);
        sys(kSysChannelsInUse) = static_cast<Byte>(c.inUse);
        for (auto [channel, t] : c.others)
            byte(channel, kRowType) = static_cast<Byte>(t);
        openChannel(kB1, c.type);
        EXPECT_EQ(get(QString::fromUtf8(c.option))->isEnabled(), c.enabled);
    }
}

TEST_F(AlarmPagesTest, intruderFunctionChangeShowsTheNewMeaningOfByteOne) {
    // A siren with its flash on becomes a detector: not "disabled by A2".
    openChannel(kB1, kTypeIntruderSiren);
    byte(kB1, kSirenMasterFlash) = 1;
    byte(kB1, kSirenFlashInterval) = 30;
    page_->fill();
    host.flashPattern = true;
    click(get("O_tyv_8"));
    EXPECT_EQ(ws.typeOf(kB1), kTypeIntruderPassive);
    EXPECT_EQ(ws.cfg.SavedChanType[kB1], kTypeIntruderPassive);
    EXPECT_EQ(byte(kB1, kAlarmDisable), kNoChannel);
    EXPECT_EQ(text("T_TyvDiasble"), QStringLiteral("-----"));
    EXPECT_TRUE(shownOnPage("F_TyvDisable"));
    EXPECT_FALSE(shownOnPage("F_tyvSirene"));
    EXPECT_FALSE(host.flashPattern); // the pattern belongs to the siren
    // A detector disabled by A2 becomes the siren: flash off, the interval kept.
    type("T_TyvDiasble", "A2");
    click(get("O_tyv_12"));
    EXPECT_EQ(byte(kB1, kSirenMasterFlash), 0);
    EXPECT_EQ(byte(kB1, kSirenFlashInterval), 30);
    EXPECT_FALSE(get<QCheckBox>("Chk_TyvM_Blink")->isChecked());
}

TEST_F(AlarmPagesTest, sirenFlashControlsFollowTheBoxAndOpenThePattern) {
    // Opening a siren whose byte 1 is neither 0 nor 1 clears it without marking a change.
    byte(kB1, kSirenMasterFlash) = 5;
    byte(kB1, kSirenFlashInterval) = 7;
    openChannel(kB1, kTypeIntruderSiren);
    EXPECT_EQ(byte(kB1, kSirenMasterFlash), 0);
    EXPECT_FALSE(ws.dataChanged());
    auto* box = get<QCheckBox>("Chk_TyvM_Blink");
    EXPECT_FALSE(box->isChecked());
    const QString flashControls[] = {"Txt_BM_interval", "Lbl_BM_interval", "L_sekund_18", "Cmd_Tyv_BlinkSet"};
    for (const QString& name : flashControls)
        EXPECT_FALSE(shownOnPage(name)) << name.toStdString();
    enter(box);
    EXPECT_EQ(QApplication::focusWidget(), channelPart->description());

    // Space ticks the box; Enter walks box, interval, button, description.
    focus(box);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(byte(kB1, kSirenMasterFlash), 1);
    EXPECT_TRUE(ws.dataChanged());
    for (const QString& name : flashControls)
        EXPECT_TRUE(shownOnPage(name)) << name.toStdString();
    EXPECT_EQ(text("Txt_BM_interval"), QStringLiteral("07"));
    auto* button = get<QPushButton>("Cmd_Tyv_BlinkSet");
    enter(box);
    EXPECT_EQ(QApplication::focusWidget(), get("Txt_BM_interval"));
    type("Txt_BM_interval", "61");
    EXPECT_EQ(byte(kB1, kSirenFlashInterval), 1); // 61 > 60 starts again
    enter(get("Txt_BM_interval"));
    EXPECT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), channelPart->description());
    EXPECT_FALSE(host.flashPattern);

    // The button opens and closes the pattern; clearing the box closes it.
    focus(button);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(host.flashPattern);
    button->click();
    EXPECT_FALSE(host.flashPattern);
    button->click();
    box->click();
    EXPECT_FALSE(host.flashPattern);
    EXPECT_EQ(byte(kB1, kSirenMasterFlash), 0);
    EXPECT_FALSE(shownOnPage("Txt_BM_interval"));
}

TEST_F(AlarmPagesTest, isaModeIsResetByHandWhileAResetInputExists) {
    // A reset input anywhere, also on A1: mode 0 without marking a change, the list locked.
    byte(0, kRowType) = kTypeIsaReset;
    sys(kSysIsaMode) = 1;
    openChannel(kC2, kTypeIsaSiren);
    auto* mode = get<QComboBox>("Combo_ISAOpmode");
    EXPECT_EQ(sys(kSysIsaMode), 0);
    EXPECT_FALSE(ws.dataChanged());
    EXPECT_FALSE(mode->isEnabled());
    EXPECT_EQ(mode->currentText(), QStringLiteral("T88"));
    enter(get("T_ISAsirenetid"));
    EXPECT_EQ(QApplication::focusWidget(), channelPart->description());

    // Without it the list is free; a mode the list does not know shows "?" and is kept.
    byte(0, kRowType) = kTypeBlank;
    sys(kSysIsaMode) = 7;
    openChannel(kC2, kTypeIsaActive);
    EXPECT_TRUE(mode->isEnabled());
    EXPECT_EQ(mode->currentText(), QStringLiteral("?"));
    EXPECT_EQ(sys(kSysIsaMode), 7);
    enter(get("T_ISAondelay"));
    EXPECT_EQ(QApplication::focusWidget(), mode);
    emit mode->activated(1);
    EXPECT_EQ(sys(kSysIsaMode), 1);
    EXPECT_EQ(mode->currentText(), QStringLiteral("T87"));
    EXPECT_EQ(mode->findText(QStringLiteral("?")), -1);
    QTest::keyClick(mode, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), channelPart->description());

    // Choosing the reset input locks the list at once.
    click(get("O_ISA_35"));
    EXPECT_EQ(sys(kSysIsaMode), 0);
    EXPECT_FALSE(mode->isEnabled());
    EXPECT_FALSE(shownOnPage("F_ISAdisable"));
    EXPECT_FALSE(shownOnPage("F_ISAsirene"));
}

TEST_F(AlarmPagesTest, commonSirenBoxesAndTimesShareTheAlarmBytes) {
    sys(kSysCommonSiren) = 0xF0; // bits no box stands for
    openChannel(kB1, kTypeCommonSiren);
    EXPECT_EQ(page_->focusControl(), get("C_FællesSirene_0"));
    const std::pair<const char*, int> boxes[] = {
        {"C_FællesSirene_1", 0xF2}, {"C_FællesSirene_0", 0xF6}, {"C_FællesSirene_3", 0xFE}, {"C_FællesSirene_1", 0xFC}};
    for (auto [name, mask] : boxes) {
        get<QCheckBox>(QString::fromUtf8(name))->click();
        EXPECT_EQ(sys(kSysCommonSiren), mask) << name;
    }
    ClearConfiguration(ws.cfg, ws.edit);
    openChannel(kB1, kTypeCommonSiren);
    get<QCheckBox>("C_FællesSirene_1")->click();
    EXPECT_EQ(sys(kSysCommonSiren), 2);
    get<QCheckBox>("C_FællesSirene_1")->click();
    get<QCheckBox>("C_FællesSirene_0")->click();
    get<QCheckBox>("C_FællesSirene_3")->click();
    EXPECT_EQ(sys(kSysCommonSiren), 12);

    // The intruder siren time here is the intruder page's.
    type("T_FællessireneTid_1", "25");
    EXPECT_EQ(sys(kSysIntruderSirenTime), 5);
    type("T_FællessireneTid_3", "~");
    EXPECT_EQ(sys(kSysIsaSirenTime), kContinuous);
    EXPECT_EQ(text("T_FællessireneTid_3"), QStringLiteral("\u00BB\u00BB\u00BB"));
    openChannel(kC2, kTypeIntruderSiren);
    EXPECT_EQ(text("T_TyvsireneTid"), QStringLiteral("05"));
    openChannel(kC2, kTypeIsaSiren);
    EXPECT_EQ(text("T_ISAsirenetid"), QStringLiteral("\u00BB\u00BB\u00BB"));

    // Each box stands on the line of its time.
    openChannel(kB1, kTypeCommonSiren);
    for (int i = 0; i < 4; ++i) {
        QWidget* box = get(QStringLiteral("C_FællesSirene_%1").arg(i));
        QWidget* time = get(QStringLiteral("T_FællessireneTid_%1").arg(i));
        const int boxMiddle = box->mapTo(window.get(), box->rect().center()).y();
        const QRect timeRect(time->mapTo(window.get(), QPoint(0, 0)), time->size());
        EXPECT_TRUE(boxMiddle >= timeRect.top() && boxMiddle <= timeRect.bottom()) << i;
    }
}

} // namespace
