#pragma once
// The configuration file (.zeb, .x07): 162 records of comma-separated fields in the "write"
// convention (texts between double quotes, bytes in decimal, CR LF line ends), in the system's
// 8-bit character set. A record is one line, except that a text runs to its closing double quote
// and may hold line ends of its own (a description of several lines).
//
// Loading parses into a scratch copy and replaces the configuration only when the whole file was
// read; a bad file leaves it exactly as it was and says which line was wrong. Saving goes through a
// temporary file that is renamed over the old one, so a failed save never destroys the old file.

#include <string>
#include <string_view>

#include "model/configuration.h"

namespace korvane {

constexpr int kFileRecords = 162;
constexpr std::string_view kFileSignature = "ZEB1";
constexpr std::string_view kFileVersion = "Version 3.07";
constexpr int kSysFileLines = 8;
constexpr int kSysFileStride = 31; // consecutive system lines share one byte
constexpr int kSysFileBytes = kSysFileStride * (kSysFileLines - 1) + kRowBytes; // bytes 0..248
constexpr int kLogicFileLines = 8;

// The first fields a configuration file may start with.
bool IsAcceptedSignature(std::string_view field);

// A text as the file can hold it between its double quotes: a double quote becomes an apostrophe (as
// the editors do). Every other character stays as it is, line ends included: a text runs to its
// closing double quote, so a description of several lines reads back unchanged.
std::string FileSafeText(std::string text);

enum class FileStatus {
    Ok,
    WrongSignature, // not a configuration file: the caller clears the model and shows language text 171
    Bad,            // a configuration file that cannot be read completely; nothing was taken
    CannotOpen,     // missing or unreadable
    CannotWrite,    // the save failed; the old file is unchanged
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string file;   // the file the result is about
    int line = 0;       // 1-based physical line of a bad file, 0 when the fault is not on one line
    std::string reason; // what was wrong, empty when Ok

    bool ok() const { return status == FileStatus::Ok; }
    // One line for the user: "file:line: reason" (or "file: reason").
    std::string message() const;
};

// The changes a save makes to the configuration itself: channels above SysData byte 11 become
// unused channels with empty texts, SmsText 14 and 15 take the two halves of SmsIdText, and while
// SysData byte 58 is 1 the ChanFlags are cleared.
void PrepareForSave(Configuration& cfg);

// The file content of a configuration, exactly as a save writes it: the configuration as PrepareForSave
// leaves it (cfg itself stays as it is; the workspace applies PrepareForSave through its write path).
std::string ConfigFileText(const Configuration& cfg);

// Reads a file's content into cfg. On Ok cfg holds the file (what the file does not hold keeps its
// previous value, and channels above SysData byte 11 are reset as unused); otherwise cfg is
// untouched. Name is used in the result only.
FileResult ReadConfigText(std::string_view text, Configuration& cfg, const std::string& name);

// SaveFile and LoadFile of the File menu, on a path. The caller keeps DataChanged, the settings
// and the window title; these only move the configuration. SaveFile writes ConfigFileText.
FileResult SaveFile(const Configuration& cfg, const std::string& path);
FileResult LoadFile(Configuration& cfg, const std::string& path);

} // namespace korvane
