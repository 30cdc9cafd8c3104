#pragma once
// Loading and saving the configuration file named by DataFileLoc, with the settings and messages
// that go with it.

#include <QString>

#include "app/context.h"

class QWidget;

namespace korvane {

enum class LoadResult { Loaded, WrongSignature, Failed };

// Reads DataFileLoc into the model. A bad file leaves the model as it was and is reported with its
// name, line and reason; a file of another program (wrong signature) is reported with text 171 and
// leaves the blank configuration.
LoadResult LoadFile(AppContext& ctx, QWidget* parent);
// Writes the model to DataFileLoc. A failed save is reported, keeps the old file and DataChanged.
bool SaveFile(AppContext& ctx, QWidget* parent);
// Reads another file into `cfg` (a blank configuration first), leaving the workspace as it is. A file
// that cannot be read or is not a configuration file is reported as LoadFile reports it; false then.
bool ReadOtherFile(AppContext& ctx, QWidget* parent, const QString& path, Configuration& cfg);

} // namespace korvane
