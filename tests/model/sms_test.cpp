#include <gtest/gtest.h>

#include "model/facts_sms.h"
#include "model/sms.h"

using namespace korvane;

TEST(PhoneNumbers, emptyOrDigitsWithALeadingPlusWithinSixteenCharacters) {
    const struct {
        const char* number;
        bool valid, typing;
    } cases[] = {
        {"", true, true},
        {"+", false, true}, // on the way to a number
        {"+4512345678", true, true},
        {"004512345678", true, true},
        {"1234567890123456", true, true},
        {"12345678901234567", false, false}, // 17 characters do not fit the unit's 16
        {"+123456789012345", true, true},
        {"45-12", false, false},
        {"45.12", false, false},
        {"45,12", false, false},
        {"45 12", false, false},
        {"4+5", false, false},
        {"++45", false, false},
        {"1e5", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidPhoneNumber(c.number), c.valid) << c.number;
        EXPECT_EQ(PhoneNumberTyping(c.number), c.typing) << c.number;
    }
}

TEST(SmsTexts, doubleQuotesAndControlCharactersAreRefused) {
    EXPECT_TRUE(SmsTextAcceptable("Haus Meier, 2. OG"));
    EXPECT_TRUE(SmsTextAcceptable("\xC6\xD8\xC5 \xE6\xF8\xE5")); // Danish letters in Windows-1252
    EXPECT_FALSE(SmsTextAcceptable("say \"hi\""));
    EXPECT_FALSE(SmsTextAcceptable("two\r\nlines"));
    EXPECT_FALSE(SmsTextAcceptable("tab\t"));
    EXPECT_FALSE(SmsTextAcceptable(std::string("nul\0", 4)));
    EXPECT_FALSE(SmsTextAcceptable("del\x7F"));
}

TEST(SmsTexts, storedTextsAreNeverCutToTheTypingLimit) {
    Configuration cfg;
    StoreText(facts::kPhoneNumbers[2], cfg, 0, "12345678901234567890");
    EXPECT_EQ(cfg.SmsText[2], "12345678901234567890");
    StoreText(facts::kSmsIdentification, cfg, 0, std::string(40, 'x'));
    EXPECT_EQ(cfg.SmsIdText.size(), 40u);
    EXPECT_EQ(facts::kDialInPassword.maxChars, 4);
}
