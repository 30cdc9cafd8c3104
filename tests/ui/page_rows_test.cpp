// Every row of every editor page, checked against its own declaration: the control exists under its
// name, carries its range as tooltip, a key or click changes exactly the declared value, and Enter
// moves to the declared successor.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "tests/support/page_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/virtual_key.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kChannel = 4;
const char* const kPageKeys[] = {"omkring", "setlanguage", "mainsetup", "Exchange", "logic", "Holiday", "SMS_Setup"};

class PageRowsTest : public PageFixture {
protected:
    // Every page as it shows: the pages of the keys, then the channel page of every type, each blank
    // and, where a page shows more for some values, once more with those values.
    template <class Visit> void forEveryPage(Visit visit) {
        std::vector<std::pair<QString, int>> shows; // a page key, or no key and a function code
        for (const char* key : kPageKeys)
            shows.emplace_back(QLatin1String(key), 0);
        for (int type = 0; type < 52; ++type)
            shows.emplace_back(QString(), type);
        for (const auto& [key, type] : shows) {
            for (const bool optional : {false, true}) {
                SCOPED_TRACE(testing::Message() << (key.isEmpty() ? "type " + std::to_string(type) : key.toStdString())
                                                << (optional ? " with its optional parts" : ""));
                ClearConfiguration(ConfigurationForSetUp(ws), ws.edit);
                ws.edit.CurChannel = kChannel;
                if (key.isEmpty())
                    ConfigurationForSetUp(ws).ChanSetup[kChannel][kRowType] = static_cast<Byte>(type);
                if (optional && !showOptionalParts(key, type))
                    continue;
                if (EditorPage* page = open(key, type))
                    visit(page);
                if (key.isEmpty())
                    visit(channelPart);
            }
        }
    }
    // The values that show a page's optional controls; false for a page that has none.
    bool showOptionalParts(const QString& key, int type) {
        Row& row = ConfigurationForSetUp(ws).ChanSetup[kChannel];
        if (key == QLatin1String("Holiday")) {
            for (int i = 0; i < kSysHolidayCount; ++i) // every period in use, 1 January
                for (int part = 0; part < kHolidayBytes; ++part)
                    ConfigurationForSetUp(ws).SysData[static_cast<std::size_t>(HolidayByte(i, part))] = 0x01;
            return true;
        }
        if (key == QLatin1String("SMS_Setup")) { // confirmed dial-out, known numbers, a password
            ConfigurationForSetUp(ws).SysData[kSysDialOutMethod] = 1;
            ConfigurationForSetUp(ws).SysData[kSysDialInSafety] = 1;
            ConfigurationForSetUp(ws).SysData[kSysDialInPassword] = 1;
            return true;
        }
        if (!key.isEmpty())
            return false;
        if (type == kTypeIntruderSiren)
            row[kSirenMasterFlash] = 1;
        else if (type == kTypeMotion)
            row[kMotionInAlarm] = 1;
        else if (type >= kTypeAnalogGeneral && type <= kTypeAnalogTemperature)
            row[kAnaOptions] = kAnaSecondLimitBit;
        else
            return false;
        return true;
    }
    static bool shown(QWidget* w) { return w->isVisibleTo(w->window()) && w->isEnabled(); }
    // The key that gives the field's rule something to do.
    static Qt::Key keyFor(const ValueFact& fact) {
        if (fact.entry == ValueEntry::LogicOperation)
            return Qt::Key_A;
        return fact.entry == ValueEntry::ChannelXyzw || fact.entry == ValueEntry::Channel ||
                       fact.entry == ValueEntry::LogicSignal
                   ? Qt::Key_C
                   : Qt::Key_1;
    }
};

