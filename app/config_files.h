#pragma once
// Loading and saving the configuration file named by DataFileLoc, with the settings and messages
// that go with it.

#include <QString>

#include "app/context.h"

class QWidget;

namespace korvane {

enum class LoadResult { Loaded, WrongSignature, Failed };

// Reads DataFileLoc into `cfg` (what the file does not hold keeps its value there); the caller puts it
// in the workspace (Workspace::replace). A bad file leaves `cfg` as it was and is reported with its name,
// line and reason; a file of another program (wrong signature) is reported with text 171 and leaves
// the blank configuration in `cfg`.
LoadResult LoadFile(AppContext& ctx, QWidget* parent, Configuration& cfg);
// Save: writes the document to DataFileLoc and then applies what the save changes in it (PrepareForSave)
// through the write path, one undo step when that changes anything. A failed save is reported and
// keeps the old file, the document and DataChanged as they were.
bool SaveFile(AppContext& ctx, QWidget* parent);
// Reads another file into `cfg` (a blank configuration first), leaving the workspace as it is. A file
// that cannot be read or is not a configuration file is reported as LoadFile reports it; false then.
bool ReadOtherFile(AppContext& ctx, QWidget* parent, const QString& path, Configuration& cfg);

} // namespace korvane
