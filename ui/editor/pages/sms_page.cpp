#include "ui/editor/pages/sms_page.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "model/facts_sms.h"
#include "model/text_ids.h"
#include "ui/editor/form/typing_limit.h"

namespace korvane {

namespace {

constexpr const char* kDialIn = "Frame_DialIn";

// Four numbers on two lines of two, so that the page fits the window.
constexpr RowTable kSmsNumbers{.count = kSmsFirstDialIn, .blocks = 2, .down = false};
constexpr RowTable kDialInNumbers{
    .count = kSmsPhoneNumbers - kSmsFirstDialIn, .first = kSmsFirstDialIn, .blocks = 2, .down = false};

constexpr FormRow phones(const RowTable& table, int caption, const char* label) {
    const bool dialIn = &table == &kDialInNumbers;
    return FormRow{.control = "Txt_PhoneNo_%1",
                   .kind = ControlKind::Text,
                   .help = dialIn ? kHelpDialInNumber : kHelpSmsNumber,
                   .caption = caption,
                   .frame = dialIn ? kDialIn : nullptr,
                   .label = label,
                   .table = &table,
                   .textAt = EachText<facts::kPhoneNumbers>};
}

// Enter walks down the page: the SMS numbers, the identification, the dial-out method and its
// response time, then the dial-in options with their numbers and password, and round to the first
// number. Controls the settings switch off are passed over.
constexpr FormRow kRows[] = {
    {.control = "Lbl_Phones_0", .kind = ControlKind::Label, .caption = kTxtMenuSmsSetup},
    phones(kSmsNumbers, kTxtSmsNumbers, "Lbl_Phones_1"),
    {.control = "Txt_SmsIdInfo",
     .kind = ControlKind::Text,
     .textFact = &facts::kSmsIdentification,
     .help = kHelpSmsIdentification,
     .caption = kTxtSmsIdentification,
     .label = "Lbl_Phones_6"},
    {.control = "Combo_DialOutMethod",
     .kind = ControlKind::List,
     .fact = &facts::kDialOutMethod,
     .help = kHelpDialOutMethod,
     .label = "Lbl_Phones_4"},
    {.control = "txt_SmsRespTime",
     .kind = ControlKind::Field,
     .fact = &facts::kSmsResponseTime,
     .help = kHelpSmsResponseTime,
     .label = "Lbl_Phones_5",
     .unitLabel = "Lbl_Phones_7"},
    {.control = "L_DialIn", .kind = ControlKind::Label, .caption = kTxtDialIn, .frame = kDialIn},
    {.control = "Chk_saftyDialin",
     .kind = ControlKind::Check,
     .fact = &facts::kDialInSafety,
     .help = kHelpKnownNumbersOnly,
     .frame = kDialIn},
    phones(kDialInNumbers, kTxtDialInNumbers, "Lbl_Phones_2"),
    {.control = "Chk_saftyPASSW",
     .kind = ControlKind::Check,
     .fact = &facts::kPasswordSafety,
     .help = kHelpPasswordProtection,
     .frame = kDialIn},
    {.control = "Txt_DialInPassword",
     .kind = ControlKind::Text,
     .textFact = &facts::kDialInPassword,
     .help = kHelpDialInPassword,
     .caption = kTxtDialInPassword,
     .enter = "Txt_PhoneNo_0",
     .frame = kDialIn,
     .label = "Lbl_Phones_3"},
};

// Text the file and the unit keep as typed: the 8-bit character set, no double quote, no control
// character.
bool keepsAsTyped(const QString& text) {
    const std::string bytes = ToCp1252(text);
    return FromCp1252(bytes) == text && SmsTextAcceptable(bytes);
}

} // namespace

SmsPage::SmsPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_SMS_Setup", parent) {
    build(kRows);
    frame(kDialIn)->setFrameShape(QFrame::StyledPanel);
    // Typing and pasting are held to what the unit takes; texts from a file are shown whole.
    for (const FormRow& row : rows()) {
        if (row.kind != ControlKind::Text)
            continue;
        auto* edit = control<QLineEdit>(row.control);
        auto stored = [this, &row] { return textOf(row); };
        if (isPhone(row))
            edit->setValidator(new TypingLimit(
                row.textFact->maxChars, stored,
                [](const QString& t) { return PhoneNumberTyping(ToCp1252(t)) && keepsAsTyped(t); }, edit));
        else
            edit->setValidator(new TypingLimit(row.textFact->maxChars, stored, keepsAsTyped, edit));
    }
}

