#include "ui/editor/form/companion_view.h"

#include <QLayout>
#include <QWidget>
#include <utility>

#include "ui/editor/form/editor_page.h"

namespace korvane {

CompanionView::CompanionView(QWidget* page, const char* viewName, std::initializer_list<QWidget*> room)
    : page_(page), viewName_(viewName), room_(room) {}

EditorPage* CompanionView::view() const {
    QWidget* window = page_->parentWidget();
    return window ? window->findChild<EditorPage*>(QLatin1String(viewName_), Qt::FindDirectChildrenOnly) : nullptr;
}

void CompanionView::toggle(int key) {
    openFor_ = shown_ ? -1 : key;
    show(!shown_);
}

void CompanionView::refill(int key, bool may) {
    show(may && openFor_ == key);
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
        if (QLayout* outer = page_->window()->layout())
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
