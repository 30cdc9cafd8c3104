#pragma once
// A page shown in the room of some of another page's controls: the trigger times of a master function
// in place of its grid and legend. The view is the page's sibling in the window (found by its
// objectName); it stays open for the key (a channel) it was opened for while the window is refilled.

#include <initializer_list>
#include <vector>

class QWidget;

namespace korvane {

class EditorPage;

class CompanionView {
public:
    CompanionView(QWidget* page, const char* viewName, std::initializer_list<QWidget*> room);

    EditorPage* view() const;
    bool shown() const { return shown_; }
    // Opens the view for the key, or closes it where it is open.
    void toggle(int key);
    // After a refill: the view again where it was open for this key and still may show, else the room.
    void refill(int key, bool may);
    void close();

private:
    void show(bool shown);

    QWidget* page_;
    const char* viewName_;
    std::vector<QWidget*> room_;
    bool shown_ = false;
    int openFor_ = -1;
};

} // namespace korvane