QString SmsPage::caption() const {
    return ctx_.ws.text(kTxtMenuSmsSetup);
}

bool SmsPage::isPhone(const FormRow& row) {
    return row.table != nullptr;
}

QString SmsPage::textOf(const FormRow& row) const {
    const Workspace& ws = ctx_.ws;
    return FromCp1252(ReadText(*row.textFact, ws.cfg, ws.ownerOf(*row.textFact)));
}

void SmsPage::prepare() {
    ctx_.ws.change(
        [](Configuration& cfg) {
            for (int b : {kSysDialOutMethod, kSysDialInPassword, kSysDialInSafety})
                if (cfg.SysData[static_cast<std::size_t>(b)] > 1)
                    cfg.SysData[static_cast<std::size_t>(b)] = 1;
        },
        EditMark::Never);
}

void SmsPage::follow() {
    const Workspace& ws = ctx_.ws;
    const auto& sys = ws.cfg.SysData;
    // Each setting enables what belongs to it, on every fill as after every edit.
    control("txt_SmsRespTime")->setEnabled(sys[kSysDialOutMethod] != 0);
    for (int i = kSmsFirstDialIn; i < kSmsPhoneNumbers; ++i)
        cell(kRows[1], i)->setEnabled(sys[kSysDialInSafety] != 0);
    control("Txt_DialInPassword")->setEnabled(sys[kSysDialInPassword] != 0);

    // A number that is none, or a text longer than reaches the unit, is shown red and says why.
    for (const FormRow& row : rows()) {
        if (row.kind != ControlKind::Text)
            continue;
        const std::string text = ToCp1252(textOf(row));
        const std::size_t reaches = row.textFact->area == TextArea::SmsId ? kSmsIdReachesUnit : kSmsEntryChars;
        QStringList why;
        if (isPhone(row) && !ValidPhoneNumber(text))
            why << ws.text(kTxtPhoneNumberRule);
        if (text.size() > reaches)
            why << ws.text(kTxtOnlyCharactersReachUnit).arg(reaches);
        markField(control(row.control), why, Qt::red);
    }
}

QWidget* SmsPage::successor(const FormRow& row) {
    // From the password option: the password where it is asked for, else round to the first number.
    if (isRow(row, "Chk_saftyPASSW")) {
        QWidget* password = control("Txt_DialInPassword");
        return password->isEnabled() ? password : control("Txt_PhoneNo_0");
    }
    return EditorPage::successor(row);
}

void SmsPage::left(const FormRow& row) {
    Workspace& ws = ctx_.ws;
    if (isRow(row, "txt_SmsRespTime")) {
        // The response time is at least a minute, however the field is left.
        if (ws.cfg.SysData[kSysSmsResponseTime] < kSmsResponseMinimum)
            ws.setValue(facts::kSmsResponseTime, kSmsResponseMinimum);
        showRow(row);
        return;
    }
    follow();
    // Leaving the window, or a field the focus is being put back from, says nothing.
    if (committing() || !isPhone(row) || ValidPhoneNumber(ToCp1252(textOf(row))) || returning_ ||
        !window()->isActiveWindow())
        return;
    ctx_.dialogs.beep();
    // The focus goes back only when it moved on within the page: never when the window is left or
    // another page is shown, and never from a field it is being put back into (no bouncing between
    // two numbers that are both wrong).
    QPointer<QWidget> back = control(row.control);
    returning_ = back;
    QTimer::singleShot(0, this, [this, back] {
        QWidget* now = QApplication::focusWidget();
        if (back && isVisible() && back->isEnabled() && window()->isActiveWindow() && now && now != back &&
            isAncestorOf(now))
            back->setFocus(Qt::OtherFocusReason);
        returning_ = nullptr;
    });
}

bool SmsPage::eventFilter(QObject* watched, QEvent* event) {
    if (isEnterPress(event)) {
        const FormRow* row = rowOf(watched);
        // Enter keeps the focus in a number that is none.
        if (row && isPhone(*row) && !ValidPhoneNumber(ToCp1252(textOf(*row)))) {
            ctx_.dialogs.beep();
            follow();
            return true;
        }
    }
    return EditorPage::eventFilter(watched, event);
}

} // namespace korvane
