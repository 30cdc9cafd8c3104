#pragma once
// File > Export channel list and File > Import descriptions: the channel list as a spreadsheet file,
// and the descriptions of such a file taken into the configuration after one confirmation.

#include <QString>

#include "app/context.h"

class QWidget;

namespace korvane {

class SpreadsheetCommands {
public:
    SpreadsheetCommands(AppContext& ctx, QWidget* dialogParent) : ctx_(ctx), parent_(dialogParent) {}

    // The save dialog, then the file (replaced only when written whole). False when cancelled or failed
    // (a failure is said).
    bool exportChannelList();
    // The open dialog, then the file's descriptions: the lines that cannot be read and the changes in the
    // words of the differences, one question, and the changes as one undo step. Nothing changes when the
    // question is answered No, the file cannot be read or changes nothing. True when something changed.
    bool importDescriptions();

    // The separator of the window's language: ';' where it writes a decimal comma.
    char separator() const;

private:
    AppContext& ctx_;
    QWidget* parent_;
};

} // namespace korvane
