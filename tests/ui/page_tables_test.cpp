// What the editor pages do beyond a single row, in tables in tests/data: keys typed into a field and
// what it shows and stores (ui_page_typed.txt), what a state shows (ui_page_shown.txt), where
// Enter or an arrow goes in a given state (ui_page_enter.txt) and what leaving a field settles, by a
// change of focus or by the commit that Ctrl+S and Write make (ui_page_leave.txt). The arithmetic of
// each way of entering a value is the field rules' own; here each way appears once per page that gives
// it a meaning of its own. The tables name their set-ups and what they read back in the words below.

#include <QApplication>
#include <QTest>
#include <functional>
#include <map>
#include <string>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/differences.h"
#include "model/roller.h"
#include "model/text_ids.h"
#include "model/timer.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"
#include "tests/support/page_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/form/grid_cell.h"

using namespace korvane;
using namespace korvane::test;
using korvane::testing::dataTable;
using korvane::testing::splitOn;

namespace {

constexpr int kCh = 4; // A5: a function code in a table opens its page on this channel

class PageTables : public PageFixture {
protected:
    using Action = std::function<void(PageTables&, int)>;
    using Reader = std::function<QString(PageTables&, int)>;

    Row& row(int c = kCh) { return ConfigurationForSetUp(ws).ChanSetup[static_cast<std::size_t>(c)]; }
    // A named byte of the system data or of A5's row.
    Byte* named(const std::string& name) {
        const korvane::testing::NamedByte* b = korvane::testing::byteNamed(name);
        return !b ? nullptr : b->system ? &sys(b->at) : &byte(kCh, b->at);
    }
    // A channel's name (A1..P8) as its number, -1 for anything else.
    static int channelOf(const std::string& s) {
        return s.size() == 2 && s[0] >= 'A' && s[0] <= 'P' && s[1] >= '1' && s[1] <= '8' ? (s[0] - 'A') * 8 + s[1] - '1'
                                                                                         : -1;
    }
    // Calls f with each word of the text ("-" none) as its name and its value (a number or a channel).
    template <class F> static void forEachWord(const std::string& words, F f) {
        for (const std::string& word : splitOn(words == "-" ? std::string() : words, ' ')) {
            const std::size_t eq = word.find('=');
            const std::string value = eq == std::string::npos ? std::string() : word.substr(eq + 1);
            f(word.substr(0, eq), channelOf(value) >= 0 ? channelOf(value) : value.empty() ? -1 : std::stoi(value));
        }
    }
    // Set-up words: a named byte or a channel's function code ("A1=35") set to the value, or an action.
    void setUp(const std::string& words) {
        static const std::map<std::string, Action> actions{
            {"range100", [](PageTables& t, int) { StoreTenths(t.row(), 1000, kAnaRangeMax); }},
            {"backwardsRange", // a range from a file whose maximum is below its minimum
             [](PageTables& t, int) {
                 StoreTenths(t.row(), 500, kAnaRangeMin);
                 StoreTenths(t.row(), -200, kAnaRangeMax);
             }},
            {"limit2", [](PageTables& t, int) { StoreTenths(t.row(), 77, kAnaLimit2Low); }},
            {"externLimit", [](PageTables& t, int) { t.byte(kCh, kAnaOptions) = kAnaExternLimitBit; }},
            {"secondLimit", [](PageTables& t, int) { t.byte(kCh, kAnaOptions) = kAnaSecondLimitBit; }},
            {"longTimer", // time 1 400000 s (111:06:40), time 2 10 s
             [](PageTables& t, int) {
                 t.byte(kCh, kTimerTime1) = 0x80;
                 t.byte(kCh, kTimerTime1 + 1) = 0x1A;
                 t.byte(kCh, kTimerTime1 + 2) = 0x06;
                 t.byte(kCh, kTimerTime2) = 10;
             }},
            {"period1", // holiday period 1 from 3.10. to 3.20. (packed)
             [](PageTables& t, int) {
                 const Byte parts[] = {0x03, 0x10, 0x03, 0x20};
                 for (int part = 0; part < kHolidayBytes; ++part)
                     t.sys(HolidayByte(1, part)) = parts[part];
             }},
            {"lastMonth1", [](PageTables& t, int m) { t.sys(HolidayByte(1, kHolidayLastMonth)) = Byte(m); }},
            {"oddHolidays", // period 0 on 31 February, period 5 with a day but no month
             [](PageTables& t, int) {
                 const Byte parts[] = {0x02, 0x31, 0x03, 0x01, 0x13, 0x01};
                 for (int part = 0; part < 6; ++part)
                     t.sys(HolidayByte(part < 4 ? 0 : 5, part % 4)) = parts[part];
             }},
            {"longTexts", // longer than the unit keeps, from a file
             [](PageTables& t, int) {
                 ConfigurationForSetUp(t.ws).SmsText[2] = "12345678901234567890";
                 ConfigurationForSetUp(t.ws).SmsIdText = std::string(40, 'i');
             }},
            {"longNotes",
             [](PageTables& t, int n) { ConfigurationForSetUp(t.ws).DescText[0] = std::string(std::size_t(n), 'x'); }},
            {"logicP8A1",
             [](PageTables& t, int) {
                 ConfigurationForSetUp(t.ws).LogicBlocks[0] = LogicRecord{127, 0, 0, 0x04};
             }},
            {"logicPage", [](PageTables& t, int page) { t.ws.edit.CurLogicBlock = page; }},
            {"wrongNumber", [](PageTables& t, int) { ConfigurationForSetUp(t.ws).SmsText[0] = "45-12"; }},
            {"rollerB1", // a roller blind on B1 with a reverse time of 300
             [](PageTables& t, int) {
                 SetChannelType(ConfigurationForSetUp(t.ws), 8, kTypeRoller);
                 SetRollerReverseTime(t.row(8), 300);
             }},
            {"formerBlinds", // the roller master commands A1 and B5, which are no longer blinds
             [](PageTables& t, int) {
                 for (int c : {0, 12}) {
                     SetChannelType(ConfigurationForSetUp(t.ws), c, kTypeRoller);
                     PutRmSt(ConfigurationForSetUp(t.ws), kCh, c / 2, 1);
                     t.ws.changeChannelType(c, kTypeMono);
                 }
             }},
            {"germanNumbers",
             [](PageTables& t, int) {
                 // A German window: its language file names Qt's language "de".
                 QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
                 t.ws.LangText[kTxtQtLanguage] = QStringLiteral("de");
             }},
            {"current", [](PageTables& t, int c) { t.ws.edit.CurChannel = c; }},
            {"flashOpen", [](PageTables& t, int) { t.host.flashPattern = true; }},
            {"events",
             [](PageTables& t, int flags) { ConfigurationForSetUp(t.ws).ChanFlags[kCh] = static_cast<Byte>(flags); }},
            {"becomes", [](PageTables& t, int type) { t.ws.changeChannelType(kCh, type); }},
        };
        forEachWord(words, [this](const std::string& name, int value) {
            if (channelOf(name) >= 0)
                byte(channelOf(name), kRowType) = static_cast<Byte>(value);
            else if (Byte* b = named(name))
                *b = static_cast<Byte>(value);
            else if (actions.count(name))
                actions.at(name)(*this, value);
            else
                ADD_FAILURE() << "no set-up " << name;
        });
    }
    // Read words: a named byte or a reading, the results joined by spaces.
    QString read(const std::string& words) {
        static const std::map<std::string, Reader> readings{
            {"rangeMin", [](PageTables& t, int) { return QString::number(Byte3ToTenths(t.row(), kAnaRangeMin)); }},
            {"rangeMax", [](PageTables& t, int) { return QString::number(Byte3ToTenths(t.row(), kAnaRangeMax)); }},
            {"limit2Low", [](PageTables& t, int) { return QString::number(Byte3ToTenths(t.row(), kAnaLimit2Low)); }},
            {"limit1Low", [](PageTables& t, int) { return QString::number(Byte3ToTenths(t.row(), kAnaLimit1Low)); }},
            {"limit1High", [](PageTables& t, int) { return QString::number(Byte3ToTenths(t.row(), kAnaLimit1High)); }},
            {"time1", [](PageTables& t, int) { return QString::number(DurationAt(t.row(), kTimerTime1)); }},
            {"time2", [](PageTables& t, int) { return QString::number(DurationAt(t.row(), kTimerTime2)); }},
            {"reverse", // a roller blind's reverse time in milliseconds and its bus cycles
             [](PageTables& t, int c) {
                 return QStringLiteral("%1 %2").arg(RollerReverseTime(t.row(c))).arg(t.byte(c, kRollReverseCycles));
             }},
            {"holiday", // the period's four bytes in hex
             [](PageTables& t, int period) {
                 QStringList parts;
                 for (int part = 0; part < kHolidayBytes; ++part)
                     parts << QStringLiteral("%1").arg(t.sys(HolidayByte(period, part)), 2, 16, QLatin1Char('0'));
                 return parts.join(QLatin1Char(' '));
             }},
            {"logic",
             [](PageTables& t, int n) {
                 const LogicRecord& r = t.ws.cfg.LogicBlocks[static_cast<std::size_t>(n)];
                 return QStringLiteral("%1 %2 %3 %4").arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3]);
             }},
            {"cursor", // the roller master grid's cursor, * when its cell shows it
             [](PageTables& t, int) {
                 const int c = t.ws.edit.MatrixCursor;
                 return QString::number(c) + (t.get<MasterCell>(QStringLiteral("IRm_%1").arg(c))->cursor() ? "*" : "");
             }},
            {"rm", [](PageTables& t, int cell) { return QString::number(GetRmSt(t.ws.cfg, kCh, cell)); }},
            {"marked", [](PageTables& t, int cell) { return QString::number(RmCellMarked(t.ws.cfg, kCh, cell)); }},
            {"focus", [](PageTables&, int) { return focused(); }},
            // the control the page gives the focus to when it is shown
            {"pageFocus", [](PageTables& t, int) { return t.page_->focusControl()->objectName(); }},
            {"flashPattern", [](PageTables& t, int) { return QString::number(int(t.host.flashPattern)); }},
            {"logicPage", [](PageTables& t, int) { return QString::number(t.ws.edit.CurLogicBlock); }},
            {"sms", [](PageTables& t, int i) { return QString::fromStdString(t.ws.cfg.SmsText[std::size_t(i)]); }},
            {"savedType", [](PageTables& t, int) { return QString::number(t.ws.cfg.SavedChanType[kCh]); }},
            {"events", [](PageTables& t, int) { return QString::number(t.ws.cfg.ChanFlags[kCh]); }},
            {"smsId", [](PageTables& t, int) { return QString::fromStdString(t.ws.cfg.SmsIdText); }},
            {"channelText", [](PageTables& t, int) { return QString::fromStdString(t.ws.cfg.ChanText[kCh]); }},
            {"generalText",
             [](PageTables& t, int) { return QString::fromStdString(t.ws.cfg.DescText[kGeneralDescription]); }},
            {"logicNotes", [](PageTables& t, int) { return QString::fromStdString(t.ws.cfg.DescText[0]); }},
            {"logicNotesLength", [](PageTables& t, int) { return QString::number(t.ws.cfg.DescText[0].size()); }},
        };
        // A control's look: text:<name> what it shows, state:<name> hidden, enabled or disabled,
        // colour:<name> its text's colour (#rrggbb), tip:<name> its tool tip, length:<name> the characters it
        // shows, bold:<name> 1 in bold.
        static const std::map<std::string, std::function<QString(PageTables&, const QString&)>> looks{
            {"text", [](PageTables& t, const QString& c) { return t.text(c); }},
            {"state", [](PageTables& t, const QString& c) { return t.state(c); }},
            {"colour",
             [](PageTables& t, const QString& c) { return t.get(c)->palette().color(QPalette::Text).name(); }},
            {"tip", [](PageTables& t, const QString& c) { return t.get(c)->toolTip(); }},
            {"length", [](PageTables& t, const QString& c) { return QString::number(t.text(c).size()); }},
            {"bold", [](PageTables& t, const QString& c) { return QString::number(int(t.get(c)->font().bold())); }},
        };
        QStringList out;
        forEachWord(words, [&](const std::string& name, int value) {
            const std::size_t colon = name.find(':');
            if (Byte* b = named(name))
                out << QString::number(*b);
            else if (colon != std::string::npos && looks.count(name.substr(0, colon)))
                out << looks.at(name.substr(0, colon))(*this, q(name.substr(colon + 1)));
            else if (readings.count(name))
                out << readings.at(name)(*this, value);
            else
                ADD_FAILURE() << "no reading " << name;
        });
        return out.join(QLatin1Char(' '));
    }
    // A page key, or a function code whose channel page opens on A5, after the set-up.
    void openPage(const std::string& page, const std::string& words) {
        const bool channel = !page.empty() && std::isdigit(static_cast<unsigned char>(page[0]));
        QLocale::setDefault(QLocale::system());
        ws.LangText[kTxtQtLanguage] = QStringLiteral("T%1").arg(kTxtQtLanguage);
        ClearConfiguration(ConfigurationForSetUp(ws), ws.edit);
        ws.edit.CurChannel = kCh;
        if (channel)
            SetChannelType(ConfigurationForSetUp(ws), kCh, std::stoi(page));
        setUp(words);
        ws.setDataChanged(false);
        page_ = channel ? open(QString(), std::stoi(page)) : open(QString::fromStdString(page), 0);
        ASSERT_NE(page_, nullptr) << page;
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    static QString q(const std::string& s) { return QString::fromStdString(s); }
    QString state(const QString& name) {
        QWidget* w = get(name);
        return QLatin1String(!w->isVisibleTo(window.get()) ? "hidden" : w->isEnabled() ? "enabled" : "disabled");
    }
};

