#pragma once
// The whole configuration as JSON, for scripts and checks: every array by its name, bytes as
// numbers, texts as UTF-8 strings.

#include <string>
#include <string_view>

#include "model/configuration.h"

namespace korvane {

// A JSON string literal (with its quotes) of an 8-bit text.
std::string JsonString(std::string_view cp1252);

// One object with the keys ChanSetup, MasterMatrix, LogicBlocks, SysData, ChanFlags, SavedChanType,
// ChanText, DescText, SmsText and SmsIdText, ending with a line end.
std::string ConfigurationJson(const Configuration& cfg);

} // namespace korvane
