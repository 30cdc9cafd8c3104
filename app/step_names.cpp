#include "app/step_names.h"

#include "app/context.h"

namespace korvane {

std::vector<Difference> StepDifferences(const Configuration& before, const Configuration& after) {
    return CompareFacts(before, after, CompareScope::File);
}

QString StepName(const std::vector<Difference>& differences, const Workspace& ws) {
    if (differences.empty())
        return QString();
    const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
    const DifferenceWords w = WordDifference(differences.front(), text);
    QString name = FromCp1252(w.heading) + QStringLiteral(": ");
    if (!w.what.empty())
        name += FromCp1252(w.what) + QLatin1Char(' ');
    name += FromCp1252(w.after);
    // An edit of several values (a group of targets, a type change) is named by its first.
    if (differences.size() > 1)
        name += QStringLiteral(" \u2026");
    return name.simplified();
}

} // namespace korvane