TEST_F(PageTables, typedKeysShowAndStore) {
    for (const auto& r : dataTable("ui_page_typed.txt", 10)) {
        SCOPED_TRACE(r[0]);
        openPage(r[1], r[2]);
        EXPECT_FALSE(ws.dataChanged()) << "opening repairs through the write path without marking a change";
        const int beeps = dialogs.beeps;
        const Configuration before = ws.cfg;
        type(q(r[3]), r[4].c_str());
        if (r[5] != "-") {
            EXPECT_EQ(text(q(r[3])), q(r[5]));
        }
        EXPECT_EQ(read(r[6]), q(r[7]));
        EXPECT_EQ(ws.dataChanged(), !(ws.cfg == before)) << "a change of the configuration, and only that, is marked";
        if (!(ws.cfg == before) && !r[0].ends_with("no difference")) {
            EXPECT_FALSE(CompareFacts(before, ws.cfg, CompareScope::File).empty())
                << "an edit of a page row that no difference names";
        }
        EXPECT_EQ(dialogs.beeps - beeps, std::stoi(r[8]));
        QWidget* field = get(q(r[3]));
        EXPECT_EQ(field->property("korvaneRefused").toBool(), r[9] == "1");
        if (r[9] == "1") {
            EXPECT_EQ(QApplication::focusWidget(), field) << "a refused number keeps the focus";
        }
    }
}

