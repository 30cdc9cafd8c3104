#include "ui/editor/form/row_table.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "app/plain_text.h"
#include "app/workspace.h"
#include "ui/editor/locked_field.h"

namespace korvane {

namespace {

bool hasPattern(const char* name) {
    return name && QByteArray(name).contains('%');
}

// The objectName of a heading or number label in block b.
QString blockName(const char* name, int block) {
    const QString n = QString::fromUtf8(name);
    return block == 0 ? n : n + QStringLiteral("_%1").arg(block);
}

QLabel* tableLabel(QWidget* parent, const QString& name, Qt::Alignment align, double scale) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    if (scale != 1.0) {
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * scale);
        l->setFont(f);
    }
    return l;
}

// Takes a control out of the grid where build() made it, with the line of its own it stood in.
void takeOut(QGridLayout* grid, QWidget* w) {
    for (int i = 0; i < grid->count(); ++i) {
        QLayoutItem* item = grid->itemAt(i);
        if (item->widget() == w) {
            delete grid->takeAt(i);
            return;
        }
        QLayout* inner = item->layout();
        if (!inner || inner->indexOf(w) < 0)
            continue;
        inner->removeWidget(w);
        bool empty = true;
        for (int k = 0; k < inner->count(); ++k)
            empty = empty && !inner->itemAt(k)->widget();
        if (empty)
            delete grid->takeAt(i);
        return;
    }
}

// The line of the grid item that holds the control, directly or in a line of its own.
int lineOf(QGridLayout* grid, QWidget* w) {
    for (int i = 0; i < grid->count(); ++i) {
        QLayoutItem* item = grid->itemAt(i);
        if (item->widget() == w || (item->layout() && item->layout()->indexOf(w) >= 0)) {
            int line = 0, column = 0, lines = 0, columns = 0;
            grid->getItemPosition(i, &line, &column, &lines, &columns);
            return line;
        }
    }
    return grid->rowCount();
}

} // namespace

QByteArray CellName(const char* pattern, int i, int j) {
    QByteArray name(pattern);
    name.replace("%1", QByteArray::number(i));
    name.replace("%2", QByteArray::number(i + 1));
    name.replace("%3", QByteArray::number(j));
    return name;
}

RowTables::RowTables(std::span<const FormRow> declared) : declared_(declared) {
    for (std::size_t k = 0; k < declared.size();) {
        const FormRow& row = declared[k];
        if (!row.table) {
            rows_.push_back(row);
            ++k;
            continue;
        }
        // The indexed rows of one table: its columns, spelled out a row of the table at a time.
        std::size_t end = k;
        while (end < declared.size() && declared[end].table == row.table)
            ++end;
        const RowTable& t = *row.table;
        for (int n = 0; n < t.count; ++n) {
            const int i = t.first + n;
            for (std::size_t c = k; c < end; ++c) {
                const FormRow& d = declared[c];
                for (int j = 0; j < d.across; ++j) {
                    FormRow r = d;
                    r.control = names_.emplace_back(CellName(d.control, i, j)).constData();
                    if (hasPattern(d.label))
                        r.label = names_.emplace_back(CellName(d.label, i, j)).constData();
                    if (hasPattern(d.unitLabel))
                        r.unitLabel = names_.emplace_back(CellName(d.unitLabel, i, j)).constData();
                    if (d.factAt)
                        r.fact = d.factAt(i, j);
                    if (d.textAt)
                        r.textFact = d.textAt(i);
                    // Enter goes on to the next row; from the last where the declaration says.
                    if (n + 1 < t.count || j + 1 < d.across)
                        r.enter = nullptr;
                    // The caption of a column stands once, above the table.
                    if (n > 0 || j > 0)
                        r.caption = kNoCaption;
                    r.at = i;
                    r.place = j;
                    r.declared = &d;
                    rows_.push_back(r);
                }
            }
        }
        tables_.push_back(Laid{.spec = &t, .cells = {}, .headings = {}, .headed = {}, .named = {}});
        k = end;
    }
    for (Laid& t : tables_)
        for (const FormRow& r : rows_)
            if (r.table == t.spec)
                t.cells.push_back(&r);
}

void RowTables::layOut(const std::function<QWidget*(const char*)>& control) {
    for (Laid& t : tables_)
        if (t.spec->laid)
            layOut(t, control);
}

