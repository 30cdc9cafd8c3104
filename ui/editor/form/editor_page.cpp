#include "ui/editor/form/editor_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "app/plain_text.h"
#include "app/texts.h"
#include "model/analog.h"
#include "model/field_rules.h"
#include "ui/editor/form/form_layout.h"
#include "ui/editor/form/kept_counter.h"
#include "ui/editor/form/typing_limit.h"

namespace korvane {

namespace {

constexpr int kUnknownItem = -1; // item data of the "?" entry of a value a list cannot show
const char* const kValueProperty = "korvaneValue";
const char* const kRefusedProperty = "korvaneRefused";
constexpr int kNumberChars = 10; // a typed number: sign, six digits, separator, decimals

QString itemText(const Workspace& ws, const ListItem& item) {
    return item.text != 0 ? ws.text(item.text) : QLatin1String(item.fixed ? item.fixed : "");
}

} // namespace

QWidget* EditorOf(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (p->objectName() == QLatin1String("F_options"))
            return p;
    return w->window();
}

QString TextForBox(const std::string& stored) {
    QString shown = FromCp1252(stored);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::string TextFromBox(const QString& shown) {
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToCp1252(text);
}

EditorPage::EditorPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const char* name, QWidget* parent)
    : QFrame(parent), ctx_(ctx), host_(host), focus_(focus) {
    setObjectName(QString::fromUtf8(name));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    // The page's own lines come first, above its sub-frames.
    lines_ = new QWidget(this);
    NewFormGrid(lines_);
    v->addWidget(lines_);
}

QWidget* EditorPage::control(const char* name) const {
    const auto it = controls_.find(QString::fromUtf8(name));
    return it == controls_.end() ? nullptr : it->second;
}

void EditorPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && escapeButton_ &&
        escapeButton_->isVisibleTo(this)) {
        escapeButton_->click();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void EditorPage::build(std::span<const FormRow> rows) {
    tables_ = std::make_unique<RowTables>(rows);
    rows_ = tables_->rows();
    for (const FormRow& row : rows_)
        makeControl(row);
    tables_->layOut([this](const char* name) { return control(name); });
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
}

QWidget* EditorPage::cell(const FormRow& declared, int index, int place) const {
    return control(CellName(declared.control, index, place).constData());
}

void EditorPage::makeControl(const FormRow& row) {
    QWidget* parent = row.frame ? static_cast<QWidget*>(frame(row.frame)) : static_cast<QWidget*>(this);
    QWidget* lines = parent == this ? lines_ : parent;
    QGridLayout* grid = gridOf(lines);
    const Place at{lines, grid, grid->rowCount()};
    // In the order of ControlKind.
    using Maker = QWidget* (EditorPage::*)(const FormRow&, const Place&);
    static constexpr Maker kMakers[] = {&EditorPage::makeField, &EditorPage::makeCheck,     &EditorPage::makeList,
                                        &EditorPage::makeText,  &EditorPage::makeMultiText, &EditorPage::makeOption,
                                        &EditorPage::makeLabel, &EditorPage::makeNumber};
    static_assert(std::size(kMakers) == static_cast<std::size_t>(ControlKind::Number) + 1);
    QWidget* made = (this->*kMakers[static_cast<std::size_t>(row.kind)])(row, at);
    if (!made)
        return; // an option array: each button is made and bound with the others
    made->setObjectName(QString::fromUtf8(row.control));
    if (row.kind != ControlKind::Label)
        bindControl(row, made);
    controls_[made->objectName()] = made;
}

void EditorPage::bindControl(const FormRow& row, QWidget* control) {
    if (row.tag)
        SetHelpContext(control, row.help, QLatin1String(row.tag));
    else if (row.captionText())
        SetHelpContextText(control, row.help, row.captionText());
    else
        SetHelpContext(control, row.help, QString::fromUtf8(row.control));
    if (row.hint)
        control->setToolTip(QLatin1String(row.hint));
    else if (row.fact && row.fact->entry != ValueEntry::None)
        control->setToolTip(QString::fromStdString(RangeHint(*row.fact)));
    else
        control->setToolTip(QString());
    control->installEventFilter(this);
}

QWidget* EditorPage::makeField(const FormRow& row, const Place& at) {
    auto* f = new LockedField(at.lines);
    f->setMaximumWidth(64);
    f->display = [this, &row] { return fieldText(row); };
    f->onKey = [this, f, &row](int code) {
        if (keyed(row, code))
            return;
        const std::optional<int> v = EnterKey(*row.fact, shownValue(row), code, focus_.FirstKey);
        if (!v) {
            keyRefused(row, code);
            return;
        }
        // Every key a rule accepts counts as an edit, also one that keeps the value. The keys of
        // one entry into the field are one undo step.
        {
            const EditEntry entry(ctx_.ws, f);
            store(row, *v, EditMark::Always);
        }
        f->refresh();
        f->showEntry(focus_.FirstKey);
        stored(row);
        follow();
    };
    f->onEnter = [this, &row] { goNext(row); };
    placeBeside(row, at, f);
    placeWithUnit(row, at, f, 1);
    return f;
}

QWidget* EditorPage::makeCheck(const FormRow& row, const Place& at) {
    auto* box = new QCheckBox(at.lines);
    connect(box, &QCheckBox::clicked, this, [this, &row](bool on) {
        store(row, on ? 1 : 0, EditMark::IfChanged);
        stored(row);
        follow();
    });
    placeWithUnit(row, at, box, 0);
    return box;
}

QWidget* EditorPage::makeList(const FormRow& row, const Place& at) {
    auto* box = new QComboBox(at.lines);
    // As wide as its longest item: no choice is shown cut.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (const ListItem& item : row.choices())
        box->addItem(QString(), item.value);
    connect(box, &QComboBox::activated, this, [this, box, &row](int index) {
        const int value = box->itemData(index).toInt();
        if (value == kUnknownItem)
            return;
        store(row, value, EditMark::IfChanged);
        showList(row, box, shownValue(row));
        stored(row);
        follow();
    });
    QLabel* l = placeBeside(row, at, box);
    QHBoxLayout* h = placeWithUnit(row, at, box, 1);
    if (l) {
        // The next line stays free for the list, should its line be too narrow for caption and list.
        at.grid->setRowMinimumHeight(at.line + 1, 0);
        listLines_.push_back({l, h, box, at.line, false});
    }
    return box;
}

QWidget* EditorPage::makeText(const FormRow& row, const Place& at) {
    auto* edit = new QLineEdit(at.lines);
    // The limit holds what is typed or pasted; a longer stored text is shown whole, never cut.
    if (row.textFact->maxChars > 0)
        edit->setValidator(new TypingLimit(
            row.textFact->maxChars,
            [this, &row] {
                const Workspace& w = ctx_.ws;
                return FromCp1252(ReadText(*row.textFact, w.cfg, w.ownerOf(*row.textFact)));
            },
            nullptr, edit));
    connect(edit, &QLineEdit::inputRejected, this, [this] { ctx_.dialogs.beep(); });
    // No wider than the longest text it takes (a line of 80 characters where there is no limit): a
    // wide window does not stretch it further.
    const int chars = row.textFact->maxChars > 0 ? row.textFact->maxChars + 2 : 80;
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * chars + 12);
    connect(edit, &QLineEdit::textEdited, this, [this, &row](const QString& text) { storeText(row, text, false); });
    placeUnder(row, at, edit);
    if (countsKept(row))
        addCounter(row, at, edit, new KeptCounter(edit, UnitKeeps(*row.textFact), at.lines));
    return edit;
}

