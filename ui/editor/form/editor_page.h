#pragma once
// An editor page: a frame whose controls are made from a table of rows and bound to the model.
//
// fill() shows the model (it never changes it); every edit goes through the workspace's write path,
// which marks the configuration changed and announces it. A page that needs more than its rows
// overrides the few hooks: the value a row shows, how a value is stored, where Enter goes, and what
// follows a stored edit (controls shown or hidden).

#include <QByteArray>
#include <QFrame>
#include <QString>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/context.h"
#include "ui/editor/form/form_row.h"
#include "ui/editor/form/page_host.h"
#include "ui/editor/form/row_table.h"
#include "ui/editor/locked_field.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QColor;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace korvane {

class KeptCounter;

// What a page made of a number typed into a Number row when Enter took it.
enum class NumberTaken {
    Accepted, // stored: the field shows it and Enter moves on
    Refused,  // nothing stored: the field keeps the text, turns red and keeps the focus
    Replaced, // another value stored (a bound): the field shows it, turns red and keeps the focus
};

class EditorPage : public QFrame {
    Q_OBJECT
public:
    EditorPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const char* name, QWidget* parent = nullptr);

    // Whether this page is the one for the page key (empty: a channel page) and the channel's type.
    virtual bool shows(const QString& pageKey, int type) const = 0;
    // Range repairs the page makes before it shows the model (through the write path, not marked
    // as the user's change). Most pages have none.
    virtual void prepare() {}
    // Model -> widgets: captions in the current language and every value as stored.
    virtual void fill();
    // The control that takes the keyboard when the page opens, or nullptr.
    virtual QWidget* focusControl() { return nullptr; }
    // The window caption while the page is shown; empty keeps the caption.
    virtual QString caption() const { return QString(); }
    // Another page shown under this one, filled by this one (the trigger times of a master function).
    virtual EditorPage* companion() const { return nullptr; }
    // Runs the leaving rules of the page's focused control, as leaving it would: the configuration
    // is about to be saved, written or printed while the focus is still in the field.
    void commitPendingEdits();

    QWidget* control(const char* name) const;
    // The control of the page that edits the value or text (a problem's field), or nullptr.
    QWidget* controlOf(const ValueFact* fact, const TextFact* textFact) const;
    template <class T> T* control(const char* name) const { return qobject_cast<T*>(control(name)); }
    std::span<const FormRow> rows() const { return rows_; }

    // The tenths of a typed number ('.' or the window's decimal point), or nothing.
    std::optional<long> typedTenths(const QString& text) const;
    // A Number row's value as its field shows it, in the window's decimal notation ("24,5" in German).
    QString shownNumber(const FormRow& row) const;
    // Draws a Number field red (refused) or in the normal text colour.
    static void setRefused(QWidget* field, bool refused);
    // The objectName of an option button of the row.
    static QByteArray elementName(const FormRow& row, const ListItem& item);

protected:
    // Makes the controls of the rows and lays them out: caption, control and unit label one line
    // each, in the order of the table, in the page or in the row's sub-frame. Indexed rows stand for
    // a row per index of their table, which lays out its cells.
    void build(std::span<const FormRow> rows);
    // The control of another index of an indexed row's declaration (the same place across), or nullptr.
    QWidget* cell(const FormRow& declared, int index, int place = 0) const;
    // The sub-frame with the given name (made on first use, laid out in the page in that order).
    QFrame* frame(const char* name);
    QGridLayout* gridOf(QWidget* frameOrPage);
    // Adds a control of the page's own (a grid, a button) as a line of a frame's grid.
    void addLine(QWidget* frameOrPage, QWidget* widget, QLabel* caption = nullptr);
    // Puts the named controls (rows or option buttons), each with its caption and unit label, side by
    // side on the line of the first one: a time as hours, minutes and seconds, a pair of limits.
    void joinLine(std::initializer_list<const char*> names);
    // A button of the page's own (not a row) with F1's help and its language text; Enter presses it.
    // It stands at the end of the line of the control `beside`, or where the page lays it out.
    QPushButton* addButton(const char* name, int help, const char* tag, int text, const char* beside = nullptr);
    // The page's own lines, with `under` below them, stand in a column beside `wide`, which takes the
    // page's height (a grid beside its settings and legend).
    void setLinesBeside(QWidget* wide, QWidget* under);
    // The page's own lines stand under `wide`, which takes the page's height, and `between`.
    void setLinesUnder(QWidget* wide, QWidget* between);
    // Escape on a control of the page presses this button (the way back) while it shows.
    void setEscapeButton(QPushButton* button) { escapeButton_ = button; }

    // The caption the row shows: its own, or its value's as the value's rule gives it here.
    int captionOf(const FormRow& row) const;
    // The value the row's control shows.
    virtual int shownValue(const FormRow& row) const;
    // Stores a value chosen or typed in the row's control. The default stores the row's fact.
    virtual void store(const FormRow& row, int value, EditMark mark);
    // Where Enter goes from the row's control (nullptr: nowhere).
    virtual QWidget* successor(const FormRow& row);
    // After a stored edit of the row.
    virtual void stored(const FormRow& /*row*/) {}
    // After fill() and after every stored edit: the controls the model shows, hides or enables.
    virtual void follow() {}
    // A control of this page got the focus.
    virtual void entered(const FormRow& /*row*/, QWidget* /*control*/, Qt::FocusReason /*reason*/) {}
    // A key in a locked field that the page's own rule handles; true when the page took it.
    virtual bool keyed(const FormRow& /*row*/, int /*keyCode*/) { return false; }
    // The text a locked field shows (the default: the fact's format of the shown value).
    virtual QString fieldText(const FormRow& row) const;
    // The focus left a control of this page (to another window too): its leaving rules run here.
    virtual void left(const FormRow& /*row*/) {}
    // A key of a locked field that its rule gives no meaning (0 for keys without a code).
    virtual void keyRefused(const FormRow& /*row*/, int /*keyCode*/) {}
    // Enter in a Number row: the typed text. The default takes a number within the fact's range.
    virtual NumberTaken takeNumber(const FormRow& row, const QString& text);
    // Whether the leaving rules run for commitPendingEdits (the focus stays where it is).
    bool committing() const { return committing_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Shows one row's value again (after the model changed outside the row's own control).
    void showRow(const FormRow& row);
    const FormRow* rowOf(const QObject* control) const;
    // Moves the focus to where Enter goes from the row: its successor, or the main window.
    void goNext(const FormRow& row);
    // A control of the page by name, the channel description, or any control of the window.
    QWidget* find(const char* name) const;

    // What several pages' own rules share.
    // Whether the event is Return or Enter pressed (whatever the modifiers).
    static bool isEnterPress(const QEvent* event);
    // Whether the row is the control's of that name.
    static bool isRow(const FormRow& row, const char* name);
    // Up or Down in an indexed row's cell: the focus to the same place of the index above or below,
    // where there is one that takes it.
    void stepCell(const FormRow& row, int step);
    // A locked field of the row shows the entry being typed (after a page's own rule took a key).
    void showEntry(const FormRow& row);
    // A field whose value stands but is odd: drawn in the colour while there are reasons, which its
    // tooltip gives under the hint.
    void markField(QWidget* field, const QStringList& why, const QColor& colour, const QString& hint = QString());

    AppContext& ctx_;
    PageHost& host_;
    FieldFocus& focus_;
    bool filling_ = false;