TEST_F(PageTables, aStateShowsAndEnablesItsControls) {
    for (const auto& r : dataTable("ui_page_shown.txt", 4)) {
        SCOPED_TRACE(r[0] + " " + r[1] + ": " + r[2]);
        openPage(r[0], r[1]);
        EXPECT_EQ(state(q(r[2])), q(r[3]));
    }
}

TEST_F(PageTables, enterGoesToTheSuccessorOfTheState) {
    const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
        {"Enter", {Qt::Key_Return, Qt::NoModifier}}, {"Shift+Enter", {Qt::Key_Return, Qt::ShiftModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},        {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Right", {Qt::Key_Right, Qt::NoModifier}},  {"A", {Qt::Key_A, Qt::NoModifier}},
    };
    for (const auto& r : dataTable("ui_page_enter.txt", 5)) {
        SCOPED_TRACE(r[0] + " " + r[1] + ": " + r[2] + " " + r[3]);
        openPage(r[0], r[1]);
        const int handed = host.mainFocused;
        QWidget* from = get(q(r[2]));
        focus(from);
        QTest::keyClick(from, keys.at(r[3]).first, keys.at(r[3]).second);
        EXPECT_EQ(host.mainFocused != handed ? QStringLiteral("main") : focused(), q(r[4]));
    }
}

TEST_F(PageTables, leavingAFieldSettlesItsEntry) {
    for (const auto& r : dataTable("ui_page_leave.txt", 10)) {
        SCOPED_TRACE(r[0]);
        openPage(r[1], r[2]);
        type(q(r[3]), r[4].c_str());
        setUp(r[5]);
        ws.setDataChanged(false);
        const Configuration typed = ws.cfg;
        if (r[6] == "commit")
            commit();
        else
            focus(get(q(r[6])));
        EXPECT_EQ(read(r[7]), q(r[8]));
        EXPECT_EQ(ws.dataChanged(), !(ws.cfg == typed)) << "a repair is a change of the configuration";
        if (r[9] != "-") {
            EXPECT_EQ(text(q(r[3])), q(r[9]));
        }
    }
}

} // namespace