QWidget* EditorPage::makeMultiText(const FormRow& row, const Place& at) {
    auto* edit = new QPlainTextEdit(at.lines);
    edit->setTabChangesFocus(true);
    edit->setMinimumHeight(60);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, &row] {
        if (filling_)
            return;
        const int limit = row.textFact->maxChars;
        const Workspace& w = ctx_.ws;
        const std::string& stored = ReadText(*row.textFact, w.cfg, w.ownerOf(*row.textFact));
        const std::size_t typed = TextFromBox(edit->toPlainText()).size();
        if (limit > 0 && typed > stored.size() && typed > static_cast<std::size_t>(limit)) {
            // Beyond the limit: what was typed or pasted is taken back.
            const int back = static_cast<int>(typed - stored.size());
            const int cursor = std::max(0, edit->textCursor().position() - back);
            filling_ = true;
            edit->setPlainText(TextForBox(stored));
            QTextCursor c = edit->textCursor();
            c.setPosition(std::min(cursor, static_cast<int>(edit->toPlainText().size())));
            edit->setTextCursor(c);
            filling_ = false;
            ctx_.dialogs.beep();
            return;
        }
        storeText(row, edit->toPlainText(), false);
    });
    placeUnder(row, at, edit);
    if (countsKept(row))
        addCounter(row, at, edit,
                   new KeptCounter(
                       edit, UnitKeeps(*row.textFact),
                       [edit] { return static_cast<int>(TextFromBox(edit->toPlainText()).size()); }, at.lines));
    return edit;
}

