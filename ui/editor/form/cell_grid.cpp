#include "ui/editor/form/cell_grid.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "app/plain_text.h"
#include "model/field_rules.h"
#include "pictures/icon_factory.h"
#include "ui/editor/form/page_host.h"
#include "ui/editor/form/used_by_list.h"

namespace korvane {

namespace {

constexpr int kGap = 1;       // between two cells
constexpr int kMinSide = 12;  // the smallest cell that still takes a click
constexpr int kHintSide = 18; // the side a cell asks for
constexpr int kMaxSide = 64;  // beyond this a grid only gets emptier
constexpr int kMinFontPx = 9;
constexpr int kLegendIconSize = 14;

} // namespace

CellGrid::CellGrid(AppContext& ctx, PageHost& host, int columns, const QStringList& columnCaptions, int cells,
                   const char* cellName, QWidget* parent)
    : QWidget(parent), ctx_(ctx), host_(host), columns_(columns) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    for (const QString& text : columnCaptions) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        captions_.push_back(l);
    }
    // Group by group; the first cell of a group brings the group's letter.
    for (int i = 0; i < cells; ++i) {
        if (i % columns_ == 0) {
            auto* l = new QLabel(QString(QChar('A' + static_cast<int>(letters_.size()))), this);
            l->setAlignment(Qt::AlignCenter);
            letters_.push_back(l);
        }
        auto* c = new MasterCell(i, QLatin1String(cellName) + QString::number(i), this);
        connect(c, &MasterCell::clicked, this, &CellGrid::clicked);
        connect(c, &MasterCell::rightPressed, this, &CellGrid::rightPressed);
        cells_.push_back(c);
    }
}

QWidget* CellGrid::makeKeyField(const char* name) {
    auto* keys = new GridKeys(parentWidget());
    keys->setObjectName(QLatin1String(name));
    keys->onKey = [this](int code) { key(code); };
    keys_ = keys;
    return keys;
}

void CellGrid::draw(int cell, bool cursor) {
    if (cell < 0 || cell >= static_cast<int>(cells_.size()))
        return;
    MasterCell* c = cells_[static_cast<std::size_t>(cell)];
    c->setPicture(rules_.picture(cell), cursor);
    const int channel = rules_.channel ? rules_.channel(cell) : -1;
    if (channel < 0 || channel >= kChannels) {
        c->setLabel(QString());
        c->setToolTip(QString());
        return;
    }
    const Workspace& ws = ctx_.ws;
    c->setLabel(FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(channel)]));
    QString tip = ChannelWords(ws, channel);
    if (rules_.stateWords)
        tip += QStringLiteral(": ") + rules_.stateWords(cell);
    c->setToolTip(PlainToolTip(tip));
}

void CellGrid::fill() {
    ctx_.ws.edit.MatrixCursor = 0;
    const int last = rules_.last();
    for (int i = 0; i < static_cast<int>(cells_.size()); ++i) {
        draw(i, i == 0);
        cells_[static_cast<std::size_t>(i)]->setVisible(i <= last);
    }
}

std::optional<int> CellGrid::moveWithinShown(int cursor, int code) const {
    const int last = rules_.last();
    switch (code) {
    case vk::kUp:
        return cursor < columns_ ? std::nullopt : std::optional<int>(cursor - columns_);
    case vk::kDown:
        return cursor > last - columns_ ? std::nullopt : std::optional<int>(cursor + columns_);
    case vk::kLeft:
        return cursor == 0 ? std::nullopt : std::optional<int>(cursor - 1);
    default:
        return cursor >= last ? std::nullopt : std::optional<int>(cursor + 1);
    }
}

void CellGrid::key(int code) {
    int& cur = ctx_.ws.edit.MatrixCursor;
    const int from = cur;
    auto step = [&](int arrow) {
        if (const std::optional<int> next = rules_.move ? rules_.move(cur, arrow) : moveWithinShown(cur, arrow))
            cur = *next;
        else
            ctx_.dialogs.beep();
    };
    auto set = [&](SetKey k) {
        rules_.set(cur, k);
        if (rules_.advance) {
            draw(cur, false);
            step(vk::kRight);
        }
    };
    switch (code) {
    case vk::kUp:
    case vk::kDown:
    case vk::kLeft:
    case vk::kRight:
        step(code);
        break;
    case vk::kEnter:
    case vk::kEscape:
        draw(cur, true);
        if (const auto& done = code == vk::kEnter ? rules_.enter : rules_.escape)
            done();
        return;
    case vk::k1:
    case vk::kPad1:
        set(SetKey::One);
        break;
    case vk::k0:
    case vk::kPad0:
        set(SetKey::Zero);
        break;
    case vk::kX:
        set(SetKey::X);
        break;
    default:
        break;
    }
    if (cur != from)
        draw(from, false);
    draw(cur, true);
}

void CellGrid::clicked(int cell) {
    int& cur = ctx_.ws.edit.MatrixCursor;
    keys_->setFocus(Qt::MouseFocusReason);
    draw(cur, false);
    cur = cell;
    rules_.click(cell);
    draw(cell, true);
}

void CellGrid::rightPressed(int cell, QPoint globalPos) {
    if (!rules_.groupMenuWithOff)
        return;
    ctx_.ws.edit.CurGroup = cell / columns_;
    host_.showGroupMenu(globalPos, rules_.groupMenuWithOff());
}

void CellGrid::setWidthFollowsHeight(bool follows) {
    widthFollowsHeight_ = follows;
    updateGeometry();
}

int CellGrid::groups() const {
    return std::max<int>(1, static_cast<int>(letters_.size()));
}

