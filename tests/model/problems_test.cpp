// The problems list: the rules of what the unit will cut, ignore or never do, case by case.

#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/master.h"
#include "model/problems.h"
#include "model/roller.h"
#include "model/text_ids.h"
#include "tests/model/table_names.h"

namespace korvane {
namespace {

using testing::applySettings;
using testing::channelNamed;
using testing::dataTable;
using testing::splitOn;

// "x*257" stands for 257 times "x".
std::string expanded(const std::string& step) {
    const std::size_t equals = step.find('='), star = step.rfind('*');
    if (equals == std::string::npos || star == std::string::npos || star < equals ||
        step.find_first_not_of("0123456789", star + 1) != std::string::npos)
        return step;
    std::string text;
    for (int n = std::stoi(step.substr(star + 1)); n > 0; --n)
        text += step.substr(equals + 1, star - equals - 1);
    return step.substr(0, equals + 1) + text;
}

void applyStep(Configuration& cfg, const std::string& step) {
    if (step.find('=') != std::string::npos) {
        applySettings(cfg, expanded(step));
        return;
    }
    std::istringstream words(step);
    std::string edit, first, second, third;
    words >> edit >> first >> second >> third;
    if (edit == "type")
        SetChannelType(cfg, channelNamed(first), std::stoi(second));
    else if (edit == "master")
        PutMaster(cfg, channelNamed(first), channelNamed(second), std::stoi(third));
    else if (edit == "roller-cell")
        PutRmSt(cfg, channelNamed(first), std::stoi(second), std::stoi(third));
    else
        ADD_FAILURE() << "no edit " << edit;
}

std::string placeName(const Problem& p) {
    switch (p.place.kind) {
    case PlaceKind::Channel:
        return Num_2_Channel(p.place.number);
    case PlaceKind::LogicBlock:
        return "block " + std::to_string(p.place.number + 1);
    case PlaceKind::LogicPage:
        return "notes " + std::to_string(8 * p.place.number + 1);
    case PlaceKind::Holiday:
        return "period " + std::to_string(p.place.number + 1);
    case PlaceKind::System:
        return p.place.number == kTxtMenuSmsSetup ? "sms" : p.place.number == kTxtMenuBasicSetup ? "setup" : "?";
    }
    return "?";
}

std::string signature(const Problem& p) {
    std::string s = std::string(p.rule->name) + " " + placeName(p);
    for (std::size_t i = 0; i < p.args.size(); ++i)
        s += (i == 0 ? " " : "/") + p.args[i];
    return s;
}

// The rows of tests/data/model_problems.txt.
TEST(Problems, eachConfigurationListsItsProblemsAndNoOthers) {
    const TextLookup english = testing::shippedTexts("English.dat");
    for (const auto& row : dataTable("model_problems.txt", 4)) {
        SCOPED_TRACE(row[0]);
        Configuration cfg;
        EditState state;
        ClearConfiguration(cfg, state);
        for (const std::string& step : splitOn(row[1], ';'))
            if (!step.empty())
                applyStep(cfg, step);
        const std::vector<Problem> problems = FindProblems(cfg);
        std::string listed;
        for (const Problem& p : problems)
            listed += (listed.empty() ? "" : ", ") + signature(p);
        EXPECT_EQ(listed.empty() ? "none" : listed, row[2]);
        if (row[3] != "-" && !problems.empty()) {
            EXPECT_EQ(ProblemLine(WordProblem(problems.front(), english)), row[3]);
        }
        EXPECT_EQ(HasSeriousProblems(problems), row[2] != "none" && row[2].find("period-not-read-back") != 0);
    }
}

// Every rule has a problem in the table, so that each can fail its row.
TEST(Problems, everyRuleHasARowOfItsOwn) {
    const auto rows = dataTable("model_problems.txt", 4);
    for (const ProblemRule& rule : ProblemRules()) {
        const bool found = std::any_of(rows.begin(), rows.end(),
                                       [&](const auto& r) { return r[2].rfind(std::string(rule.name) + " ", 0) == 0; });
        EXPECT_TRUE(found) << rule.name;
        EXPECT_EQ(FindProblemRule(rule.name), &rule);
    }
}

// Where the editor shows a problem: the channel's own page, the logic page of the block, the holiday
// page, the main setup or the SMS page.
TEST(Problems, jumpTargetsNameThePageOfThePlace) {
    struct Case {
        ProblemPlace place;
        const char* page;
        int channel;
        int logicPage;
    };
    const Case cases[] = {
        {{PlaceKind::Channel, 18}, "", 18, -1},
        {{PlaceKind::LogicBlock, 20}, "logic", -1, 2},
        {{PlaceKind::LogicPage, 7}, "logic", -1, 7},
        {{PlaceKind::Holiday, 9}, "Holiday", -1, -1},
        {{PlaceKind::System, kTxtMenuBasicSetup}, "mainsetup", -1, -1},
        {{PlaceKind::System, kTxtMenuSmsSetup}, "SMS_Setup", -1, -1},
    };
    for (const Case& c : cases) {
        Problem p;
        p.rule = &ProblemRules()[0];
        p.place = c.place;
        const ProblemJump j = JumpOf(p);
        EXPECT_STREQ(j.page, c.page) << c.page;
        EXPECT_EQ(j.channel, c.channel) << c.page;
        EXPECT_EQ(j.logicPage, c.logicPage) << c.page;
    }
}

} // namespace
} // namespace korvane