bool EditorPage::countsKept(const FormRow& row) {
    // Where the field lets the user type more than the unit keeps.
    const int kept = UnitKeeps(*row.textFact);
    return row.textFact->maxChars == 0 || row.textFact->maxChars > kept;
}

void EditorPage::addCounter(const FormRow& row, const Place& at, QWidget* field, KeptCounter* counter) {
    counter->setObjectName(QString::fromUtf8(row.control) + QStringLiteral("_kept"));
    int line = at.line, column = 0, rows = 0, columns = 0;
    if (const int i = at.grid->indexOf(field); i >= 0)
        at.grid->getItemPosition(i, &line, &column, &rows, &columns);
    at.grid->addWidget(counter, line, 3, Qt::AlignLeft | Qt::AlignTop);
    counters_.push_back(counter);
}

QWidget* EditorPage::makeOption(const FormRow& row, const Place& at) {
    // One button per item, in one column in the order of the table: Up and Down step through them.
    // The buttons are one exclusive group wherever the layout puts them, so exactly one is ticked.
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    optionGroups_[&row] = group;
    int k = 0;
    if (QLabel* l = makeCaption(row, at, CaptionPlace::Above))
        at.grid->addWidget(l, at.line + k++, 0, 1, 3);
    for (const ListItem& item : row.choices()) {
        auto* b = new QRadioButton(at.lines);
        b->setObjectName(QString::fromUtf8(elementName(row, item)));
        b->setProperty(kValueProperty, item.value);
        bindControl(row, b);
        group->addButton(b);
        controls_[b->objectName()] = b;
        connect(b, &QRadioButton::clicked, this, [this, &row, value = item.value] {
            store(row, value, EditMark::Always);
            stored(row);
            follow();
        });
        at.grid->addWidget(b, at.line + k++, 0, 1, 3);
    }
    return nullptr;
}

QWidget* EditorPage::makeLabel(const FormRow& row, const Place& at) {
    auto* l = new QLabel(at.lines);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    captions_[&row] = l;
    at.grid->addWidget(l, at.line, 0, 1, 3);
    return l;
}

QWidget* EditorPage::makeNumber(const FormRow& row, const Place& at) {
    auto* edit = new QLineEdit(at.lines);
    edit->setMaxLength(kNumberChars);
    SelectAllOnClick(edit);
    edit->setMaximumWidth(80);
    placeBeside(row, at, edit);
    placeWithUnit(row, at, edit, 1);
    return edit;
}

QWidget* EditorPage::controlOf(const ValueFact* fact, const TextFact* textFact) const {
    for (const FormRow& row : rows_) {
        if (row.kind == ControlKind::Label || !((fact && row.fact == fact) || (textFact && row.textFact == textFact)))
            continue;
        if (QWidget* w = control(row.control))
            return w;
        // An option array: its first button.
        for (const ListItem& item : row.choices())
            if (QWidget* w = control(elementName(row, item).constData()))
                return w;
    }
    return nullptr;
}

const FormRow* EditorPage::rowOf(const QObject* control) const {
    QString name = control->objectName();
    for (const FormRow& row : rows_) {
        const QString rowName = QString::fromUtf8(row.control);
        if (name == rowName || (row.kind == ControlKind::Option && name.startsWith(rowName + QLatin1Char('_'))))
            return &row;
        if (row.kind == ControlKind::Option)
            for (const ListItem& item : row.choices())
                if (item.name && name == QString::fromUtf8(item.name))
                    return &row;
    }
    return nullptr;
}

QString EditorPage::fieldText(const FormRow& row) const {
    return FromCp1252(FormatValue(*row.fact, shownValue(row)));
}

