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

} // namespace korvane
