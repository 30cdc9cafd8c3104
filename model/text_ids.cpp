#include "model/text_ids.h"

#include <algorithm>

#include "model/channel_types.h"

namespace korvane {

namespace {

std::vector<int> Sorted(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

} // namespace

#define KORVANE_LIST_TEXT(name, number) name,

const std::vector<int>& UsedLanguageTexts() {
    static const std::vector<int> used = [] {
        std::vector<int> v = {KORVANE_LANGUAGE_TEXTS(KORVANE_LIST_TEXT) kTxtFileIdentifier, kTxtLanguageName};
        for (const TypeInfo& t : ChannelTypes())
            v.push_back(TypeNameText(t.code));
        for (int w = 1; w <= 7; ++w)
            v.push_back(WeekdayText(w));
        for (int k = 0; k < kShortcutCount; ++k)
            v.push_back(ShortcutText(k));
        return Sorted(std::move(v));
    }();
    return used;
}

const std::vector<int>& UsedHelpTexts() {
    static const std::vector<int> used = [] {
        std::vector<int> v = {KORVANE_HELP_TEXTS(KORVANE_LIST_TEXT)};
        for (const TypeInfo& t : ChannelTypes())
            v.push_back(TypeHelp(t.code));
        return Sorted(std::move(v));
    }();
    return used;
}

#undef KORVANE_LIST_TEXT

} // namespace korvane