QByteArray EditorPage::elementName(const FormRow& row, const ListItem& item) {
    if (item.name)
        return QByteArray(item.name);
    return QByteArray(row.control) + '_' + QByteArray::number(item.value);
}

std::optional<long> EditorPage::typedTenths(const QString& text) const {
    // The window's decimal point, and "." as well.
    const QChar point = DecimalPoint(ctx_.ws);
    const char separator = point.unicode() < 128 ? point.toLatin1() : '.';
    return ParseTenths(ToCp1252(text), separator);
}

QString EditorPage::shownNumber(const FormRow& row) const {
    QString shown = QString::fromStdString(FormatValue(*row.fact, shownValue(row)));
    if (row.fact->format == ValueFormat::Tenths)
        shown.replace(QLatin1Char('.'), DecimalPoint(ctx_.ws));
    return shown;
}

void EditorPage::setRefused(QWidget* field, bool refused) {
    QPalette p = field->palette();
    p.setColor(QPalette::Text, refused ? QColor(Qt::red) : field->parentWidget()->palette().color(QPalette::Text));
    field->setPalette(p);
    field->setProperty(kRefusedProperty, refused);
}

NumberTaken EditorPage::takeNumber(const FormRow& row, const QString& text) {
    const std::optional<long> v = typedTenths(text);
    if (!row.fact || !v || *v < row.fact->minimum || *v > row.fact->maximum)
        return NumberTaken::Refused;
    store(row, static_cast<int>(*v), EditMark::IfChanged);
    return NumberTaken::Accepted;
}

int EditorPage::shownValue(const FormRow& row) const {
    const int value = row.fact ? ctx_.ws.value(*row.fact) : 0;
    if (const auto choices = row.choices(); row.pair && choices.size() == 2 && value != choices[0].value)
        return choices[1].value;
    return value;
}

void EditorPage::store(const FormRow& row, int value, EditMark mark) {
    if (row.fact)
        ctx_.ws.setValue(*row.fact, value, mark);
}

void EditorPage::storeText(const FormRow& row, const QString& text, bool leaving) {
    Workspace& ws = ctx_.ws;
    const int c = ws.ownerOf(*row.textFact);
    std::string bytes = row.kind == ControlKind::MultiText ? TextFromBox(text) : ToCp1252(text);
    // A box left as it was shown keeps the stored line ends (a lone CR or LF of a file) until edited.
    const std::string& storedText = ReadText(*row.textFact, ws.cfg, c);
    if (row.kind == ControlKind::MultiText && text == TextForBox(storedText))
        bytes = storedText;
    if (leaving)
        StripQuotes(bytes);
    {
        // The characters typed into the box while it has the focus are one undo step.
        const EditEntry entry(ws, control(row.control));
        ws.change([&](Configuration& cfg) { StoreText(*row.textFact, cfg, c, bytes); });
    }
    if (leaving)
        showRow(row);
    stored(row);
}

void EditorPage::showList(const FormRow& row, QComboBox* box, int value) {
    (void)row;
    const int unknown = box->findData(kUnknownItem);
    if (unknown >= 0)
        box->removeItem(unknown);
    const int index = box->findData(value);
    if (index >= 0) {
        box->setCurrentIndex(index);
        return;
    }
    // A value no item stands for is shown as "?" and kept until the user chooses an item.
    box->addItem(QStringLiteral("?"), kUnknownItem);
    box->setCurrentIndex(box->count() - 1);
}

