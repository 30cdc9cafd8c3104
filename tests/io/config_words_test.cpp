// The configuration in words (korvane-cli dump --words): held against the facts, and the JSON of the
// fixtures against golden files tests/data/golden/<fixture>.<language>.words.json. A deliberate change
// of the format writes them anew with
//     KORVANE_UPDATE_GOLDEN=1 build/test/bin/core_tests --gtest_filter='ConfigurationWords.*'
// (and raises kWordsFormatVersion when a key is renamed or removed or a value changes its meaning).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "io/config_words.h"
#include "model/channel_types.h"
#include "model/facts_logic.h"
#include "model/roller.h"
#include "model/text_codec.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const char* const kFixtures[] = {"Good.zeb", "MultiLineDescriptions.zeb", "TwelveInUse.zeb"};

} // namespace

TEST(ConfigurationWords, everyChannelInUseCarriesEveryFactOfItsTypeInPageOrder) {
    const TextLookup english = shippedTexts("English.dat");
    for (const char* fixture : kFixtures) {
        SCOPED_TRACE(fixture);
        const Configuration cfg = loadedConfiguration(fixture);
        const ConfigurationWords w = WordsOf(cfg, english);
        int inUse = 0;
        for (int c = 0; c <= cfg.channelsInUse(); ++c)
            inUse += IsUnusedChannel(cfg, c) ? 0 : 1;
        ASSERT_EQ(static_cast<int>(w.channels.size()), inUse);
        for (const ChannelWords& ch : w.channels) {
            SCOPED_TRACE(Num_2_Channel(ch.channel));
            std::vector<std::string> want;
            for (const ValueFact* f : FactsOfType(ch.type))
                want.push_back(f->name);
            if (EventOptionsShown(cfg, ch.type))
                for (const ValueFact* f : EventOptionFacts())
                    want.push_back(f->name);
            std::vector<std::string> got;
            for (const SettingWords& s : ch.settings) {
                got.push_back(s.name);
                EXPECT_FALSE(s.caption.empty()) << s.name;
                EXPECT_FALSE(s.value.empty()) << s.name;
            }
            EXPECT_EQ(got, want);
            EXPECT_EQ(ch.function, english(TypeNameText(ch.type)));
            EXPECT_EQ(ch.description, cfg.ChanText[static_cast<std::size_t>(ch.channel)]);
        }
        for (const NumberedWords& b : w.logicBlocks)
            EXPECT_TRUE(LogicBlockOperates(cfg.LogicBlocks[static_cast<std::size_t>(b.number - 1)])) << b.number;
    }
}

TEST(ConfigurationWords, aValueAndItsUnitStandApartAndAChoiceStandsAlone) {
    Configuration cfg = blankConfiguration();
    SetChannelType(cfg, 2, kTypeRoller);
    SetRollerReverseTime(cfg.ChanSetup[2], 1500);
    const TextLookup english = shippedTexts("English.dat");
    const ConfigurationWords w = WordsOf(cfg, english);
    const auto roller = std::find_if(w.channels.begin(), w.channels.end(), [](auto& c) { return c.channel == 2; });
    ASSERT_NE(roller, w.channels.end());
    EXPECT_EQ(roller->function, "Roller blind");
    const auto reverse = std::find_if(roller->settings.begin(), roller->settings.end(),
                                      [](const SettingWords& s) { return s.name == std::string("reverse time"); });
    ASSERT_NE(reverse, roller->settings.end());
    EXPECT_EQ(reverse->caption, "Reverse time");
    EXPECT_EQ(reverse->value, "1500");
    EXPECT_EQ(reverse->unit, english(kTxtUnitMs));
    EXPECT_EQ(reverse->raw, 1500);
    // The main setup's number of channels is a choice: no unit.
    const SettingWords& channels = w.system.front().settings[2];
    EXPECT_EQ(channels.name, std::string("highest channel in use"));
    EXPECT_TRUE(channels.unit.empty());
}

TEST(ConfigurationWords, theJsonOfTheFixturesIsAsGolden) {
    const bool update = std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr;
    for (const char* language : {"English", "Deutsch"})
        for (const char* fixture : kFixtures) {
            const std::string name = std::string(fixture).substr(0, std::string(fixture).find('.'));
            const std::string golden = fixturePath("golden/" + name + "." + language + ".words.json");
            SCOPED_TRACE(golden);
            const std::string json =
                WordsJson(WordsOf(loadedConfiguration(fixture), shippedTexts(language + std::string(".dat"))));
            if (update)
                std::ofstream(golden, std::ios::binary) << json;
            EXPECT_EQ(json, readBytes(golden));
        }
}