private:
    // Where a row's control goes: the grid of the page's or its sub-frame's lines, on its next line.
    struct Place {
        QWidget* lines;
        QGridLayout* grid;
        int line;
    };
    enum class CaptionPlace { Beside, Above };
    // One maker per kind of control; each binds the control to its row and lays it out.
    void makeControl(const FormRow& row);
    QWidget* makeField(const FormRow& row, const Place& at);
    QWidget* makeCheck(const FormRow& row, const Place& at);
    QWidget* makeList(const FormRow& row, const Place& at);
    QWidget* makeText(const FormRow& row, const Place& at);
    QWidget* makeMultiText(const FormRow& row, const Place& at);
    // A text field where more can be typed than the unit keeps shows a counter beside it.
    static bool countsKept(const FormRow& row);
    void addCounter(const FormRow& row, const Place& at, QWidget* field, KeptCounter* counter);
    QWidget* makeOption(const FormRow& row, const Place& at); // nullptr: one control per button
    QWidget* makeLabel(const FormRow& row, const Place& at);
    QWidget* makeNumber(const FormRow& row, const Place& at);
    // What every control of a row shares: F1's help, the tooltip and the page's key filter.
    void bindControl(const FormRow& row, QWidget* control);
    // The row's caption label, or nullptr where it has none.
    QLabel* makeCaption(const FormRow& row, const Place& at, CaptionPlace where);
    // The caption at the start of the line, beside the control.
    QLabel* placeBeside(const FormRow& row, const Place& at, QWidget* control);
    // The control and its unit label from the column on.
    QHBoxLayout* placeWithUnit(const FormRow& row, const Place& at, QWidget* control, int column);
    // The caption over the whole line and the control under it (or on the line, without a caption).
    void placeUnder(const FormRow& row, const Place& at, QWidget* control);
    void showList(const FormRow& row, QComboBox* box, int value);
    void numberEntered(const FormRow& row, QLineEdit* edit);
    void storeText(const FormRow& row, const QString& text, bool leaving);
    void leave(const FormRow& row, QObject* control);
    // Up or Down (Left or Right) on an option button: the next one in the table's order.
    void stepOption(const FormRow& row, QAbstractButton* from, int step);
    // A key on a button of a pair of options that keys choose; true when it chose the other one.
    bool chooseOther(const FormRow& row, QAbstractButton* from, int keyCode);

    std::span<const FormRow> rows_;
    std::unique_ptr<RowTables> tables_;
    QWidget* lines_ = nullptr; // the grid of the page's own lines
    bool committing_ = false;
    std::map<QString, QWidget*> controls_;
    std::map<const FormRow*, QLabel*> captions_;
    std::map<const FormRow*, QLabel*> units_;
    std::map<QString, QFrame*> frames_;
    std::map<const FormRow*, QButtonGroup*> optionGroups_;
    std::vector<KeptCounter*> counters_;
    std::vector<std::pair<QPushButton*, int>> buttons_; // the page's own buttons and their texts
    QPushButton* escapeButton_ = nullptr;
    // A list with its caption: beside it, or under it where the line is too narrow for both.
    struct ListLine {
        QLabel* caption;
        QHBoxLayout* list;
        QComboBox* box;
        int line;
        bool under;
    };
    std::vector<ListLine> listLines_;
    void placeList(ListLine& line, bool under);
    void placeLists();
};

// Windows-1252 text with CR LF line breaks as a multi-line box shows it, and back.
QString TextForBox(const std::string& stored);
// The editor (F_options) a control stands in, a pane of the main window or a window of its own.
QWidget* EditorOf(QWidget* w);
std::string TextFromBox(const QString& shown);

} // namespace korvane
