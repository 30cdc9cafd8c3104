#include "ui/editor/pages/alarm_page.h"

#include <QRadioButton>

namespace korvane {

AlarmPage::AlarmPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const AlarmPageSpec& spec, QWidget* parent)
    : EditorPage(ctx, host, focus, spec.page, parent), spec_(spec) {
    build(spec_.rows);
    const FormRow& options = spec_.rows.front();
    for (const AlarmFunctionPlace& place : spec_.places)
        if (place.tag)
            if (QWidget* b = option(place.code))
                SetHelpContext(b, options.help, QLatin1String(place.tag));
}

bool AlarmPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && placeOf(type) != nullptr;
}

const AlarmFunctionPlace* AlarmPage::placeOf(int code) const {
    for (const AlarmFunctionPlace& place : spec_.places)
        if (place.code == code)
            return &place;
    return nullptr;
}

QWidget* AlarmPage::option(int code) const {
    const QByteArray name = QByteArray(spec_.rows.front().control) + '_' + QByteArray::number(code);
    return control(name.constData());
}

QWidget* AlarmPage::focusControl() {
    return option(function());
}

void AlarmPage::store(const FormRow& row, int value, EditMark mark) {
    if (!isOptionRow(row)) {
        EditorPage::store(row, value, mark);
        return;
    }
    // Choosing a function counts as an edit also when it is the channel's function already.
    const int c = ctx_.ws.curChannel();
    ctx_.ws.change([&](Configuration& cfg) { ChooseAlarmFunction(cfg, c, value); }, EditMark::Always);
}

void AlarmPage::stored(const FormRow& row) {
    // Another function reads other bytes: every field shows the model again.
    if (isOptionRow(row)) {
        prepare();
        fill();
    }
}

QWidget* AlarmPage::successor(const FormRow& row) {
    if (isOptionRow(row)) {
        // Enter on an option moves to the first field of its function.
        const AlarmFunctionPlace* place = placeOf(function());
        return place && place->field ? find(place->field) : nullptr;
    }
    return EditorPage::successor(row);
}

void AlarmPage::follow() {
    const Configuration& cfg = ctx_.ws.cfg;
    const int c = ctx_.ws.curChannel();
    const AlarmFunctionPlace* current = placeOf(function());
    for (const AlarmFunctionPlace& place : spec_.places) {
        if (QWidget* b = option(place.code))
            b->setEnabled(FunctionOffered(cfg, *spec_.family, c, place.code));
        // Each sub-frame is set once to its final state: the one holding the focus is never hidden
        // and shown again.
        if (place.frame)
            frame(place.frame)->setVisible(current && current->frame && qstrcmp(current->frame, place.frame) == 0);
    }
}

} // namespace korvane