void EditorPage::showRow(const FormRow& row) {
    const Workspace& ws = ctx_.ws;
    QWidget* w = control(row.control);
    switch (row.kind) {
    case ControlKind::Field:
        static_cast<LockedField*>(w)->refresh();
        break;
    case ControlKind::Check:
        static_cast<QCheckBox*>(w)->setChecked(shownValue(row) != 0);
        break;
    case ControlKind::List:
        showList(row, static_cast<QComboBox*>(w), shownValue(row));
        break;
    case ControlKind::Text: {
        const QString shown = FromCp1252(ReadText(*row.textFact, ws.cfg, ws.ownerOf(*row.textFact)));
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != shown)
            edit->setText(shown);
        break;
    }
    case ControlKind::MultiText: {
        const QString shown = TextForBox(ReadText(*row.textFact, ws.cfg, ws.ownerOf(*row.textFact)));
        auto* edit = static_cast<QPlainTextEdit*>(w);
        if (edit->toPlainText() != shown) {
            const bool wasFilling = filling_;
            filling_ = true;
            edit->setPlainText(shown);
            filling_ = wasFilling;
        }
        break;
    }
    case ControlKind::Option: {
        const int value = shownValue(row);
        bool shown = false;
        for (const ListItem& item : row.choices())
            if (auto* b = control<QRadioButton>(elementName(row, item).constData()))
                if (item.value == value) {
                    b->setChecked(true);
                    shown = true;
                }
        // A value no button stands for leaves none ticked, not the one ticked before.
        QButtonGroup* group = optionGroups_.at(&row);
        if (!shown && group->checkedButton()) {
            group->setExclusive(false);
            group->checkedButton()->setChecked(false);
            group->setExclusive(true);
        }
        break;
    }
    case ControlKind::Label:
        break;
    case ControlKind::Number: {
        auto* edit = static_cast<QLineEdit*>(w);
        edit->setText(shownNumber(row));
        setRefused(edit, false);
        break;
    }
    }
}

void EditorPage::placeList(ListLine& l, bool under) {
    if (under == l.under)
        return;
    l.under = under;
    auto* grid = qobject_cast<QGridLayout*>(l.caption->parentWidget()->layout());
    grid->removeItem(l.list);
    l.list->setParent(nullptr); // a layout is taken into a layout only without a parent
    grid->removeWidget(l.caption);
    if (under) {
        grid->addWidget(l.caption, l.line, 0, 1, 3);
        l.list->setContentsMargins(12, 0, 0, 0);
        grid->addLayout(l.list, l.line + 1, 0, 1, 3);
    } else {
        grid->addWidget(l.caption, l.line, 0);
        l.list->setContentsMargins(0, 0, 0, 0);
        grid->addLayout(l.list, l.line, 1, 1, 2);
    }
}

void EditorPage::placeLists() {
    // A list stands beside its caption; where the window is too narrow for both, the widest lists go
    // on the line under their captions, indented, until the page fits: no choice is ever shown cut.
    if (listLines_.empty())
        return;
    QWidget* editor = EditorOf(this);
    const QMargins m = editor->layout() ? editor->layout()->contentsMargins() : QMargins();
    const int room = editor->width() - m.left() - m.right();
    std::vector<ListLine*> widest;
    for (ListLine& l : listLines_) {
        placeList(l, false);
        widest.push_back(&l);
    }
    auto lineWidth = [](const ListLine* l) {
        return l->caption->minimumSizeHint().width() + l->box->sizeHint().width();
    };
    std::stable_sort(widest.begin(), widest.end(),
                     [&](const ListLine* a, const ListLine* b) { return lineWidth(a) > lineWidth(b); });
    auto pageMinimum = [this] {
        // The layouts keep what they measured: every one measures again.
        for (QLayout* l : findChildren<QLayout*>()) {
            l->invalidate();
            if (l->parentWidget() && l->parentWidget()->layout() == l)
                l->parentWidget()->updateGeometry();
        }
        layout()->invalidate();
        return layout()->totalMinimumSize().width();
    };
    for (ListLine* l : widest) {
        if (pageMinimum() <= room)
            break;
        placeList(*l, true);
    }
}

int EditorPage::captionOf(const FormRow& row) const {
    if (row.caption != 0 || !row.fact)
        return row.captionText();
    // The value's caption as its rule gives it for the configuration and the channel shown.
    return CaptionOf(*row.fact, ctx_.ws.cfg, ctx_.ws.ownerOf(*row.fact));
}

void EditorPage::fill() {
    const Workspace& ws = ctx_.ws;
    filling_ = true;
    for (KeptCounter* c : counters_)
        c->setWords(ws.text(kTxtUnitKeepsChars).arg(c->kept()));
    if (tables_)
        tables_->fill(ws);
    for (const FormRow& row : rows_) {
        if (auto it = captions_.find(&row); it != captions_.end())
            it->second->setText(ws.text(captionOf(row)));
        if (auto it = units_.find(&row); it != units_.end())
            it->second->setText(ws.text(row.unitText()));
        if (row.kind == ControlKind::Check && captionOf(row))
            control<QCheckBox>(row.control)->setText(ws.text(captionOf(row)));
        if (row.kind == ControlKind::List || row.kind == ControlKind::Option) {
            for (const ListItem& item : row.choices()) {
                if (row.kind == ControlKind::Option) {
                    if (auto* b = control<QRadioButton>(elementName(row, item).constData()))
                        b->setText(itemText(ws, item));
                    continue;
                }
                auto* box = control<QComboBox>(row.control);
                const int index = box->findData(item.value);
                if (index >= 0)
                    box->setItemText(index, itemText(ws, item));
            }
        }
        showRow(row);
    }
    for (auto& [button, text] : buttons_)
        button->setText(ws.text(text));
    placeLists();
    follow();
    filling_ = false;
}

