#pragma once
// What a page of the editor window asks of the window around it: the main window's menu entries,
// handing the keyboard to the main window, redrawing the matrix, and the group pop-up menu.

#include <QPoint>

class QAction;
class QWidget;

namespace korvane {

class PageHost {
public:
    virtual ~PageHost() = default;
    // A menu entry of the main window by its name, or nullptr.
    virtual QAction* mainAction(const char* name) = 0;
    // Restores the main window and gives it the focus.
    virtual void focusMainWindow() = 0;
    // Redraws every cell of the main window's matrix (claimed channels, number of channels).
    virtual void redrawMatrix() = 0;
    // Shows the main window's group menu M_master at the mouse, without M_gruppeOff when asked.
    virtual void showGroupMenu(const QPoint& globalPos, bool offOffered) = 0;
    // The description field of the channel pages, where several chains end.
    virtual QWidget* descriptionField() = 0;
};

} // namespace korvane
