#include "tests/support/page_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <cstring>
#include <map>
#include <string>

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
    page_ = shown;
    return shown;
}

EditorPage* PageFixture::openChannel(int c, int type) {
    byte(c, kRowType) = static_cast<Byte>(type);
    ws.edit.CurChannel = c;
    return open(QString(), type);
}

void PageFixture::commit() {
    for (EditorPage* p : pages)
        if (p->isVisible())
            p->commitPendingEdits();
    channelPart->commitPendingEdits();
}

QString PageFixture::text(const QString& name) {
    QWidget* w = get(name);
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return box->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    auto* line = qobject_cast<QLineEdit*>(w);
    return line ? line->text() : QString();
}

void PageFixture::type(const QString& name, const char* keys) {
    focus(get(name));
    static const std::map<std::string, Qt::Key> named{{"Up", Qt::Key_Up},     {"Down", Qt::Key_Down},
                                                      {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
                                                      {"End", Qt::Key_End},   {"Backspace", Qt::Key_Backspace}};
    for (const char* k = keys; *k; ++k) {
        QWidget* target = QApplication::focusWidget();
        const char* close = *k == '{' ? std::strchr(k, '}') : nullptr;
        if (close) {
            QTest::keyClick(target, named.at(std::string(k + 1, close)));
            k = close;
        } else if (*k == '~') {
            QTest::keyClick(target, Qt::Key_Delete);
        } else if (*k == '\n') {
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QTest::keyClick(target, *k);
        }
    }
}

QString PageFixture::focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

void PageFixture::focus(QWidget* w) {
    QApplication::setActiveWindow(w->window());
    w->setFocus(Qt::TabFocusReason);
    fieldFocus->Object_focus(w);
}

} // namespace korvane::test
