#include "ui/editor/form/companion_view.h"

#include <QLayout>
#include <QWidget>
#include <utility>

#include "ui/editor/form/editor_page.h"

namespace korvane {

CompanionView::CompanionView(QWidget* page, const char* viewName, std::initializer_list<QWidget*> room,
                             std::function<int()> key)
    : page_(page), viewName_(viewName), room_(room), key_(std::move(key)) {}

EditorPage* CompanionView::view() const {
    QWidget* window = page_->parentWidget();
    return window ? window->findChild<EditorPage*>(QLatin1String(viewName_), Qt::FindDirectChildrenOnly) : nullptr;
}

void CompanionView::toggle() {
    const int key = key_();
    if (key < 0)
        return;
    openFor_ = shown_ ? -1 : key;
    show(!shown_);
    if (QWidget* first = shown_ ? view()->focusControl() : nullptr)
        first->setFocus(Qt::OtherFocusReason);
}

void CompanionView::refill() {
    const int key = key_();
    show(key >= 0 && key == openFor_);
}

void CompanionView::close() {
    openFor_ = -1;
    show(false);
}

void CompanionView::show(bool shown) {
    EditorPage* v = view();
    if (shown && v) {
        for (QWidget* w : room_)
            w->hide();
        // The window gives the view the room at once: it must not grow for a moment when both count.
        page_->layout()->activate();
        if (QLayout* outer = EditorOf(page_)->layout())
            outer->activate();
        // The page's other controls stay at the top, the view right under them.
        page_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        shown_ = true;
        v->fill();
        v->show();
        return;
    }
    // The view goes first, then the room's controls come back.
    if (std::exchange(shown_, false) && v)
        v->hide();
    page_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    for (QWidget* w : room_)
        w->show();
}

} // namespace korvane
