#pragma once
// A page shown in the room of some of another page's controls: the trigger times of a master function
// in place of its grid and legend. The view is the page's sibling in the window (found by its
// objectName); it stays open for the key (a channel) it was opened for while the window is refilled.

#include <functional>
#include <initializer_list>
#include <vector>

class QWidget;

namespace korvane {

class EditorPage;

class CompanionView {
public:
    // key: what the view is opened for now (a channel), or -1 while it may not show.
    CompanionView(QWidget* page, const char* viewName, std::initializer_list<QWidget*> room, std::function<int()> key);

    EditorPage* view() const;
    bool shown() const { return shown_; }
    // Opens the view with the keyboard in it, or closes it where it is open.
    void toggle();
    // After a refill: the view again where it was open for the same key, else the room.
    void refill();
    void close();

private:
    void show(bool shown);

    QWidget* page_;
    const char* viewName_;
    std::vector<QWidget*> room_;
    std::function<int()> key_;
    bool shown_ = false;
    int openFor_ = -1;
};

} // namespace korvane
