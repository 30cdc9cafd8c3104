#include "ui/editor/pages/logic_page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "model/channel_types.h"
#include "model/facts_logic.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kRowsFrame = "F_LogicRows";

constexpr TableHeading kHeadings[] = {
    {.text = kTxtOutput, .name = "L_logic_0", .column = 0},
    {.text = kTxtInput1, .name = "L_logic_1", .column = 1},
    {.text = kTxtFunction, .name = "L_logic_3", .column = 2},
    {.text = kTxtInput2, .name = "L_logic_2", .column = 3},
};
// The blocks as a table: number, output, input 1, operation, input 2.
constexpr RowTable kBlocks{.count = kLogicRowsPerPage,
                           .number = "L_LogicBlock_%1",
                           .headings = kHeadings,
                           .fieldMinimum = 48,
                           .stretch = true};

constexpr FormRow field(const char* name, const ValueFact* (*facts)(int, int), int help) {
    return FormRow{.control = name,
                   .kind = ControlKind::Field,
                   .help = help,
                   .frame = kRowsFrame,
                   .ownStore = true,
                   .table = &kBlocks,
                   .factAt = facts};
}

// Enter walks each row from the output through input 1 and the operation to input 2, then on to the
// next row's output; from the last input 2 to the notes, and from the notes (Shift+Enter) to the main
// window.
constexpr FormRow kRows[] = {
    {.control = "L_logic_5", .kind = ControlKind::Label, .caption = kTxtLogicBlocks},
    field("T_LogicOut_%1", Each<facts::kLogicOutputs>, kHelpLogicOutput),
    field("T_logicIn1_%1", Each<facts::kLogicInputs1>, kHelpLogicInput1),
    field("T_logicOPR_%1", Each<facts::kLogicOperations>, kHelpLogicOperation),
    field("T_logicIn2_%1", Each<facts::kLogicInputs2>, kHelpLogicInput2),
    // Beside each block: the descriptions of the channels it drives and reads.
    {.control = "L_LogicWords_%1",
     .kind = ControlKind::Label,
     .frame = kRowsFrame,
     .table = &kBlocks,
     .factAt = Each<facts::kLogicOutputs>},
    {.control = "T_LogicDescription",
     .kind = ControlKind::MultiText,
     .textFact = &facts::kLogicNotes,
     .help = kHelpLogicDescription,
     .caption = kTxtNotes,
     .enter = kToMain,
     .frame = kRowsFrame,
     .label = "L_logic_4"},
};

} // namespace

LogicPage::LogicPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Logic_Setup", parent) {
    build(kRows);
    auto* heading = control<QLabel>("L_logic_5");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setWordWrap(false);

    // The page buttons under the heading.
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int p = 0; p < kLogicPages; ++p) {
        auto* b = new QPushButton(QString::number(p + 1), buttons);
        b->setObjectName(QStringLiteral("C_LogBlok_%1").arg(p));
        b->setCheckable(true);
        b->setAutoDefault(false);
        // Eight buttons share the width of the window.
        b->setMinimumWidth(20);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        // The tooltip names the blocks of the page, counted from 1.
        b->setToolTip(QStringLiteral("%1..%2").arg(LogicPageFirstBlock(p) + 1).arg(LogicPageFirstBlock(p) + 8));
        SetHelpContext(b, kHelpLogicPage, QStringLiteral("C_LogBlok"));
        connect(b, &QPushButton::clicked, this, [this, p] { C_LogBlok_Click(p); });
        row->addWidget(b);
        pageButtons_[static_cast<std::size_t>(p)] = b;
    }
    addLine(this, buttons);
}

QString LogicPage::caption() const {
    return ctx_.ws.text(kTxtMenuLogicSetup);
}

int LogicPage::blockOf(const FormRow& row) const {
    return LogicPageFirstBlock(ctx_.ws.edit.CurLogicBlock) + row.fact->index / kLogicBytes;
}

int LogicPage::byteOf(const FormRow& row) {
    return row.fact->index % kLogicBytes;
}

void LogicPage::fill() {
    Workspace& ws = ctx_.ws;
    // The page shown stays one of the eight.
    ws.edit.CurLogicBlock = ClampLogicPage(ws.edit.CurLogicBlock);
    for (int p = 0; p < kLogicPages; ++p) {
        QPushButton* b = pageButtons_[static_cast<std::size_t>(p)];
        const bool current = p == ws.edit.CurLogicBlock;
        QFont f = b->font();
        f.setBold(current);
        b->setFont(f);
        b->setChecked(current);
    }
    EditorPage::fill();
    for (int r = 0; r < kLogicRowsPerPage; ++r)
        findChild<QLabel*>(QStringLiteral("L_LogicBlock_%1").arg(r))
            ->setText(QString::number(LogicPageFirstBlock(ws.edit.CurLogicBlock) + r + 1));
}

