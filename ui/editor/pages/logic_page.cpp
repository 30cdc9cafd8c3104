#include "ui/editor/pages/logic_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/facts_logic.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kOutNames[] = {"T_LogicOut_0", "T_LogicOut_1", "T_LogicOut_2", "T_LogicOut_3",
                                     "T_LogicOut_4", "T_LogicOut_5", "T_LogicOut_6", "T_LogicOut_7"};
constexpr const char* kIn1Names[] = {"T_logicIn1_0", "T_logicIn1_1", "T_logicIn1_2", "T_logicIn1_3",
                                     "T_logicIn1_4", "T_logicIn1_5", "T_logicIn1_6", "T_logicIn1_7"};
constexpr const char* kOprNames[] = {"T_logicOPR_0", "T_logicOPR_1", "T_logicOPR_2", "T_logicOPR_3",
                                     "T_logicOPR_4", "T_logicOPR_5", "T_logicOPR_6", "T_logicOPR_7"};
constexpr const char* kIn2Names[] = {"T_logicIn2_0", "T_logicIn2_1", "T_logicIn2_2", "T_logicIn2_3",
                                     "T_logicIn2_4", "T_logicIn2_5", "T_logicIn2_6", "T_logicIn2_7"};

constexpr const char* kRowsFrame = "F_LogicRows";
constexpr int kFieldRows = 4 * kLogicRowsPerPage;

// Enter walks each row from the output through input 1 and the operation to input 2, then on to the
// next row's output; from the last input 2 to the notes, and from the notes (Shift+Enter) to the main
// window.
constexpr std::array<FormRow, kFieldRows + 1> MakeRows() {
    std::array<FormRow, kFieldRows + 1> rows{};
    for (int r = 0; r < kLogicRowsPerPage; ++r) {
        const auto i = static_cast<std::size_t>(r);
        auto field = [](const char* name, const ValueFact* fact, int help) {
            return FormRow{.control = name,
                           .kind = ControlKind::Field,
                           .fact = fact,
                           .help = help,
                           .frame = kRowsFrame,
                           .ownStore = true};
        };
        rows[4 * i] = field(kOutNames[i], &facts::kLogicOutputs[i], kHelpLogicOutput);
        rows[4 * i + 1] = field(kIn1Names[i], &facts::kLogicInputs1[i], kHelpLogicInput1);
        rows[4 * i + 2] = field(kOprNames[i], &facts::kLogicOperations[i], kHelpLogicOperation);
        rows[4 * i + 3] = field(kIn2Names[i], &facts::kLogicInputs2[i], kHelpLogicInput2);
    }
    rows[kFieldRows] = FormRow{.control = "T_LogicDescription",
                               .kind = ControlKind::MultiText,
                               .textFact = &facts::kLogicNotes,
                               .help = kHelpLogicDescription,
                               .caption = kTxtNotes,
                               .enter = kToMain,
                               .frame = kRowsFrame,
                               .label = "L_logic_4"};
    return rows;
}
constexpr auto kRows = MakeRows();

// Column of each block byte in the table, after the block number.
constexpr int kColumnOfByte[] = {1, 2, 4, 3}; // output, input 1, input 2, operation
constexpr int kLabelTexts[] = {kTxtOutput, kTxtInput1, kTxtInput2, kTxtFunction, kTxtNotes, kTxtLogicBlocks};

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

