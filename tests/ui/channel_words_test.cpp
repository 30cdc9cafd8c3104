// Every channel in words: who uses a channel on its page, each entry opening the page of what uses
// it; the grids' tooltips, cell texts and target counts; finding a channel by name or description.

#include <QLabel>
#include <QTest>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/text_ids.h"
#include "tests/support/page_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/form/used_by_list.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_find.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kA5 = 4, kA6 = 5, kB3 = 10, kB4 = 11;

class ChannelWords : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        ClearConfiguration(ConfigurationForSetUp(ws), ws.edit);
        ws.LangText[kTxtTargetCount] = QStringLiteral("on %1 off %2");
        ws.LangText[kTxtRefLogicInput] = QStringLiteral("in %1");
        // A6 switches B3 on and B4 off; timer A5 starts on B3; logic block 10 reads B3 inverted.
        SetChannelType(ConfigurationForSetUp(ws), kA6, kTypeMaster);
        SetChannelType(ConfigurationForSetUp(ws), kA5, kTypeTimerDelay);
        SetChannelType(ConfigurationForSetUp(ws), kB3, kTypeMono);
        SetChannelType(ConfigurationForSetUp(ws), kB4, kTypeFlipFlop);
        ConfigurationForSetUp(ws).ChanSetup[kA5][kTimerStartChannel] = kB3;
        PutMaster(ConfigurationForSetUp(ws), kA6, kB3, kMasterOn);
        PutMaster(ConfigurationForSetUp(ws), kA6, kB4, kMasterOff);
        ConfigurationForSetUp(ws).LogicBlocks[9] = {kB4, kB3, kNoChannel, 4 | kLogicLevel1};
        ConfigurationForSetUp(ws).ChanText[kB3] = "Flur EG Deckenlicht";
        ConfigurationForSetUp(ws).ChanText[kA6] = "Alles aus";
    }
    static QString t(int n) { return QStringLiteral("T%1").arg(n); }
};

} // namespace

// Each channel's page lists what uses it, in the words of its functions and fields; each line opens
// the page of what uses the channel.
TEST_F(ChannelWords, everyChannelPageListsWhoUsesIt) {
    const QString a6 =
        QStringLiteral("A6 ") + t(TypeNameText(kTypeMaster)) + QStringLiteral(" \u00BBAlles aus\u00AB: ");
    const QString a5 = QStringLiteral("A5 ") + t(TypeNameText(kTypeTimerDelay)) + QStringLiteral(": ");
    const struct {
        int channel;
        int type;
        QStringList lines;
        std::vector<std::pair<QString, int>> opened; // what each line opens: page key and channel
        int logicPage = -1;
    } cases[] = {
        {kB3,
         kTypeMono,
         {a5 + t(kTxtControlChannel), a6 + t(kTxtRefSwitchesOn),
          t(kTxtLogicBlock) + " 10: in 1, " + t(kTxtRefInverted)},
         {{QString(), kA5}, {QString(), kA6}, {QStringLiteral("logic"), -1}},
         1},
        {kB4,
         kTypeFlipFlop,
         {a6 + t(kTxtRefSwitchesOff), t(kTxtLogicBlock) + " 10: " + t(kTxtRefLogicOutput)},
         {{QString(), kA6}, {QStringLiteral("logic"), -1}},
         1},
        {kA5, kTypeTimerDelay, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channel);
        openChannel(c.channel, c.type);
        UsedByList* list = channelPart->usedBy();
        EXPECT_EQ(list->lines(), c.lines);
        EXPECT_EQ(list->text().contains(t(kTxtUsedByNone)), c.lines.isEmpty());
        host.opened.clear();
        for (int k = 0; k < static_cast<int>(c.lines.size()); ++k)
            list->open(k);
        EXPECT_EQ(host.opened, c.opened);
        if (c.logicPage >= 0) {
            EXPECT_EQ(ws.edit.CurLogicBlock, c.logicPage);
        }
    }
}