void RowTables::layOut(Laid& t, const std::function<QWidget*(const char*)>& control) {
    const RowTable& s = *t.spec;
    const int columns = static_cast<int>(t.cells.size()) / s.count;
    QWidget* first = control(t.cells.front()->control);
    QWidget* holder = first->parentWidget();
    auto* outer = qobject_cast<QGridLayout*>(holder->layout());
    const int at = lineOf(outer, first);

    auto* table = new QWidget(holder);
    auto* g = new QGridLayout(table);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);
    g->setHorizontalSpacing(s.spacing);

    // Each block: the number, the cells (a gap before one of them), then a column that parts the blocks.
    const int numbered = s.number ? 1 : 0;
    const int gaps = s.gap >= 0 ? 1 : 0;
    const int blockWidth = numbered + columns + gaps + 1;
    auto columnOf = [&](int block, int column) {
        return block * blockWidth + numbered + column + (s.gap >= 0 && column >= s.gap ? 1 : 0);
    };
    bool groups = false, singles = false;
    for (const TableHeading& h : s.headings)
        (h.group ? groups : singles) = true;
    const int top = (groups ? 1 : 0) + (singles ? 1 : 0);
    const int perBlock = (s.count + s.blocks - 1) / s.blocks;

    for (int b = 0; b < s.blocks; ++b) {
        for (const TableHeading& h : s.headings) {
            QLabel* l =
                tableLabel(table, blockName(h.name, b), Qt::AlignCenter, h.group ? s.groupScale : s.headingScale);
            // A heading of one column is never wider than its column: the fields under it widen instead.
            if (!h.group)
                l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            g->addWidget(l, h.group || !groups ? 0 : 1, columnOf(b, h.column), 1,
                         columnOf(b, h.column + h.span - 1) - columnOf(b, h.column) + 1);
            t.headings.emplace_back(l, &h);
        }
        const int parting = (b + 1) * blockWidth - 1;
        if (b + 1 < s.blocks)
            g->setColumnMinimumWidth(parting, 8);
        g->setColumnStretch(parting, s.stretch ? 0 : 1);
    }
    if (s.gap >= 0)
        for (int b = 0; b < s.blocks; ++b)
            g->setColumnMinimumWidth(columnOf(b, s.gap) - 1, 6);

    for (std::size_t k = 0; k < t.cells.size(); ++k) {
        const FormRow& r = *t.cells[k];
        const int n = r.at - s.first;
        const int block = s.down ? n / perBlock : n % s.blocks;
        const int line = top + (s.down ? n % perBlock : n / s.blocks);
        const int column = static_cast<int>(k) % columns;
        QWidget* w = control(r.control);
        takeOut(outer, w);
        if (r.kind == ControlKind::Check) {
            // The focus shows as a frame around the box; the tick stays visible.
            w->setStyleSheet(QStringLiteral("QCheckBox { spacing: 0px; padding: 1px; border: 1px solid transparent; }"
                                            "QCheckBox:focus { border: 1px solid palette(highlight); }"));
            g->addWidget(w, line, columnOf(block, column), Qt::AlignCenter);
        } else {
            g->addWidget(w, line, columnOf(block, column));
        }
        if (r.kind == ControlKind::Field && s.fieldMinimum > 0) {
            w->setMinimumWidth(s.fieldMinimum);
            w->setMaximumWidth(s.fieldMaximum > 0 ? s.fieldMaximum : QWIDGETSIZE_MAX);
        }
        if (s.stretch)
            g->setColumnStretch(columnOf(block, column), 1);
        for (const TableHeading& h : s.headings) {
            if (h.group || h.column != column || h.span != 1)
                continue;
            if (r.kind == ControlKind::Field)
                t.headed.emplace_back(w, &h);
            if (w->toolTip().isEmpty())
                t.named.emplace_back(w, &h);
        }
        if (s.number && column == 0) {
            auto* number =
                tableLabel(table, QString::fromUtf8(CellName(s.number, r.at)), Qt::AlignRight | Qt::AlignVCenter, 1.0);
            number->setText(QString::number(r.at + 1));
            g->addWidget(number, line, block * blockWidth);
        }
    }
    outer->addWidget(table, at, 0, 1, 3);
}

void RowTables::fill(const Workspace& ws) {
    for (Laid& t : tables_) {
        for (auto& [label, h] : t.headings)
            label->setText(ws.text(h->text));
        for (auto& [w, h] : t.headed) {
            QFont f = w->font();
            f.setPointSizeF(f.pointSizeF() * t.spec->headingScale);
            const int wide = QFontMetrics(f).horizontalAdvance(ws.text(h->text)) + 2;
            w->setMinimumWidth(std::max(t.spec->fieldMinimum, wide));
        }
        for (auto& [w, h] : t.named)
            w->setToolTip(PlainToolTip(ws.text(h->text)));
    }
}

} // namespace korvane