LogicPage::LogicPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Logic_Setup", parent) {
    build(kRows);

    // The page buttons under the heading.
    QGridLayout* top = gridOf(this);
    labels_[5] = new QLabel(this);
    labels_[5]->setObjectName(QStringLiteral("L_logic_5"));
    labels_[5]->setTextFormat(Qt::PlainText);
    QFont bold = labels_[5]->font();
    bold.setBold(true);
    labels_[5]->setFont(bold);
    top->addWidget(labels_[5], 0, 0, 1, 3);
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
    top->addWidget(buttons, 1, 0, 1, 3);

    // The blocks as a table: number, output, input 1, operation, input 2; the notes below.
    QGridLayout* g = gridOf(frame(kRowsFrame));
    for (int i = 0; i < 4; ++i) {
        labels_[static_cast<std::size_t>(i)] = new QLabel(frame(kRowsFrame));
        labels_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("L_logic_%1").arg(i));
        labels_[static_cast<std::size_t>(i)]->setTextFormat(Qt::PlainText);
    }
    labels_[4] = findChild<QLabel*>(QStringLiteral("L_logic_4"));
    QWidget* notes = control("T_LogicDescription");
    g->removeWidget(labels_[4]);
    g->removeWidget(notes);
    for (const FormRow& r : kRows) {
        if (r.kind == ControlKind::Field) {
            QWidget* w = control(r.control);
            g->removeWidget(w);
            w->setMaximumWidth(QWIDGETSIZE_MAX);
            w->setMinimumWidth(48);
        }
    }
    const int head = g->rowCount();
    g->addWidget(labels_[0], head, kColumnOfByte[kLogicOutput]);
    g->addWidget(labels_[1], head, kColumnOfByte[kLogicInput1]);
    g->addWidget(labels_[3], head, kColumnOfByte[kLogicOperation]);
    g->addWidget(labels_[2], head, kColumnOfByte[kLogicInput2]);
    for (int r = 0; r < kLogicRowsPerPage; ++r) {
        auto* n = new QLabel(frame(kRowsFrame));
        n->setObjectName(QStringLiteral("L_LogicBlock_%1").arg(r));
        n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        blockNumbers_[static_cast<std::size_t>(r)] = n;
        g->addWidget(n, head + 1 + r, 0);
        for (int k = 0; k < 4; ++k) {
            const FormRow& fr = kRows[static_cast<std::size_t>(4 * r + k)];
            g->addWidget(control(fr.control), head + 1 + r, kColumnOfByte[byteOf(fr)]);
        }
    }
    g->addWidget(labels_[4], head + 1 + kLogicRowsPerPage, 0, 1, 5);
    g->addWidget(notes, head + 2 + kLogicRowsPerPage, 0, 1, 5);
    g->setColumnStretch(0, 0);
    for (int col = 1; col <= 4; ++col)
        g->setColumnStretch(col, 1);
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
    for (std::size_t i = 0; i < labels_.size(); ++i)
        if (labels_[i])
            labels_[i]->setText(ws.text(kLabelTexts[i]));
    for (int p = 0; p < kLogicPages; ++p) {
        QPushButton* b = pageButtons_[static_cast<std::size_t>(p)];
        const bool current = p == ws.edit.CurLogicBlock;
        QFont f = b->font();
        f.setBold(current);
        b->setFont(f);
        b->setChecked(current);
    }
    for (int r = 0; r < kLogicRowsPerPage; ++r)
        blockNumbers_[static_cast<std::size_t>(r)]->setText(
            QString::number(LogicPageFirstBlock(ws.edit.CurLogicBlock) + r + 1));
    EditorPage::fill();
}

QString LogicPage::fieldText(const FormRow& row) const {
    const LogicRecord& b = ctx_.ws.cfg.LogicBlocks[static_cast<std::size_t>(blockOf(row))];
    const int byte = byteOf(row);
    if (byte == kLogicOperation)
        return QString::fromStdString(LogicOperationText(b[kLogicOperation]));
    // A block not in use shows its signals only while one of them is being edited.
    const QWidget* w = control(row.control);
    if (b[kLogicOperation] == 0 && !(w && w->hasFocus()))
        return QString();
    return QString::fromStdString(
        LogicChannel(b[static_cast<std::size_t>(byte)], byte == kLogicOutput ? 0 : b[kLogicOperation], byte));
}

void LogicPage::showBlocks() {
    for (const FormRow& row : kRows)
        if (row.kind == ControlKind::Field)
            showRow(row);
}

void LogicPage::follow() {
    // A key in one field can change the marks of the other input and what the whole row shows.
    showBlocks();
}

void LogicPage::moveRow(const FormRow& row, int step) {
    const int r = row.fact->index / kLogicBytes + step;
    if (r < 0 || r >= kLogicRowsPerPage)
        return;
    const std::size_t column = static_cast<std::size_t>(&row - kRows.data()) % 4;
    control(kRows[4 * static_cast<std::size_t>(r) + column].control)->setFocus(Qt::TabFocusReason);
}

bool LogicPage::keyed(const FormRow& row, int keyCode) {
    if (keyCode == vk::kUp || keyCode == vk::kDown) {
        moveRow(row, keyCode == vk::kUp ? -1 : 1);
        return true;
    }
    Workspace& ws = ctx_.ws;
    const auto block = static_cast<std::size_t>(blockOf(row));
    const std::optional<LogicRecord> after = LogicKey(ws.cfg.LogicBlocks[block], byteOf(row), keyCode);
    if (!after)
        return true;
    // The marks follow at once: the matrix redraws every channel whose mark changed.
    ws.change(
        [&](Configuration& cfg) {
            cfg.LogicBlocks[block] = *after;
            CheckLogic(cfg);
        },
        EditMark::Always);
    showBlocks();
    if (auto* f = control<LockedField>(row.control))
        f->showEntry(focus_.FirstKey);
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
            if (isEnter(key) && (key->modifiers() & Qt::ShiftModifier)) {
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
