#pragma once
// What the unit will cut, ignore or never do with a configuration: a table of rules over the facts,
// each with a stable name, a severity, the place it concerns and its words. The window's problems
// list, the question before a write, verify's verdict and `korvane-cli check` show the same rows.

#include <span>
#include <string>
#include <vector>

#include "model/value_facts.h"
#include "model/vocabulary.h"

namespace korvane {

enum class Severity : std::uint8_t {
    Cut,         // the unit keeps it only in part, or a save drops it
    WillNotWork, // the unit takes it, but it can never do what it says
    Note,        // worth knowing; nothing is lost
};

// Where a problem is: a channel, a logic block, the notes of a logic page, a holiday period, or a
// system area (its heading's language text in `number`).
enum class PlaceKind : std::uint8_t { Channel, LogicBlock, LogicPage, Holiday, System };
struct ProblemPlace {
    PlaceKind kind = PlaceKind::System;
    int number = 0;
    bool operator==(const ProblemPlace&) const = default;
};

struct Problem;

struct ProblemRule {
    const char* name; // stable, for scripts: "text-cut"
    Severity severity;
    int words;          // language text; %1, %2 .. are the problem's arguments
    const char* reason; // why the unit does not do what the configuration says
    void (*find)(const Configuration& cfg, const ProblemRule& rule, std::vector<Problem>& out);
};

struct Problem {
    const ProblemRule* rule = nullptr;
    ProblemPlace place;
    int type = -1; // a channel's function, as it is named
    // The field concerned, where there is one: a value or a text, and the caption it is named by
    // (a language text, with a number after it where the caption alone is ambiguous).
    const ValueFact* fact = nullptr;
    const TextFact* textFact = nullptr;
    int caption = 0;
    int captionNumber = 0;
    std::vector<std::string> args; // the words' %1, %2 .. (Windows-1252)
};

// Every rule, in the order their problems are listed.
std::span<const ProblemRule> ProblemRules();
const ProblemRule* FindProblemRule(const std::string& name);

// The problems of the configuration: by rule, and within a rule in matrix order.
std::vector<Problem> FindProblems(const Configuration& cfg);
// The problems of one rule.
std::vector<Problem> FindProblems(const Configuration& cfg, const ProblemRule& rule);
// The texts the unit keeps only in part (the rule "text-cut").
std::vector<Problem> TextsKeptInPart(const Configuration& cfg);
// Whether any problem is more than a note: a write then asks first.
bool HasSeriousProblems(const std::vector<Problem>& problems);
// The problems of one channel (for its cell's mark and tooltip).
std::vector<const Problem*> ProblemsOfChannel(const std::vector<Problem>& problems, int channel);

// A problem in the words of a language (Windows-1252): the severity, the place ("C2 Intruder",
// "Logic block 5"), the field ("Description"; empty where the place says it all) and what is wrong.
struct ProblemWords {
    std::string severity;
    std::string place;
    std::string field;
    std::string words;
};
ProblemWords WordProblem(const Problem& p, const TextLookup& text);
// One line in UTF-8: "C2 Intruder: Description: 34 characters, the unit keeps 31".
std::string ProblemLine(const ProblemWords& w);
// The language text of a severity.
int SeverityText(Severity s);
// "cut", "will-not-work", "note": for scripts.
const char* SeverityName(Severity s);

// Where the editor shows a problem: the page key ("" for the channel's own page), the channel it
// opens or the logic page (0..7), and the field (the problem's fact or text fact) that takes the focus.
struct ProblemJump {
    const char* page = "";
    int channel = -1;
    int logicPage = -1;
};
ProblemJump JumpOf(const Problem& p);

} // namespace korvane