TEST_F(PageRowsTest, everyRowEditsExactlyItsValueAndEnterFollowsItsDeclaration) {
    int checkedRows = 0;
    std::set<std::string> declared, checked; // rows (page/control), and those whose edit and Enter were tried
    forEveryPage([&](EditorPage* page) {
        for (const FormRow& row : page->rows()) {
            SCOPED_TRACE(row.control);
            if (row.kind == ControlKind::Option) {
                for (const ListItem& item : row.choices()) {
                    const QByteArray name = EditorPage::elementName(row, item);
                    ASSERT_NE(page->control(name.constData()), nullptr) << name.constData();
                }
                continue;
            }
            QWidget* w = page->control(row.control);
            ASSERT_NE(w, nullptr);
            ASSERT_EQ(w->objectName(), QString::fromUtf8(row.control));
            if (row.kind == ControlKind::Label)
                continue;
            const std::string id = page->objectName().toStdString() + "/" + row.control;
            declared.insert(id);
            if (!shown(w))
                continue;
            if (row.kind == ControlKind::Field) {
                const QString hint = row.hint ? QLatin1String(row.hint) : QString::fromStdString(RangeHint(*row.fact));
                EXPECT_EQ(w->toolTip(), hint);
            }

            const Configuration before = ws.cfg;
            Configuration expected = before;
            ws.setDataChanged(false);
            focus(w);
            if (row.kind == ControlKind::Field) {
                const Qt::Key key = keyFor(*row.fact);
                bool first = true;
                const int old = ReadValue(*row.fact, before, kChannel);
                const std::optional<int> v = EnterKey(*row.fact, old, virtualKey(key, false), first);
                ASSERT_TRUE(v.has_value());
                StoreValue(*row.fact, expected, kChannel, *v);
                QTest::keyClick(w, key);
                EXPECT_TRUE(ws.dataChanged());
                // The value stays selected while the next key replaces it; otherwise the key is appended.
                EXPECT_EQ(static_cast<QLineEdit*>(w)->hasSelectedText(), first);
            } else if (row.kind == ControlKind::Check) {
                const int old = ReadValue(*row.fact, before, kChannel);
                StoreValue(*row.fact, expected, kChannel, old != 0 ? 0 : 1);
                static_cast<QCheckBox*>(w)->click();
                EXPECT_TRUE(ws.dataChanged());
            } else if (row.kind == ControlKind::List) {
                auto* box = static_cast<QComboBox*>(w);
                const int index = box->currentIndex() == 0 ? 1 : 0;
                const int value = box->itemData(index).toInt();
                StoreValue(*row.fact, expected, kChannel, value);
                emit box->activated(index);
                EXPECT_EQ(box->currentData().toInt(), value);
            }
            if (!row.ownStore && row.fact) {
                EXPECT_TRUE(ws.cfg == expected) << "more than the declared value changed";
            }
            ++checkedRows;

            // Enter goes where the row says (free texts take it for themselves). A name no control has
            // is a fault of the table; a target hidden here leaves the row unchecked this time.
            bool enterChecked = true;
            if (row.enter && qstrcmp(row.enter, kToMain) != 0 && row.kind != ControlKind::MultiText) {
                QWidget* target = qstrcmp(row.enter, kToDescription) == 0
                                      ? channelPart->description()
                                      : w->window()->findChild<QWidget*>(QString::fromUtf8(row.enter));
                EXPECT_NE(target, nullptr) << "Enter to " << row.enter << ": no such control";
                enterChecked = target && shown(target);
                if (enterChecked) {
                    focus(w);
                    QTest::keyClick(w, Qt::Key_Return);
                    EXPECT_EQ(QApplication::focusWidget(), target) << "Enter to " << row.enter;
                }
            } else if (row.enter && qstrcmp(row.enter, kToMain) == 0) {
                const int handed = host.mainFocused;
                focus(w);
                QTest::keyClick(w, Qt::Key_Return,
                                row.kind == ControlKind::MultiText ? Qt::ShiftModifier : Qt::NoModifier);
                EXPECT_EQ(host.mainFocused, handed + 1) << "Enter to the main window";
            }
            if (enterChecked)
                checked.insert(id);
            // The next row starts from the model as it was, shown again.
            ConfigurationForSetUp(ws) = before;
            page->fill();
        }
    });
    EXPECT_GT(checkedRows, 10);
    // A row that no page shows with its Enter target is noticed: each is tried in some state.
    for (const std::string& id : declared)
        EXPECT_TRUE(checked.count(id)) << "row never tried: " << id;
}

TEST_F(PageRowsTest, fillingAPageNeverChangesTheModel) {
    forEveryPage([&](EditorPage* page) {
        page->prepare();
        const Configuration before = ws.cfg;
        ws.setDataChanged(false);
        page->fill();
        EXPECT_TRUE(ws.cfg == before) << page->objectName().toStdString();
        EXPECT_FALSE(ws.dataChanged());
    });
}

} // namespace
