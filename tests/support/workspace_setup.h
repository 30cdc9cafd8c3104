#pragma once
// A test's set-up writes the workspace's configuration directly: what it puts in place is where the
// test starts, not an edit (no undo step, DataChanged and the windows as they were).

#include "app/workspace.h"

namespace korvane {

inline Configuration& ConfigurationForSetUp(Workspace& ws) {
    return ws.cfg_;
}

} // namespace korvane
