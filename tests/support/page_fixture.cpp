#include "tests/support/page_fixture.h"

#include <QApplication>
#include <QVBoxLayout>

#include "ui/editor/pages/page_list.h"

namespace korvane::test {

void PageFixture::SetUp() {
    settings_ = std::make_unique<Settings>(dir_.path() + QStringLiteral("/settings.ini"));
    for (int n = 0; n <= kLanguageTextCount; ++n)
        ws.LangText[static_cast<std::size_t>(n)] = QStringLiteral("T%1").arg(n);
    ctx = std::make_unique<AppContext>(AppContext{ws, *settings_, dialogs});
    fieldFocus = std::make_unique<FieldFocus>(ws);
    window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("F_options"));
    auto* layout = new QVBoxLayout(window.get());
    pages = MakeEditorPages(*ctx, host, *fieldFocus, window.get());
    for (EditorPage* p : pages) {
        p->hide();
        layout->addWidget(p);
    }
    channelPart = new ChannelPart(*ctx, host, *fieldFocus, window.get());
    layout->addWidget(channelPart);
    host.description = channelPart->description();
    window->show();
    QApplication::setActiveWindow(window.get());
}

void PageFixture::TearDown() {
    window.reset();
}

EditorPage* PageFixture::open(const QString& key, int type) {
    EditorPage* shown = nullptr;
    for (EditorPage* p : pages)
        if (!shown && p->shows(key, type))
            shown = p;
    for (EditorPage* p : pages)
        p->setVisible(p == shown);
    if (shown) {
        shown->prepare();
        shown->fill();
    }
    channelPart->setVisible(key.isEmpty());
    channelPart->fill();
    return shown;
}

void PageFixture::focus(QWidget* w) {
    QApplication::setActiveWindow(w->window());
    w->setFocus(Qt::TabFocusReason);
    fieldFocus->Object_focus(w);
}

} // namespace korvane::test
