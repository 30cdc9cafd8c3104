#pragma once
// Indexed rows and tables of like fields.
//
// An indexed row (a FormRow with a table) stands for one row per index of its table: the holiday
// periods' first months T_MonthStart_0 .. T_MonthStart_15 are one declaration, each with the fact of
// its period. The indexed rows that follow one another with the same table are its columns; Enter
// walks the table a row at a time, and goes from the last row where the declaration says. The table lays its cells out
// under its headings, a number before each row, in blocks side by side:
//
//     constexpr RowTable kPeriods{.count = 16, .blocks = 2, .number = "L_Period_%1", .headings = ...};
//     constexpr FormRow kRows[] = {
//         {.control = "T_MonthStart_%1", .kind = ControlKind::Field, .help = kHelpHolidayFromMonth,
//          .frame = "F_Holidays", .table = &kPeriods, .factAt = Each<facts::kHolidayFirstMonths>},
//         ...
//     };

#include <QByteArray>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "ui/editor/form/form_row.h"

class QGridLayout;
class QLabel;
class QWidget;

namespace korvane {

class Workspace;

// A heading over one or more columns of cells (counted from 0, numbers and gaps aside). Its
// objectName is as written in the first block and with "_b" after it in block b.
struct TableHeading {
    int text;
    const char* name;
    int column;
    int span = 1;
    bool group = false; // on a line above the headings of single columns
};

struct RowTable {
    int count;                    // rows of the table
    int first = 0;                // the index of its first row
    int blocks = 1;               // blocks of rows side by side
    bool down = true;             // a block fills downwards before the next; else a line at a time
    const char* number = nullptr; // objectName pattern of the label before each row that numbers it
    std::span<const TableHeading> headings = {};
    int gap = -1;              // a narrow empty column before this column of cells
    double headingScale = 1.0; // the font of the headings of single columns
    double groupScale = 1.0;   // the font of the group headings
    int fieldMinimum = 0;      // the width of a locked field: at least, and at most (0: any)
    int fieldMaximum = 0;
    bool stretch = false; // the columns share the page's width; else they keep their own
    int spacing = 3;      // between the columns
    bool laid = true;     // false: each row keeps a line of its own, as build() made it
};

// A name pattern of an indexed row for index i and place j.
QByteArray CellName(const char* pattern, int i, int j = 0);

// The rows of a page with every indexed row spelled out, and the tables they make.
class RowTables {
public:
    explicit RowTables(std::span<const FormRow> declared);

    // The declared rows themselves where none is indexed: a page may know its rows by address.
    std::span<const FormRow> rows() const { return tables_.empty() ? declared_ : std::span<const FormRow>(rows_); }
    // Moves each table's cells from the lines where they were made into the table, which takes the
    // line of its first cell.
    void layOut(const std::function<QWidget*(const char*)>& control);
    // The headings in the current language; a field never narrower than its column's heading, and a
    // cell without a tooltip of its own named by its heading.
    void fill(const Workspace& ws);

private:
    struct Laid {
        const RowTable* spec;
        std::vector<const FormRow*> cells;
        std::vector<std::pair<QLabel*, const TableHeading*>> headings;
        std::vector<std::pair<QWidget*, const TableHeading*>> headed; // cells under a heading of their own
        std::vector<std::pair<QWidget*, const TableHeading*>> named;  // cells the heading names
    };
    void layOut(Laid& table, const std::function<QWidget*(const char*)>& control);

    std::span<const FormRow> declared_;
    std::vector<FormRow> rows_;
    std::deque<QByteArray> names_;
    std::vector<Laid> tables_;
};

} // namespace korvane
