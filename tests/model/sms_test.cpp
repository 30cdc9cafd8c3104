#include <gtest/gtest.h>

#include "model/facts_sms.h"
#include "model/sms.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

// The rows of tests/data/model_sms_texts.txt.
TEST(SmsTexts, telephoneNumbersAndOtherTextsAreCheckedAsTyped) {
    for (const auto& c : dataTable("model_sms_texts.txt", 4)) {
        EXPECT_EQ(ValidPhoneNumber(c[0]), c[1] == "1") << c[0];
        EXPECT_EQ(PhoneNumberTyping(c[0]), c[2] == "1") << c[0];
        EXPECT_EQ(SmsTextAcceptable(c[0]), c[3] == "1") << c[0];
    }
}

TEST(SmsTexts, storedTextsAreNeverCutToTheTypingLimit) {
    Configuration cfg;
    StoreText(facts::kPhoneNumbers[2], cfg, 0, "12345678901234567890");
    EXPECT_EQ(cfg.SmsText[2], "12345678901234567890");
    StoreText(facts::kSmsIdentification, cfg, 0, std::string(40, 'x'));
    EXPECT_EQ(cfg.SmsIdText.size(), 40u);
    EXPECT_EQ(facts::kDialInPassword.maxChars, 4);
}
