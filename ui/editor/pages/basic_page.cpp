#include "ui/editor/pages/basic_page.h"

#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr FormRow kRows[] = {
    {.control = "L_GRUNDFUNK", .kind = ControlKind::Label, .caption = kTxtBasicFunction},
    {.control = "Chk_InvertMono",
     .kind = ControlKind::Check,
     .fact = &facts::kInvertMono,
     .help = kHelpInvertMono,
     .enter = kToDescription},
    {.control = "Chk_grundUseThief",
     .kind = ControlKind::Check,
     .fact = &facts::kFlipFlopIntruder,
     .help = kHelpFlipFlopIntruder,
     .enter = kToDescription},
};

} // namespace

BasicPage::BasicPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_BasicChtype_Setup", parent) {
    build(kRows);
}

bool BasicPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && (type == kTypeMono || type == kTypeBlank || type == kTypeFlipFlop);
}

int BasicPage::shownValue(const FormRow& row) const {
    // Each box shows byte 1 only on the type it belongs to.
    const Workspace& ws = ctx_.ws;
    const int type = ws.typeOf(ws.curChannel());
    if (row.fact == &facts::kInvertMono)
        return type == kTypeMono && MonoInverted(ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())]) ? 1 : 0;
    return type == kTypeFlipFlop && EditorPage::shownValue(row) == 1 ? 1 : 0;
}

void BasicPage::follow() {
    const int type = ctx_.ws.typeOf(ctx_.ws.curChannel());
    control("Chk_InvertMono")->setVisible(type == kTypeMono);
    control("Chk_grundUseThief")->setVisible(type == kTypeFlipFlop);
}

} // namespace korvane