CellGrid::Measure CellGrid::measure(QSize room) const {
    // The captions take about as much room as a cell at first; their font then follows the cell and
    // the cell takes what the captions leave.
    auto sideFor = [&](int letterWidth, int captionHeight) {
        const int byWidth = widthFollowsHeight_ ? kMaxSide : (room.width() - letterWidth) / columns_ - kGap;
        const int byHeight = (room.height() - captionHeight) / groups() - kGap;
        return std::clamp(std::min(byWidth, byHeight), kMinSide, kMaxSide);
    };
    auto fontFor = [&](int side) {
        const int base = QFontInfo(font()).pixelSize();
        return std::clamp(side * 11 / 20, kMinFontPx, std::max(base, kMinFontPx) * 2);
    };
    auto fontOf = [this](int px) {
        QFont f = font();
        f.setPixelSize(px);
        return f;
    };
    Measure m{};
    m.fontPx = fontFor(kHintSide);
    for (int pass = 0; pass < 2; ++pass) {
        const QFontMetrics fm(fontOf(m.fontPx));
        m.letterWidth = fm.horizontalAdvance(QStringLiteral("M")) + 4;
        m.captionHeight = fm.height();
        m.side = sideFor(m.letterWidth, m.captionHeight);
        m.fontPx = fontFor(m.side);
        // A column caption never runs wider than its cell.
        for (QLabel* c : captions_)
            while (m.fontPx > kMinFontPx && QFontMetrics(fontOf(m.fontPx)).horizontalAdvance(c->text()) > m.side + kGap)
                --m.fontPx;
    }
    // The captions' room in the font they are drawn in; the cells take the rest.
    const QFontMetrics fm(fontOf(m.fontPx));
    m.letterWidth = fm.horizontalAdvance(QStringLiteral("M")) + 4;
    m.captionHeight = fm.height();
    m.side = sideFor(m.letterWidth, m.captionHeight);
    return m;
}

QSize CellGrid::sizeHint() const {
    const int side = widthFollowsHeight_ && height() > 0 ? measure(size()).side : kHintSide;
    const Measure m = measure(QSize(10000, 10000));
    return {m.letterWidth + columns_ * (side + kGap), m.captionHeight + groups() * (kHintSide + kGap)};
}

QSize CellGrid::minimumSizeHint() const {
    QFont f = font();
    f.setPixelSize(kMinFontPx);
    const QFontMetrics fm(f);
    return {fm.horizontalAdvance(QStringLiteral("M")) + 4 + columns_ * (kMinSide + kGap),
            fm.height() + groups() * (kMinSide + kGap)};
}

void CellGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int before = side_;
    place();
    if (widthFollowsHeight_ && side_ != before)
        updateGeometry();
}

void CellGrid::place() {
    const Measure m = measure(size());
    side_ = m.side;
    QFont f = font();
    f.setPixelSize(m.fontPx);
    const int step = m.side + kGap;
    for (std::size_t k = 0; k < captions_.size(); ++k) {
        captions_[k]->setFont(f);
        captions_[k]->setGeometry(m.letterWidth + static_cast<int>(k) * step - kGap, 0, step + kGap, m.captionHeight);
    }
    for (std::size_t g = 0; g < letters_.size(); ++g) {
        letters_[g]->setFont(f);
        letters_[g]->setGeometry(0, m.captionHeight + static_cast<int>(g) * step, m.letterWidth, m.side);
    }
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int col = static_cast<int>(i) % columns_;
        const int group = static_cast<int>(i) / columns_;
        cells_[i]->setGeometry(m.letterWidth + col * step, m.captionHeight + group * step, m.side, m.side);
    }
}

GridLegend::GridLegend(int perLine, int lineSpacing, QWidget* parent) : QWidget(parent), perLine_(perLine) {
    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    if (lineSpacing >= 0)
        g->setVerticalSpacing(lineSpacing);
    // The entries keep together, whatever the width: a gap between two entries of a line, the rest
    // of the width after the last.
    for (int k = 1; k < perLine; ++k)
        g->setColumnMinimumWidth(3 * k - 1, 12);
    g->setColumnStretch(3 * perLine - 1, 1);
}

QLabel* GridLegend::add(int picture, const QString& textName, const QString& pictureName) {
    auto* pic = new QLabel(this);
    pic->setObjectName(pictureName);
    pic->setPixmap(IconFactory::pixmap(picture, QSize(kLegendIconSize, kLegendIconSize), devicePixelRatioF()));
    auto* text = new QLabel(this);
    text->setObjectName(textName);
    text->setTextFormat(Qt::PlainText);
    const int k = static_cast<int>(entries_.size());
    auto* g = static_cast<QGridLayout*>(layout());
    g->addWidget(pic, k / perLine_, 3 * (k % perLine_));
    g->addWidget(text, k / perLine_, 3 * (k % perLine_) + 1);
    entries_.emplace_back(pic, text);
    return text;
}

void GridLegend::setTexts(const Workspace& ws, std::initializer_list<int> texts) {
    std::size_t k = 0;
    for (const int text : texts)
        entries_[k++].second->setText(ws.text(text));
}

void GridLegend::setSummary(const QString& text) {
    if (!summary_) {
        summary_ = new QLabel(this);
        summary_->setObjectName(QStringLiteral("L_GridCount"));
        summary_->setTextFormat(Qt::PlainText);
        auto* g = static_cast<QGridLayout*>(layout());
        g->addWidget(summary_, g->rowCount(), 0, 1, 3 * perLine_);
    }
    summary_->setText(text);
}

QString GridLegend::summary() const {
    return summary_ ? summary_->text() : QString();
}

void GridLegend::setEntryVisible(int entry, bool visible) {
    entries_[static_cast<std::size_t>(entry)].first->setVisible(visible);
    entries_[static_cast<std::size_t>(entry)].second->setVisible(visible);
}

} // namespace korvane
