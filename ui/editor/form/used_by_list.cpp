#include "ui/editor/form/used_by_list.h"

#include "app/plain_text.h"
#include "model/channel_types.h"
#include "model/logic.h"
#include "model/text_ids.h"
#include "ui/editor/form/page_host.h"

namespace korvane {

namespace {

// At most this many lines; the rest are counted on the last.
constexpr int kMostLines = 12;

} // namespace

QString ChannelWords(const Workspace& ws, int channel) {
    QString words = QString::fromStdString(Num_2_Channel(channel)) + QLatin1Char(' ') +
                    ws.text(TypeNameText(ws.typeOf(channel) & kTypeMask));
    const QString description = FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(channel)]).simplified();
    if (!description.isEmpty())
        words += QStringLiteral(" »") + description + QStringLiteral("«");
    return words;
}

QString ReferenceWords(const Workspace& ws, const ChannelReference& ref) {
    QString who, what;
    switch (ref.kind) {
    case ReferenceKind::ChannelField:
        who = ChannelWords(ws, ref.from);
        what = ws.text(ref.fact->caption);
        break;
    case ReferenceKind::MasterTarget:
        who = ChannelWords(ws, ref.from);
        what = ws.text(ref.action == ReferenceAction::On ? kTxtRefSwitchesOn : kTxtRefSwitchesOff);
        break;
    case ReferenceKind::FlashPattern:
        who = ChannelWords(ws, ref.from);
        what = ws.text(kTxtRefFlashes);
        break;
    case ReferenceKind::RollerMaster:
        who = ChannelWords(ws, ref.from);
        what = ws.text(kTxtRefMovesBlind);
        break;
    case ReferenceKind::LogicOutput:
    case ReferenceKind::LogicInput1:
    case ReferenceKind::LogicInput2: {
        who = ws.text(kTxtLogicBlock) + QLatin1Char(' ') + QString::number(ref.from + 1);
        what = ref.kind == ReferenceKind::LogicOutput
                   ? ws.text(kTxtRefLogicOutput)
                   : ws.text(kTxtRefLogicInput).arg(ref.kind == ReferenceKind::LogicInput1 ? 1 : 2);
        static const std::pair<ReferenceAction, int> kMarks[] = {{ReferenceAction::Inverted, kTxtRefInverted},
                                                                 {ReferenceAction::RisingEdge, kTxtRefRising},
                                                                 {ReferenceAction::FallingEdge, kTxtRefFalling}};
        for (const auto& [action, text] : kMarks)
            if (ref.action == action)
                what += QStringLiteral(", ") + ws.text(text);
        break;
    }
    case ReferenceKind::ExchangeMask:
        who = ws.text(kTxtExchangeMaskCaption);
        what = ws.text(kTxtRefExchange);
        break;
    case ReferenceKind::MultiplexerClaim:
    case ReferenceKind::TimeOutputClaim:
    case ReferenceKind::CounterClaim:
        who = ws.text(kTxtMenuBasicSetup) + QStringLiteral(", ") + ws.text(ref.fact->caption);
        what = ws.text(kTxtRefClaims);
        break;
    }
    QString line = who + QStringLiteral(": ") + what;
    if (!ref.inEffect)
        line += QLatin1Char(' ') + ws.text(kTxtRefIdle);
    return line;
}

UsedByList::UsedByList(AppContext& ctx, PageHost& host, QWidget* parent) : QLabel(parent), ctx_(ctx), host_(host) {
    setObjectName(QStringLiteral("L_UsedBy"));
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) { open(link.toInt()); });
}

void UsedByList::fill(int channel) {
    const Workspace& ws = ctx_.ws;
    refs_ = ReferencesTo(ws.cfg, channel);
    lines_.clear();
    // Each line is one reference as a link to its page; every text in it is escaped, so a
    // description shows as it stands. The plain lines are kept beside it (kPlainTextProperty).
    QStringList plain{ws.text(kTxtUsedBy)};
    QString html = QStringLiteral("<b>") + plain.back().toHtmlEscaped() + QStringLiteral("</b>");
    if (refs_.empty()) {
        plain << ws.text(kTxtUsedByNone);
        html += QStringLiteral("<br>") + plain.back().toHtmlEscaped();
    }
    for (std::size_t k = 0; k < refs_.size(); ++k) {
        lines_ << ReferenceWords(ws, refs_[k]);
        if (static_cast<int>(k) < kMostLines) {
            plain << lines_.back();
            html += QStringLiteral("<br><a href=\"%1\">%2</a>").arg(k).arg(plain.back().toHtmlEscaped());
        }
    }
    if (static_cast<int>(refs_.size()) > kMostLines) {
        plain << QStringLiteral("\u2026 (%1)").arg(refs_.size());
        html += QStringLiteral("<br>") + plain.back();
    }
    setProperty(kPlainTextProperty, plain.join(QLatin1Char('\n')));
    setText(html);
}

void UsedByList::open(int k) {
    if (k < 0 || k >= static_cast<int>(refs_.size()))
        return;
    const ChannelReference ref = refs_[static_cast<std::size_t>(k)];
    switch (ref.kind) {
    case ReferenceKind::LogicOutput:
    case ReferenceKind::LogicInput1:
    case ReferenceKind::LogicInput2:
        ctx_.ws.edit.CurLogicBlock = ref.from / kLogicRowsPerPage;
        host_.openPageOf(QStringLiteral("logic"), -1);
        break;
    case ReferenceKind::ExchangeMask:
        host_.openPageOf(QStringLiteral("Exchange"), -1);
        break;
    case ReferenceKind::MultiplexerClaim:
    case ReferenceKind::TimeOutputClaim:
    case ReferenceKind::CounterClaim:
        host_.openPageOf(QStringLiteral("mainsetup"), -1);
        break;
    default:
        host_.openPageOf(QString(), ref.from);
        break;
    }
}

} // namespace korvane