QWidget* EditorPage::find(const char* name) const {
    if (!name)
        return nullptr;
    if (qstrcmp(name, kToDescription) == 0)
        return host_.descriptionField();
    if (QWidget* w = control(name))
        return w;
    return window()->findChild<QWidget*>(QString::fromUtf8(name));
}

QWidget* EditorPage::successor(const FormRow& row) {
    if (row.enter)
        return qstrcmp(row.enter, kToMain) == 0 ? nullptr : find(row.enter);
    // The next row of the table that can take the focus.
    bool after = false;
    for (const FormRow& next : rows_) {
        if (&next == &row) {
            after = true;
            continue;
        }
        if (!after || next.kind == ControlKind::Label)
            continue;
        QWidget* w = control(next.control);
        if (next.kind == ControlKind::Option) {
            w = nullptr;
            for (const ListItem& item : next.choices())
                if (item.value == shownValue(next))
                    w = control(elementName(next, item).constData());
        }
        if (w && w->isVisibleTo(this) && w->isEnabled())
            return w;
    }
    return nullptr;
}

void EditorPage::numberEntered(const FormRow& row, QLineEdit* edit) {
    const NumberTaken taken = takeNumber(row, edit->text());
    if (taken != NumberTaken::Refused) {
        showRow(row);
        stored(row);
        follow();
    }
    if (taken == NumberTaken::Accepted) {
        goNext(row);
        return;
    }
    setRefused(edit, true);
    edit->selectAll();
}

void EditorPage::stepOption(const FormRow& row, QAbstractButton* from, int step) {
    // The next button of the table's order that can be chosen; the arrows choose as they move, as
    // option buttons do, so the focus and the choice never part.
    std::vector<QAbstractButton*> buttons;
    for (const ListItem& item : row.choices())
        if (auto* b = control<QAbstractButton>(elementName(row, item).constData()))
            buttons.push_back(b);
    const auto at = std::find(buttons.begin(), buttons.end(), from);
    if (at == buttons.end())
        return;
    for (auto i = at - buttons.begin() + step; i >= 0 && i < static_cast<long>(buttons.size()); i += step) {
        QAbstractButton* next = buttons[static_cast<std::size_t>(i)];
        if (!next->isVisibleTo(this) || !next->isEnabled())
            continue;
        const bool choose = from->isChecked();
        next->setFocus(Qt::TabFocusReason);
        if (choose)
            next->click();
        return;
    }
}

bool EditorPage::chooseOther(const FormRow& row, QAbstractButton* from, int keyCode) {
    // Any key but those that move or press chooses the other option: the focus goes with the choice.
    static constexpr int kOwnKeys[] = {Qt::Key_Return, Qt::Key_Enter,   Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space,
                                       Qt::Key_Shift,  Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta,    Qt::Key_F1};
    if (std::ranges::find(kOwnKeys, keyCode) != std::end(kOwnKeys))
        return false;
    for (const ListItem& item : row.choices())
        if (auto* other = control<QAbstractButton>(elementName(row, item).constData()); other && other != from) {
            other->setFocus(Qt::TabFocusReason);
            other->click();
            return true;
        }
    return false;
}

void EditorPage::goNext(const FormRow& row) {
    if (QWidget* next = successor(row))
        next->setFocus(Qt::TabFocusReason);
    else
        host_.focusMainWindow();
}

void EditorPage::leave(const FormRow& row, QObject* control) {
    // What leaving a field settles (a minimum, a completed period) belongs to what was typed into
    // it: one undo step with it, so that undoing the entry does not leave the settling to be redone.
    const EditEntry entry(ctx_.ws, control);
    // A number is taken by Enter only: leaving shows the stored value again.
    if (row.kind == ControlKind::Number)
        showRow(row);
    if (row.kind == ControlKind::Text)
        storeText(row, static_cast<QLineEdit*>(control)->text(), true);
    else if (row.kind == ControlKind::MultiText)
        storeText(row, static_cast<QPlainTextEdit*>(control)->toPlainText(), true);
    left(row);
}