QString LogicPage::fieldText(const FormRow& row) const {
    const LogicRecord& b = ctx_.ws.cfg.LogicBlocks[static_cast<std::size_t>(blockOf(row))];
    const int byte = byteOf(row);
    if (byte == kLogicOperation)
        return QString::fromStdString(LogicOperationText(b[kLogicOperation]));
    // A block not in use shows its signals only while one of them is being edited.
    const QWidget* w = control(row.control);
    if (!LogicBlockInUse(b) && !(w && w->hasFocus()))
        return QString();
    return QString::fromStdString(
        LogicChannel(b[static_cast<std::size_t>(byte)], byte == kLogicOutput ? 0 : b[kLogicOperation], byte));
}

void LogicPage::follow() {
    // A key in one field can change the marks of the other input and what the whole row shows.
    for (const FormRow& row : rows())
        if (row.kind == ControlKind::Field)
            showRow(row);
    showWords();
}

void LogicPage::showWords() {
    const Workspace& ws = ctx_.ws;
    for (int r = 0; r < kLogicRowsPerPage; ++r) {
        const int b = LogicPageFirstBlock(ws.edit.CurLogicBlock) + r;
        const LogicRecord& block = ws.cfg.LogicBlocks[static_cast<std::size_t>(b)];
        QStringList words;
        for (const int byte : {kLogicOutput, kLogicInput1, kLogicInput2}) {
            const int code = block[static_cast<std::size_t>(byte)];
            // A block not in use names nothing; a marker or no signal has no description.
            const bool channel = block[kLogicOperation] != 0 && code < kChannels;
            const QString description =
                channel ? FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(code)]).simplified() : QString();
            if (!description.isEmpty())
                words << QString::fromStdString(Num_2_Channel(code)) + QLatin1Char(' ') + description;
        }
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(CellName("L_LogicWords_%1", r))))
            l->setText(words.join(QStringLiteral(" \u00B7 ")));
    }
}

bool LogicPage::keyed(const FormRow& row, int keyCode) {
    if (keyCode == vk::kUp || keyCode == vk::kDown) {
        stepCell(row, keyCode == vk::kUp ? -1 : 1);
        return true;
    }
    Workspace& ws = ctx_.ws;
    const auto block = static_cast<std::size_t>(blockOf(row));
    const std::optional<LogicRecord> after = LogicKey(ws.cfg.LogicBlocks[block], byteOf(row), keyCode);
    if (!after)
        return true;
    // The marks follow at once: the matrix redraws every channel whose mark changed. The keys of one
    // entry into the field are one undo step, and Undo comes back to this field.
    {
        const EditEntry entry(ws, control(row.control));
        ws.change([&](Configuration& cfg) { cfg.LogicBlocks[block] = *after; }, EditMark::Always);
    }
    follow();
    showEntry(row);
    return true;
}

void LogicPage::entered(const FormRow& row, QWidget*, Qt::FocusReason) {
    if (row.kind == ControlKind::Field)
        showRow(row);
}

void LogicPage::left(const FormRow& row) {
    if (row.kind == ControlKind::Field)
        showRow(row);
}

void LogicPage::C_LogBlok_Click(int p) {
    if (p < 0 || p >= kLogicPages)
        return;
    ctx_.ws.edit.CurLogicBlock = p;
    fill();
    control("T_LogicOut_0")->setFocus(Qt::OtherFocusReason);
}

bool LogicPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const FormRow* row = EditorPage::rowOf(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (row && row->kind == ControlKind::Field && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // Enter with Shift hands the keyboard to the main window.
            if (isEnterPress(key) && (key->modifiers() & Qt::ShiftModifier)) {
                host_.focusMainWindow();
                return true;
            }
            // Page Up and Page Down turn the pages.
            if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
                const int p = ctx_.ws.edit.CurLogicBlock + (key->key() == Qt::Key_PageUp ? -1 : 1);
                if (p >= 0 && p < kLogicPages)
                    C_LogBlok_Click(p);
                return true;
            }
        }
    }
    return EditorPage::eventFilter(watched, event);
}

} // namespace korvane
