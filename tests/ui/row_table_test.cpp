// The rows an indexed row stands for: their names, values, Enter and captions, in the order Enter
// walks them.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "model/facts_calendar.h"
#include "model/facts_logic.h"
#include "ui/editor/form/row_table.h"

namespace korvane {
namespace {

constexpr RowTable kTwoSets{.count = 2, .first = 1};
constexpr FormRow kDeclared[] = {
    {.control = "Head", .kind = ControlKind::Label},
    {.control = "Hour_%1",
     .kind = ControlKind::Field,
     .caption = 7,
     .table = &kTwoSets,
     .factAt = Each<facts::kOnHours>},
    {.control = "Days%2_%3",
     .kind = ControlKind::Check,
     .enter = "After",
     .table = &kTwoSets,
     .factAt = EachAcross<facts::kDayBoxFacts>,
     .across = 2},
    {.control = "Tail", .kind = ControlKind::Label},
};

TEST(RowTable, indexedRowsAreSpelledOutARowOfTheTableAtATime) {
    const struct {
        const char* name;
        int at, place;
        const ValueFact* fact;
        const char* enter;
        int caption;
    } expected[] = {
        {"Head", -1, 0, nullptr, nullptr, 0},
        {"Hour_1", 1, 0, &facts::kOnHours[1], nullptr, 7},
        {"Days2_0", 1, 0, &facts::kDayBoxFacts[1][0], nullptr, 0},
        {"Days2_1", 1, 1, &facts::kDayBoxFacts[1][1], nullptr, kNoCaption},
        // The caption stands once; Enter leaves the declaration's way from its last row only.
        {"Hour_2", 2, 0, &facts::kOnHours[2], nullptr, kNoCaption},
        {"Days3_0", 2, 0, &facts::kDayBoxFacts[2][0], nullptr, kNoCaption},
        {"Days3_1", 2, 1, &facts::kDayBoxFacts[2][1], "After", kNoCaption},
        {"Tail", -1, 0, nullptr, nullptr, 0},
    };
    const RowTables tables(kDeclared);
    const std::span<const FormRow> rows = tables.rows();
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const FormRow& r = rows[k];
        const auto& e = expected[k];
        EXPECT_EQ(
            std::tuple(std::string(r.control), r.at, r.place, r.fact, std::string(r.enter ? r.enter : "-"), r.caption),
            std::tuple(std::string(e.name), e.at, e.place, e.fact, std::string(e.enter ? e.enter : "-"), e.caption));
    }
}

} // namespace
} // namespace korvane