// A master grid cell names its channel, function, description and state in its tooltip, and shows the
// description, cut with an ellipsis, once the cell is large enough; the legend counts the targets.
TEST_F(ChannelWords, gridCellsNameTheirChannels) {
    openChannel(kA6, kTypeMaster);
    auto* cell = get<MasterCell>(QStringLiteral("I_Master_%1").arg(kB3));
    EXPECT_EQ(cell->toolTip(), QStringLiteral("B3 ") + t(TypeNameText(kTypeMono)) +
                                   QStringLiteral(" \u00BBFlur EG Deckenlicht\u00AB: ") + t(kTxtLegendOn));
    EXPECT_EQ(get<MasterCell>(QStringLiteral("I_Master_%1").arg(kB4))->toolTip(),
              QStringLiteral("B4 ") + t(TypeNameText(kTypeFlipFlop)) + QStringLiteral(": ") + t(kTxtLegendOff));
    EXPECT_EQ(get<MasterCell>(QStringLiteral("I_Master_0"))->toolTip(),
              QStringLiteral("A1 ") + t(TypeNameText(kTypeBlank)) + QStringLiteral(": ") + t(kTxtLegendNotAffected));
    EXPECT_EQ(get<QLabel>(QStringLiteral("L_GridCount"))->text(), QStringLiteral("on 1 off 1"));

    cell->resize(18, 18);
    EXPECT_EQ(cell->shownLabel(), QString()); // the picture alone
    cell->resize(64, 64);
    const QString shown = cell->shownLabel();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Flur"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    cell->resize(400, 400);
    EXPECT_EQ(cell->shownLabel(), QStringLiteral("Flur EG Deckenlicht"));
    // A channel without a description shows its picture alone at any size.
    auto* blank = get<MasterCell>(QStringLiteral("I_Master_0"));
    blank->resize(400, 400);
    EXPECT_EQ(blank->shownLabel(), QString());

    // A click switches the target and the count follows.
    QTest::mouseClick(get<MasterCell>(QStringLiteral("I_Master_%1").arg(kB4)), Qt::LeftButton);
    EXPECT_EQ(get<QLabel>(QStringLiteral("L_GridCount"))->text(), QStringLiteral("on 2 off 0"));
}

// The logic page shows the descriptions of the channels each block drives and reads beside it.
TEST_F(ChannelWords, logicBlocksShowTheirChannelsDescriptions) {
    ConfigurationForSetUp(ws).ChanText[kB4] = "Treppe";
    ws.edit.CurLogicBlock = 1;
    open(QStringLiteral("logic"), 0);
    EXPECT_EQ(text(QStringLiteral("L_LogicWords_1")), QStringLiteral("B4 Treppe \u00B7 B3 Flur EG Deckenlicht"));
    EXPECT_EQ(text(QStringLiteral("L_LogicWords_0")), QString());
}

// Find matches part of a description whatever its case, umlauts too, or a channel's name.
TEST_F(ChannelWords, findMatchesDescriptionsAndNames) {
    ConfigurationForSetUp(ws).ChanText[0] = "K\xFC"
                                            "che Decke"; // Küche, in the file's character set
    ConfigurationForSetUp(ws).ChanText[20] = "K\xDC"
                                             "CHE Wand"; // KÜCHE
    ConfigurationForSetUp(ws).ChanText[30] = "Kuche";    // no umlaut: no match
    const struct {
        const char* typed;
        std::vector<int> found;
    } cases[] = {
        {"küche", {0, 20}}, {"KÜCHE", {0, 20}}, {"  k\u00fcche  ", {0, 20}},
        {"wand", {20}},     {"b3", {kB3}},      {"eg deck", {kB3}},
        {"", {}},           {"Keller", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindChannels(ws, QString::fromUtf8(c.typed)), c.found) << c.typed;
    // Channels beyond the number in use are not found.
    sys(kSysChannelsInUse) = 15;
    EXPECT_EQ(FindChannels(ws, QStringLiteral("wand")), std::vector<int>{});
}

// Numbers show and are typed in the window language's decimal notation; "." is taken too.
TEST_F(ChannelWords, numbersFollowTheLanguagesDecimalNotation) {
    const struct {
        const char* language;
        const char* shown;
        const char* typed;
        long stored; // tenths after Enter
    } cases[] = {
        {"de", "24,5", "12,3\n", 123}, {"de", "24,5", "12.3\n", 123}, {"da", "24,5", "7,5\n", 75},
        {"en", "24.5", "12.3\n", 123}, {"en", "24.5", "12,3\n", 245}, // a comma is no decimal point in English
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.typed);
        ws.LangText[kTxtQtLanguage] = QString::fromLatin1(c.language);
        Row& row = ConfigurationForSetUp(ws).ChanSetup[kA5];
        SetChannelType(ConfigurationForSetUp(ws), kA5, kTypeAnalogGeneral);
        StoreTenths(row, 0, kAnaRangeMin);
        StoreTenths(row, 1000, kAnaRangeMax);
        StoreTenths(row, 245, kAnaLimit1Low);
        openChannel(kA5, kTypeAnalogGeneral);
        EXPECT_EQ(text(QStringLiteral("T_Setpoint_0")), QString::fromLatin1(c.shown));
        type(QStringLiteral("T_Setpoint_0"), c.typed);
        EXPECT_EQ(Byte3ToTenths(ws.cfg.ChanSetup[kA5], kAnaLimit1Low), c.stored);
    }
}
