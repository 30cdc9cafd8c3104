#pragma once
// What a page of the editor window asks of the window around it: handing the keyboard to the main
// window, redrawing the matrix, the group pop-up menu, the channel description, a new language and
// the intruder siren's flash pattern.

#include <QPoint>
#include <QString>

class QWidget;

namespace korvane {

class PageHost {
public:
    virtual ~PageHost() = default;
    // Restores the main window and gives it the focus.
    virtual void focusMainWindow() = 0;
    // Redraws every cell of the main window's matrix (claimed channels, number of channels).
    virtual void redrawMatrix() = 0;
    // Shows the main window's group menu at the mouse, without its "off" entry when asked.
    virtual void showGroupMenu(const QPoint& globalPos, bool offOffered) = 0;
    // The description field of the channel pages, where several chains end.
    virtual QWidget* descriptionField() = 0;
    // The texts of the current language were loaded again.
    virtual void languageApplied() = 0;
    // The flash pattern of the intruder siren on the current channel: the grid takes the place of
    // the siren's page until it is closed.
    virtual void openFlashPattern() = 0;
    virtual void closeFlashPattern() = 0;
    virtual bool flashPatternShown() const = 0;
    // Opens the page of something that refers to a channel: the page of a channel (key empty; it
    // becomes the current channel) or a system page ("logic" on the page CurLogicBlock names,
    // "mainsetup", "Exchange").
    virtual void openPageOf(const QString& pageKey, int channel) = 0;
};

// What the editor window asks of the main window.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    virtual QWidget* widget() = 0;
    // Shows the group menu M_master at the mouse, with or without its "off" entry.
    virtual void popupGroupMenu(const QPoint& globalPos, bool offOffered) = 0;
};

} // namespace korvane