void EditorPage::commitPendingEdits() {
    QWidget* focused = window()->focusWidget();
    if (!focused || !isAncestorOf(focused) || filling_)
        return;
    if (const FormRow* row = rowOf(focused)) {
        committing_ = true;
        leave(*row, focused);
        committing_ = false;
    }
}

bool EditorPage::eventFilter(QObject* watched, QEvent* event) {
    const FormRow* row = rowOf(watched);
    if (!row)
        return QFrame::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (auto* line = qobject_cast<QLineEdit*>(watched);
        line && !line->isReadOnly() && (type == QEvent::ShortcutOverride || type == QEvent::KeyPress)) {
        // A free text's own keys: Ctrl+End and Ctrl+Home go to the end and the start (with Shift they
        // select), before any shortcut; after its own undo or redo the selection is drawn as it is.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool toEnd =
            key->matches(QKeySequence::MoveToEndOfDocument) || key->matches(QKeySequence::SelectEndOfDocument);
        const bool toStart =
            key->matches(QKeySequence::MoveToStartOfDocument) || key->matches(QKeySequence::SelectStartOfDocument);
        if (toEnd || toStart) {
            event->accept();
            if (type == QEvent::KeyPress) {
                const bool select = key->modifiers() & Qt::ShiftModifier;
                toEnd ? line->end(select) : line->home(select);
            }
            return true;
        }
        if (type == QEvent::KeyPress && (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)))
            QTimer::singleShot(0, line, [line] { line->update(); });
    }
    if (type == QEvent::FocusIn) {
        entered(*row, static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)->reason());
        return false;
    }
    if (type == QEvent::FocusOut) {
        // Leaving a free text: the stored text loses its double quotes.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || filling_)
            return false;
        leave(*row, watched);
        return false;
    }
    if (type != QEvent::KeyPress || row->kind == ControlKind::Field)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (row->kind == ControlKind::Option) {
        const int k = key->key();
        const int step = k == Qt::Key_Up || k == Qt::Key_Left ? -1 : k == Qt::Key_Down || k == Qt::Key_Right ? 1 : 0;
        if (step != 0) {
            stepOption(*row, static_cast<QAbstractButton*>(watched), step);
            return true;
        }
        if (row->keysChoose && chooseOther(*row, static_cast<QAbstractButton*>(watched), k))
            return true;
    }
    if (isEnterPress(key) && row->kind == ControlKind::Number) {
        numberEntered(*row, static_cast<QLineEdit*>(watched));
        return true;
    }
    if (isEnterPress(key)) {
        // In a multi-line text Enter starts a new line; Shift+Enter moves on.
        if (row->kind == ControlKind::MultiText && !(key->modifiers() & Qt::ShiftModifier))
            return false;
        goNext(*row);
        return true;
    }
    // Typing into a list does not choose an item: the list keeps showing the stored value.
    if (row->kind == ControlKind::List && !key->text().isEmpty() && key->text().at(0).isPrint())
        return true;
    return false;
}

bool EditorPage::isEnterPress(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool EditorPage::isRow(const FormRow& row, const char* name) {
    return qstrcmp(row.control, name) == 0;
}

void EditorPage::stepCell(const FormRow& row, int step) {
    if (QWidget* w = cell(*row.declared, row.at + step, row.place); w && w->isEnabled())
        w->setFocus(Qt::TabFocusReason);
}

void EditorPage::showEntry(const FormRow& row) {
    if (auto* f = control<LockedField>(row.control))
        f->showEntry(focus_.FirstKey);
}

void EditorPage::markField(QWidget* field, const QStringList& why, const QColor& colour, const QString& hint) {
    QPalette pal = field->palette();
    pal.setColor(QPalette::Text, why.isEmpty() ? palette().color(QPalette::Text) : colour);
    field->setPalette(pal);
    QStringList lines = why;
    if (!hint.isEmpty())
        lines.prepend(hint);
    field->setToolTip(PlainToolTip(lines.join(QLatin1Char('\n'))));
}

} // namespace korvane
