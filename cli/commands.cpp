// The table of korvane-cli's commands: each command's usage, summary, options and help, and its handler.

#include "cli/command_support.h"

namespace korvane::cli {

namespace {

constexpr const char* kPortHelp = "a device (/dev/ttyUSB0), com1..com4, or sim (the simulated unit;\n"
                                  "sim:FAULT misbehaves, faults as korvane-unitsim --help lists them)";

// Every command speaks the language of --language, or else of the environment.
constexpr const char* kLanguageHelp = "en, de, da, a language's name (Deutsch) or a language file\n"
                                      "(default: the language of LC_ALL, LC_MESSAGES or LANG, else English)";
constexpr const char* kLanguageUnitHelp =
    "en, de, da, a language's name (Deutsch) or a language file: its texts and the unit\nlabel and SMS words it "
    "sends (default: the language of LC_ALL, LC_MESSAGES or LANG,\nelse English)";
const Option kLanguage{"--language LANG", true, kLanguageHelp};

constexpr const char* kDiffExit = "Exit 0 when equal, 1 when not, 2 when a file cannot be read (or wrong use).\n";

} // namespace

// In the order of the program's --help: by name.
const std::vector<Command>& Commands() {
    static const std::vector<Command> table{
        {"check",
         "FILE [--language LANG] [--json]",
         "check a configuration file: does it load, and what will the unit cut or never do",
         "Loads FILE completely, then lists its problems in the words of the problems list of\n"
         "View > Problems, one line each: \"C2 Intruder: passive detector: Description: 34 characters, the unit\n"
         "keeps 31\". A problem is a text longer than the unit keeps, a channel above the channels in use,\n"
         "a reference to an unused channel, a master without a target, a day set that never switches, an\n"
         "alarm without siren or detector, SMS or dial-in settings that lack a number; a note (holiday\n"
         "periods 9..16, which a read never returns) is listed but is no failure.\n",
         {kLanguage,
          {"--json", false,
           "the problems as a JSON list of objects with rule, severity (cut, will-not-work, note),\nplace, field, "
           "words and line"}},
         "Exit 0 when FILE loads and has no problem (notes aside), 9 when it has problems, 1 when it\n"
         "cannot be loaded (the reason, file:line, on stderr), 2 wrong use.\n",
         RunCheck},
        {"compare",
         "FILE --port DEV [--language LANG]",
         "compare a configuration file with what the master unit holds",
         "Reads the unit and lists what it holds other than FILE, as far as a unit keeps it, one line\n"
         "each, as File > Compare with unit does: \"A3 Roller blind: Reverse time 1000 ms \u2192 1500 ms\"\n"
         "(the file's value first). Texts count as the unit holds them, cut to their slots.\n",
         {{"--port DEV", true, kPortHelp}, kLanguage},
         "Exit 0 when equal, 1 when not, 2 when FILE cannot be read (or wrong use); 3 port error,\n"
         "4 no answer or an incomplete or damaged answer.\n",
         RunCompare},
        {"convert",
         "IN -o OUT [--language LANG]",
         "load a configuration file and save it again",
         "Loads IN (.zeb or .x07) and writes OUT exactly as File > Save writes it.\n",
         {{"-o OUT", true, nullptr}, kLanguage},
         "",
         RunConvert},
        {"diff",
         "A B [--as-unit] [--bytes] [--language LANG]",
         "show the differences between two configuration files",
         "Lists what the user changed from A to B, one line each, in the words of the editor's pages:\n"
         "\"A3 Roller blind: Reverse time 1000 ms \u2192 1500 ms\". Bytes no setting stands for, the bytes\n"
         "a write derives, the clock and the firmware version are no differences.\n",
         {{"--as-unit", false,
           "compare A and B as a unit would hold them: texts cut to their slots, holiday\nperiods 9..16 (never "
           "read back) left out; for a file and its read-back"},
          {"--bytes", false, "every byte of the file that differs instead, one line each (where, what, old -> new)"},
          kLanguage},
         kDiffExit,
         RunDiff},
        {"dump",
         "FILE [--words | --format json|words] [--language LANG]",
         "print a configuration as JSON",
         "Prints the whole configuration as JSON: ChanSetup, MasterMatrix, LogicBlocks, SysData, ChanFlags,\n"
         "SavedChanType, ChanText, DescText, SmsText, SmsIdText (texts in UTF-8).\n",
         {{"--words", false,
           "the configuration in words instead (format \"korvane-words\", version 1): each\nchannel in use with "
           "its function, description and settings (caption, value, unit,\nstored number), the system areas, "
           "grids, holidays and logic equations"},
          {"--format", true, "json (the default: the arrays) or words (as --words)"},
          kLanguage},
         "",
         RunDump},
        {"export-csv",
         "FILE [-o OUT.csv] [--language LANG] [--separator ;|,|tab]",
         "write the channel list as a spreadsheet file (CSV)",
         "Writes one line per channel in use, after a heading line: channel, function, description and\n"
         "settings in the words of the editor's pages, as File > Export channel list does. UTF-8 with a byte\n"
         "order mark, CR LF line ends; a field holding the separator, a double quote or a line break is\n"
         "quoted (\"\" for a quote). The separator is ';' where the language writes a decimal comma (German,\n"
         "Danish), else ','.\n",
         {{"-o OUT.csv", true, "write to OUT.csv instead of the standard output"},
          kLanguage,
          {"--separator", true, "; , or tab instead of the language's separator"}},
         "",
         RunExportCsv},
        {"export-hex",
         "FILE [--clock YYYY-MM-DDTHH:MM:SS] [--language LANG] [-o OUT]",
         "write the records File > Write sends",
         "Writes exactly the bytes File > Write sends for FILE, the end record last.\n",
         {{"--clock", true, "the date and time written into the unit (default: the current local time)"},
          {"--language LANG", true, kLanguageUnitHelp},
          {"-o OUT", true, "write to OUT instead of the standard output"}},
         "",
         RunExportHex},
        {"import-csv",
         "FILE SHEET.csv -o OUT.zeb [--language LANG]",
         "take the descriptions of a spreadsheet file into a configuration file",
         "Reads the descriptions of SHEET.csv by its channel column (other columns are ignored), puts them\n"
         "into FILE's channels and saves the result as OUT.zeb, as File > Import descriptions does; prints\n"
         "each change as diff does: \"A3 Mono: Description 'Door' \u2192 'Front door'\".\n",
         {{"-o OUT.zeb", true, nullptr}, kLanguage},
         "Exit 0 saved; 1 FILE or SHEET.csv cannot be read, OUT cannot be written, or lines of SHEET.csv\n"
         "cannot be read (each named with its line number on stderr; nothing is written); 2 wrong use.\n",
         RunImportCsv},
        {"import-hex",
         "CAPTURE -o OUT.zeb [--language LANG]",
         "turn a captured unit answer into a configuration file",
         "Feeds the unit's answer in CAPTURE through the receiver, unpacks the image and saves it.\n"
         "Exit 1 with the reason when the image is incomplete or damaged.\n",
         {{"-o OUT.zeb", true, nullptr}, kLanguage},
         "",
         RunImportHex},
        {"move",
         "FILE FROM TO -o OUT [--language LANG]",
         "move a channel to a free channel, every reference following",
         "Moves channel FROM (A1..P8; a roller pair with its second channel) to the free channel TO and saves\n"
         "the result as OUT: its function, settings, description and master row go to TO, and every setting\n"
         "that names FROM names TO afterwards (master and roller-master targets, logic inputs and outputs,\n"
         "disable, start, priority and limit channels, the data exchange mask). Prints what changed:\n"
         "\"Move A3 \u2192 B5: 3 references changed\".\n",
         {{"-o OUT", true, nullptr}, kLanguage},
         "Exit 0 saved; 1 FILE cannot be read, OUT cannot be written, or the move is refused (the reason on\n"
         "stderr: a channel claimed on the main setup page, TO in use or named by settings, a roller pair on\n"
         "digit 2, 4, 6 or 8, a channel above the channels in use; nothing is written); 2 wrong use.\n",
         RunMove},
        {"print",
         "FILE --report KIND -o OUT.pdf [--language LANG] [--clock YYYY-MM-DDTHH:MM:SS]\n"
         "                         [--page-size A4|Letter] [--all] [--sheet N|W,H,COLUMNS,ROWS,LEFT,TOP]\n"
         "       korvane-cli print KIND FILE -o OUT.pdf [...]",
         "print reports as a PDF file",
         "Draws a report of the Print menu for FILE into a PDF file, as the Print menu does on a printer.\n",
         {{"--report KIND", true,
           "channels, master, realtime, logic, sms, or all: every report that has something\nto print, one after "
           "the other, each with its own page numbers; labels: a label sheet\nwith every channel in use (name "
           "and description); book: the site book, every report in one PDF with a cover,\ncontents, \"Page n of m\" "
           "and bookmarks"},
          {"-o OUT.pdf", true, nullptr},
          kLanguage,
          {"--clock", true, "the date and time in the page header (default: now)"},
          {"--page-size", true, "A4 (default) or Letter"},
          {"--sheet", true,
           "labels: a sheet of the list (1 = 70 x 25.4 mm, 3 x 11 on A4, the default; 2 = 70 x 37 mm,\n"
           "3 x 8; 3 = 63.5 x 38.1 mm, 3 x 7; 4 = 99.1 x 38.1 mm, 2 x 7; 5 = 66.7 x 25.4 mm, 3 x 10 on\n"
           "Letter), or W,H,COLUMNS,ROWS,LEFT,TOP[,GAPX,GAPY] in millimetres on the page size"},
          {"--all", false,
           "every channel and logic block; without it the reports list the channels in use only (leaving out\n"
           "unused channels: not used, no description) and the logic blocks in use, as the Print menu does"},
          {"--in-use", false, "channels in use only (the default)"}},
         "Exit 0 written, 1 FILE cannot be read or OUT cannot be written (an earlier OUT is kept), 2 wrong use,\n"
         "8 nothing to print (no file is written).\n",
         RunPrint},
        {"read",
         "--port DEV -o OUT.zeb [--language LANG] [--accept-newer]",
         "read the configuration from the master unit",
         "Reads the unit's memory over the serial line and saves it as a configuration file.\n",
         {{"--port DEV", true, kPortHelp},
          {"-o OUT.zeb", true, nullptr},
          kLanguage,
          {"--accept-newer", false, "take the data of a unit with newer firmware"}},
         "OUT is written only after a complete, sound read. Exit 0 done, 1 OUT cannot be written, 2 wrong use,\n"
         "3 port error, 4 no answer or an incomplete or damaged answer, 7 newer firmware not taken;\n"
         "a failure is one line on stderr: the reason (for a port: what is wrong, what to do, and the\n"
         "system's reason in brackets).\n",
         RunRead},
        {"swap",
         "FILE A B -o OUT [--language LANG]",
         "swap two channels, every reference following",
         "Exchanges channels A and B (a roller pair with the two channels at the other place) with their\n"
         "references, as Edit > Swap with... does, and saves the result as OUT.\n",
         {{"-o OUT", true, nullptr}, kLanguage},
         "Exit 0 saved; 1 FILE cannot be read, OUT cannot be written, or the swap is refused (the reason on\n"
         "stderr; nothing is written); 2 wrong use.\n",
         RunSwap},
        {"write",
         "--port DEV FILE [--backup DIR] [--verify] [--language LANG]\n"
         "                         [--clock YYYY-MM-DDTHH:MM:SS]",
         "write a configuration file to the master unit",
         "Sends FILE to the unit as File > Write does (the bytes of export-hex) and shows the unit's verdict.\n",
         {{"--port DEV", true, kPortHelp},
          {"--backup DIR", true,
           "first read the unit and save what it holds as DIR/<device>-<date>-<time>.zeb;\nwhen that fails nothing "
           "is written"},
          {"--verify", false,
           "read the unit back afterwards and list every value it holds other than written,\none line each: \"A1 "
           "Mono: Description unit 'Doorhen', written 'Door'\", then the verdict\nas the transfer window gives "
           "it, also when the unit holds exactly what was written"},
          {"--language LANG", true, kLanguageUnitHelp},
          {"--clock", true, "the date and time written into the unit (default: the current local time)"}},
         "Exit 0 done, 1 FILE cannot be read or the backup cannot be saved, 2 wrong use, 3 port error,\n"
         "4 no answer or no verdict (or the backup read failed),\n"
         "5 the unit reported an error, 6 --verify found differences; a failure is one line on stderr:\n"
         "the reason (for a port: what is wrong, what to do, and the system's reason in brackets).\n",
         RunWrite},
    };
    return table;
}

} // namespace korvane::cli
