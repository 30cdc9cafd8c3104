#pragma once
// The name of an edit as Undo and Redo show it ("B1 Roller blind: Reverse time 1500 ms"): its first
// difference in the user's words, through the facts' captions, with the value it leaves.

#include <QString>
#include <vector>

#include "model/differences.h"

namespace korvane {

class Workspace;

// The differences an edit made, in the user's words' order (none for bookkeeping bytes alone).
std::vector<Difference> StepDifferences(const Configuration& before, const Configuration& after);
// The edit's name: the first difference's heading, what changed and the value after it, "…" where it
// changed more; empty without a difference.
QString StepName(const std::vector<Difference>& differences, const Workspace& ws);

} // namespace korvane
