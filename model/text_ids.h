#pragma once
// The numbers of the language texts and help texts the program uses.
//
// Every caption, label and message is language text n of the current language file; every F1 help
// is help text n of its help file. Code refers to a text by the name below, never by a bare number,
// and UsedLanguageTexts() / UsedHelpTexts() list every number the program asks for (the named ones
// and the ranges made by formula). The tests hold the shipped files against these lists, so a caption
// added here without a text in every language fails the build's tests.
//
// resources/Language/README.md explains the numbering for translators.

#include <vector>

namespace korvane {

constexpr int kTxtFileIdentifier = 330; // the record that marks a language file (kLanguageFileIdentifier)
constexpr int kTxtLanguageName = 331;   // the language's display name

// ---- Language texts, X(name, number), grouped by where they appear ----
// The same number may serve several places (a unit label and a report column, say); it then appears
// once, under the name of its first use, and the comment names the other uses.
#define KORVANE_LANGUAGE_TEXTS(X)                                                                                      \
    /* Main window: menus and captions */                                                                              \
    X(kTxtAbout, 0)    /* "About", about page caption + " ZEB1" */                                                     \
    X(kTxtMenuFile, 1) /* also the report header "File: name" */                                                       \
    X(kTxtMenuNew, 2)                                                                                                  \
    X(kTxtMenuOpen, 3)                                                                                                 \
    X(kTxtMenuSave, 4)                                                                                                 \
    X(kTxtMenuRead, 5)  /* also the transfer window caption when reading */                                            \
    X(kTxtMenuWrite, 6) /* also the transfer window caption when writing */                                            \
    X(kTxtMenuExit, 7)                                                                                                 \
    X(kTxtMenuEdit, 8)                                                                                                 \
    X(kTxtMenuBasicSetup, 9)  /* also the editor caption on the main setup page */                                     \
    X(kTxtMenuLogicSetup, 10) /* also the logic report title */                                                        \
    X(kTxtMenuView, 11)                                                                                                \
    X(kTxtMenuLanguage, 12)                                                                                            \
    X(kTxtMenuPrint, 13)                                                                                               \
    X(kTxtMenuHolidaySetup, 14) /* also the holiday table heading of the real-time report */                           \
    X(kTxtMenuSetLanguage, 15)                                                                                         \
    X(kTxtMenuComPort, 16)                                                                                             \
    X(kTxtMenuHelp, 17) /* also the caption of the help pop-up */                                                      \
    X(kTxtMenuAbout, 18)                                                                                               \
    X(kTxtDeviceNumber, 19)     /* label of T_DeviceNo and the report header */                                        \
    X(kTxtMenuSaveAs, 31)       /* also the title of the save dialog */                                                \
    X(kTxtOpenDialogTitle, 32)  /* configuration and language file open dialogs */                                     \
    X(kTxtMenuGeneralHelp, 199) /* also the title of general help */                                                   \
    X(kTxtMenuGroupOn, 164)                                                                                            \
    X(kTxtMenuGroupOff, 165)                                                                                           \
    X(kTxtMenuGroupNotAffected, 166)                                                                                   \
    X(kTxtMenuExchangeMask, 307)                                                                                       \
    X(kTxtMenuSmsSetup, 210)     /* also SMS report title, first SMS page label */                                     \
    X(kTxtPrintChannelList, 259) /* also the channel list report title */                                              \
    X(kTxtPrintMaster, 260)      /* also the master report title */                                                    \
    X(kTxtPrintRealTime, 261)    /* also the real-time report title */                                                 \
    X(kTxtPrintLogic, 262)                                                                                             \
    X(kTxtCtrlKey, 360)  /* "Ctrl+" before a shortcut letter */                                                        \
    X(kTxtAltKey, 361)   /* "Alt+" before the exit letter */                                                           \
    X(kTxtMenuUndo, 388) /* Edit menu: undo the last edit (Ctrl+Z) */                                                  \
    X(kTxtMenuRedo, 389) /* Edit menu: redo the edit undone last (Ctrl+Y) */                                           \
    /* Channel-type pop-up menu */                                                                                     \
    X(kTxtPopupMono, 20)                                                                                               \
    X(kTxtPopupFlipFlop, 21)                                                                                           \
    X(kTxtPopupTimer, 22)                                                                                              \
    X(kTxtPopupRealTime, 23)                                                                                           \
    X(kTxtPopupMaster, 24)                                                                                             \
    X(kTxtWaterAlarm, 25)    /* pop-up, common siren source box */                                                     \
    X(kTxtSmokeAlarm, 26)    /* pop-up, common siren source box */                                                     \
    X(kTxtIntruderAlarm, 27) /* pop-up, common siren source box, motion detector report */                             \
    X(kTxtPopupCommonSiren, 28)                                                                                        \
    X(kTxtIsaAlarm, 29) /* pop-up, common siren source box */                                                          \
    X(kTxtPopupBlank, 30)                                                                                              \
    X(kTxtPopupThermostat, 33)                                                                                         \
    X(kTxtPopupNightSetback, 34)                                                                                       \
    X(kTxtPopupRoller, 35)                                                                                             \
    X(kTxtPopupRollerMaster, 39)                                                                                       \
    /* File menu questions and messages */                                                                             \
    X(kTxtAskSaveBeforeNew, 167)                                                                                       \
    X(kTxtAskSaveBeforeOpen, 168)                                                                                      \
    X(kTxtAskSaveBeforeExit, 169)                                                                                      \
    X(kTxtAskExit, 170)                                                                                                \
    X(kTxtButtonSave, 352)     /* a save question's button that saves first */                                         \
    X(kTxtButtonDontSave, 353) /* a save question's button that goes on without saving */                              \
    X(kTxtQuestionSave, 404)   /* the save question's buttons, with their access keys */                               \
    X(kTxtQuestionDontSave, 405)                                                                                       \
    X(kTxtQuestionCancel, 406)                                                                                         \
    /* The one main window */                                                                                          \
    X(kTxtTitleNew, 401)         /* the title's name of the blank configuration ("ZEB1 [New]") */                      \
    X(kTxtTitleUpload, 402)      /* the title's name of a configuration read from the unit */                          \
    X(kTxtMenuDetachEditor, 403) /* View menu: the editor in a window of its own (ticked) or beside the matrix */      \
    X(kTxtNotAConfigurationFile, 171)                                                                                  \
    /* Editor window: common part of the channel pages, about page */                                                  \
    X(kTxtDescription, 38) /* Label_beskriv, channel list column */                                                    \
    X(kTxtAboutText, 172)                                                                                              \
    X(kTxtAboutProduct, 243) /* about page: the unit the program is made for */                                        \
    X(kTxtAboutLicence, 244) /* about page: the program's licence */                                                   \
    X(kTxtEventOnReport, 320)                                                                                          \
    X(kTxtEventOffReport, 321)                                                                                         \
    X(kTxtEventOnSms, 322)                                                                                             \
    X(kTxtEventOffSms, 323)                                                                                            \
    /* Main setup page, master matrix, exchange mask */                                                                \
    X(kTxtUsePcClock, 36)                                                                                              \
    X(kTxtSystemDescription, 37)                                                                                       \
    X(kTxtMuxCount, 52)                                                                                                \
    X(kTxtMuxDelay, 53)                                                                                                \
    X(kTxtTimeOutput, 54)                                                                                              \
    X(kTxtNumberOfChannels, 63)                                                                                        \
    X(kTxtLegendOn, 65)                                                                                                \
    X(kTxtLegendOff, 66)                                                                                               \
    X(kTxtLegendNotAffected, 67)                                                                                       \
    X(kTxtLegendNotDrivable, 68) /* also the roller master legend */                                                   \
    X(kTxtMasterRealTime, 80)                                                                                          \
    X(kTxtSetupWarning, 196)                                                                                           \
    X(kTxtAutoSummerTime, 206)                                                                                         \
    X(kTxtEventOutput, 207)                                                                                            \
    X(kTxtEventOutputSerial, 208)                                                                                      \
    X(kTxtEventOutputSms, 209)                                                                                         \
    X(kTxtViewRealTime, 286)                                                                                           \
    X(kTxtSelected, 304) /* exchange mask and roller master legends */                                                 \
    X(kTxtNotSelected, 305)                                                                                            \
    X(kTxtExchangeMaskCaption, 306)                                                                                    \
    X(kTxtCounter, 310)                                                                                                \
    /* Real-time page and reports */                                                                                   \
    X(kTxtOnTime, 40)                                                                                                  \
    X(kTxtOffTime, 41)                                                                                                 \
    X(kTxtHours, 42)   /* also the timer unit label */                                                                 \
    X(kTxtMinutes, 43) /* also the timer unit label */                                                                 \
    X(kTxtWeekdays, 44)                                                                                                \
    X(kTxtDayMonday, 45) /* day boxes 45..51, box 0 = Monday */                                                        \
    X(kTxtDayTuesday, 46)                                                                                              \
    X(kTxtDayWednesday, 47)                                                                                            \
    X(kTxtDayThursday, 48)                                                                                             \
    X(kTxtDayFriday, 49)                                                                                               \
    X(kTxtDaySaturday, 50)                                                                                             \
    X(kTxtDaySunday, 51)                                                                                               \
    X(kTxtTriggerTime, 60)                                                                                             \
    X(kTxtDayHoliday, 64)                                                                                              \
    /* Timer and motion detector pages */                                                                              \
    X(kTxtTimerHeading, 55)                                                                                            \
    X(kTxtTimerModeDelay, 56)                                                                                          \
    X(kTxtTimerModePulse, 57)                                                                                          \
    X(kTxtPulseTime, 58)                                                                                               \
    X(kTxtPauseTime, 59)                                                                                               \
    X(kTxtSeconds, 62)              /* timer unit label, roller master report */                                       \
    X(kTxtControlChannel, 275)      /* timer start channel, second-limit channel */                                    \
    X(kTxtPartOfIntruderAlarm, 285) /* motion detector, flip-flop box Chk_grundUseThief */                             \
    X(kTxtOnDelay, 290)             /* timer, ISA input on-delay */                                                    \
    X(kTxtOffDelay, 291)            /* timer, motion detector hold time */                                             \
    X(kTxtSinglePulse, 292)                                                                                            \
    X(kTxtDetectionPulses, 308)                                                                                        \
    /* Alarm pages (intruder, smoke, water, ISA, common siren) */                                                      \
    X(kTxtChannelFunction, 70)                                                                                         \
    X(kTxtPassiveDetector, 71)                                                                                         \
    X(kTxtActiveDetector, 72)                                                                                          \
    X(kTxtManualArming, 73)                                                                                            \
    X(kTxtDoorSwitchArming, 74)                                                                                        \
    X(kTxtSiren, 75)                                                                                                   \
    X(kTxtCallOut, 76)                                                                                                 \
    X(kTxtCodeLockArming, 77)                                                                                          \
    X(kTxtDisableChannel, 78)                                                                                          \
    X(kTxtOperatingMode, 79) /* ISA and roller master */                                                               \
    X(kTxtDisarmingTime, 81)                                                                                           \
    X(kTxtSirenTime, 82)                                                                                               \
    X(kTxtCallOutDelay, 83)                                                                                            \
    X(kTxtArmingDelay, 84)                                                                                             \
    X(kTxtUnitSec, 85) /* unit of the arming, disarming, on-delay, flash and run times */                              \
    X(kTxtUnitMin, 61) /* unit of the siren, call-out, reset and SMS response times */                                 \
    X(kTxtResetInput, 86)                                                                                              \
    X(kTxtIsaModeAutoReset, 87)                                                                                        \
    X(kTxtIsaModeManualReset, 88)                                                                                      \
    X(kTxtResetTime, 89)                                                                                               \
    X(kTxtAcknowledgeInput, 96)                                                                                        \
    X(kTxtLampTestInput, 97)                                                                                           \
    X(kTxtFlashOnAlarm, 293)                                                                                           \
    X(kTxtFlashPattern, 294)                                                                                           \
    X(kTxtBack, 354) /* leaves the flash pattern grid for the siren's page */                                          \
    X(kTxtFlashInterval, 295)                                                                                          \
    /* Logic page and report */                                                                                        \
    X(kTxtLogicBlocks, 90)                                                                                             \
    X(kTxtInput1, 91)                                                                                                  \
    X(kTxtInput2, 92)                                                                                                  \
    X(kTxtFunction, 93) /* logic operation column, analogue sensor kind */                                             \
    X(kTxtOutput, 94)                                                                                                  \
    X(kTxtNotes, 95)                                                                                                   \
    /* Roller blind and roller master pages */                                                                         \
    X(kTxtSimultaneous, 69)                                                                                            \
    X(kTxtSequential, 98)                                                                                              \
    X(kTxtPriority, 287)                                                                                               \
    X(kTxtUp, 288)                                                                                                     \
    X(kTxtDown, 289)                                                                                                   \
    X(kTxtWithSlats, 296)                                                                                              \
    X(kTxtMasterReverseTime, 297)                                                                                      \
    X(kTxtRunTime, 301)                                                                                                \
    X(kTxtReverseTime, 302)                                                                                            \
    X(kTxtUnitMs, 303)                                                                                                 \
    /* Analogue sensor page and report */                                                                              \
    X(kTxtLimit, 203)                                                                                                  \
    X(kTxtLimitInverted, 204)                                                                                          \
    X(kTxtRange, 205)                                                                                                  \
    X(kTxtExchangeLimits, 242)                                                                                         \
    X(kTxtSecondLimit, 245)                                                                                            \
    X(kTxtRangeMin, 271)                                                                                               \
    X(kTxtRangeMax, 272)                                                                                               \
    X(kTxtOffBelow, 273)                                                                                               \
    X(kTxtOnAbove, 274)                                                                                                \
    X(kTxtLuxMeter, 276)                                                                                               \
    X(kTxtWindMeter, 277)                                                                                              \
    X(kTxtTemperatureMeter, 278)                                                                                       \
    X(kTxtGeneralSensor, 279)                                                                                          \
    X(kTxtControlOutput, 281)                                                                                          \
    X(kTxtOnBelow, 283)                                                                                                \
    X(kTxtOffAbove, 284)                                                                                               \
    X(kTxtExternalLimit, 312)                                                                                          \
    X(kTxtExternalLimitChannel, 313)                                                                                   \
    /* SMS page and report */                                                                                          \
    X(kTxtSmsNumbers, 211)                                                                                             \
    X(kTxtDialInNumbers, 212)                                                                                          \
    X(kTxtDialInPassword, 213)                                                                                         \
    X(kTxtDialOutMethod, 214)                                                                                          \
    X(kTxtDialOutSmsOnly, 215)                                                                                         \
    X(kTxtDialOutConfirmed, 216)                                                                                       \
    X(kTxtDialIn, 314)                                                                                                 \
    X(kTxtPasswordProtection, 315)                                                                                     \
    X(kTxtKnownNumbersOnly, 316)                                                                                       \
    X(kTxtResponseTime, 317)                                                                                           \
    X(kTxtSmsMessageWords, 318) /* sent to the unit as SmsText 9..13, 16 characters each */                            \
    X(kTxtSmsIdentification, 319)                                                                                      \
    X(kTxtOnlyCharactersReachUnit, 394) /* an SMS text longer than its slot; %1 = the characters that reach */         \
    X(kTxtPhoneNumberRule, 395)         /* tooltip of a telephone number that is not one */                            \
    /* Holiday page */                                                                                                 \
    X(kTxtHolidayHeading, 197)                                                                                         \
    X(kTxtMonth, 263)                                                                                                  \
    X(kTxtDay, 264) /* also a unit label (7 characters) */                                                             \
    X(kTxtFrom, 265)                                                                                                   \
    X(kTxtTo, 266)                                                                                                     \
    X(kTxtNoSuchDay, 396)       /* a holiday day the month does not have */                                            \
    X(kTxtEndsBeforeStart, 397) /* a holiday period over New Year */                                                   \
    X(kTxtNotReadBack, 398)     /* holiday periods 9..16 are not read back from the unit */                            \
    /* Unit label texts sent to the unit at 0x3AE0 (cut or padded to 7, 7, 7, 5, 5 characters) */                      \
    X(kTxtChannel, 252) /* also report column, roller page label */                                                    \
    X(kTxtUnitLabelTime, 267)                                                                                          \
    X(kTxtUnitLabelOn, 268)                                                                                            \
    X(kTxtUnitLabelOff, 269)                                                                                           \
    /* Transfer window */                                                                                              \
    X(kTxtButtonOk, 173)                                                                                               \
    X(kTxtButtonCancel, 174)                                                                                           \
    X(kTxtButtonRetry, 175)                                                                                            \
    X(kTxtTransferReady, 176)                                                                                          \
    X(kTxtPortError, 177)                                                                                              \
    X(kTxtNoAnswer, 179)                                                                                               \
    X(kTxtDataReceived, 180)                                                                                           \
    X(kTxtWriteAccepted, 181)                                                                                          \
    X(kTxtWriteRefused, 182)                                                                                           \
    X(kTxtSendingSetup, 183)                                                                                           \
    X(kTxtSendingTexts, 184)                                                                                           \
    X(kTxtSendingLogic, 185)                                                                                           \
    X(kTxtSendingDescriptions, 186)                                                                                    \
    X(kTxtReading, 187)                                                                                                \
    X(kTxtWaitingForAnswer, 188)                                                                                       \
    X(kTxtNewerFirmware, 309)                                                                                          \
    /* Transfer jobs and port problems */                                                                              \
    X(kTxtOtherPort, 152)          /* COM port menu: a serial device given by its path */                              \
    X(kTxtOtherPortPrompt, 153)    /* asks for that device path */                                                     \
    X(kTxtResetSimulatedUnit, 154) /* COM port menu: empties the simulated master unit */                              \
    X(kTxtPhaseBackup, 155)        /* the backup read before a write, as a phase of the job */                         \
    X(kTxtPhaseVerify, 156)        /* the read-back after a write, as a phase of the job */                            \
    X(kTxtTimeLeft, 157)           /* %1 = the time the job still needs, m:ss */                                       \
    X(kTxtOpenFolder, 158)         /* opens the folder of the backups */                                               \
    X(kTxtCancelled, 159)          /* the user cancelled the transfer */                                               \
    X(kTxtNothingTaken, 160)       /* after a cancelled read or comparison */                                          \
    X(kTxtNothingWritten, 161)     /* after a cancelled backup before a write */                                       \
    X(kTxtWritePartial, 162)       /* after a write that was cancelled or cut off */                                   \
    X(kTxtConnectionLost, 163)     /* the port failed in the middle of a transfer */                                   \
    X(kTxtPortNoPermission, 390)   /* the system refused the port (Linux: the group dialout) */                        \
    X(kTxtPortInUse, 391)          /* another program has the port */                                                  \
    X(kTxtPortMissing, 392)        /* there is no such device */                                                       \
    X(kTxtVerifyCancelled, 393)    /* the read-back after a write was cancelled */                                     \
    /* The causes of refused ports, interrupted writes and a start that cannot go on */                                \
    X(kTxtPortNotSerial, 560)                                                                                          \
    X(kTxtPortRootOnly, 561)        /* the group dialout does not help: only root may use the device */                \
    X(kTxtAnsweredDuringWrite, 562) /* characters from the unit while a write was still being sent */                  \
    X(kTxtPortSettingUnknown, 563)  /* %1 = the port setting not understood, %2 = the port used instead */             \
    X(kTxtNoPrivateFolder, 564)     /* %1 = the folders that will not do for the lock */                               \
    /* Reports */                                                                                                      \
    X(kTxtMuxInputs, 250)                                                                                              \
    X(kTxtMuxDelayShort, 251)                                                                                          \
    X(kTxtSettings, 253)                                                                                               \
    X(kTxtDurationUnit, 255)                                                                                           \
    X(kTxtChannels, 258)                                                                                               \
    X(kTxtNothingToPrint, 270)                                                                                         \
    X(kTxtPage, 300)                                                                                                   \
    /* Help */                                                                                                         \
    X(kTxtNoHelp, 200)                                                                                                 \
    X(kTxtQtLanguage, 99) /* the language code of Qt's own dialogs and buttons ("de": qtbase_de) */                    \
    /* Lists of differences (compare, verify, korvane-cli diff) */                                                     \
    X(kTxtYes, 217)           /* a ticked box */                                                                       \
    X(kTxtNo, 218)            /* a box not ticked */                                                                   \
    X(kTxtNone, 219)          /* a holiday period, logic block or day set not in use */                                \
    X(kTxtLogicBlock, 220)    /* "Logic block" before its number */                                                    \
    X(kTxtHolidayPeriod, 221) /* "Holiday period" before its number */                                                 \
    X(kTxtDaySet, 222)        /* "Day set" before the number of a real-time day set */                                 \
    /* Texts the program adds for controls and messages the design leaves without a number */                          \
    X(kTxtBasicFunction, 370) /* L_GRUNDFUNK */                                                                        \
    X(kTxtInvertMono, 371)    /* Chk_InvertMono */                                                                     \
    X(kTxtLanguageFiles, 372) /* L_langname on the language page */                                                    \
    X(kTxtBrowse, 373)        /* C_FindLang */                                                                         \
    X(kTxtLanguageSlot, 374)  /* "Language" before the slot number on the language page */                             \
    X(kTxtNoPrinter, 375)     /* no printer: offer a PDF file */                                                       \
    X(kTxtSaveFailed, 376)    /* a configuration file could not be written */                                          \
    X(kTxtReadFailed, 377)    /* a configuration file could not be read */                                             \
    X(kTxtLine, 378)          /* "line" before a line number in file messages */                                       \
    X(kTxtSimulatedUnit, 379) /* COM port menu entry of the simulated master unit */                                   \
    X(kTxtPdfFiles, 380)      /* file type of the PDF save dialog */                                                   \
    X(kTxtMonthNames, 381)    /* the twelve month names of the report date, separated by commas */                     \
    X(kTxtLongDate, 382)      /* the report date: D or DD day, MM month number, MMMM month name, YYYY year */          \
    X(kTxtPrintPreview, 383)  /* Print menu: preview of a report */                                                    \
    X(kTxtSaveAsPdf, 384)     /* Print menu: a report as a PDF file */                                                 \
    X(kTxtAllReports, 385)    /* every report that has something to print, in one document */                          \
    X(kTxtSentToPrinter, 386) /* a report went to the printer; %1 = the printer's name */                              \
    X(kTxtPrintFailed, 387)   /* the printer refused the report; %1 = the printer's name */                            \
    /* Reports a reader can use */                                                                                     \
    X(kTxtTriggerTime1, 280) /* master report: heading of the first trigger-time column */                             \
    X(kTxtTriggerTime2, 282) /* master report: heading of the second trigger-time column */                            \
    X(kTxtNumberShort, 298)  /* "No.": the number column of the holiday periods and the logic blocks */                \
    X(kTxtInUseOnly, 311)    /* Print menu: leave out unused channels and empty logic blocks */                        \
    X(kTxtPdfSaved, 327)     /* Save as PDF done; %1 = the file; asks whether to open it */                            \
    X(kTxtNoViewer, 328)     /* the desktop has no program for the saved PDF file; %1 = the file */                    \
    /* Writing with confidence: verify, backup, compare (numbers no other text uses) */                                \
    X(kTxtMenuCompareFile, 362)  /* File menu: compare the configuration in memory with a file */                      \
    X(kTxtMenuCompareUnit, 363)  /* File menu: compare the configuration in memory with the master unit */             \
    X(kTxtMenuBackups, 364)      /* File menu: open the folder of the backups taken before writing */                  \
    X(kTxtVerify, 365)           /* transfer window: read back and compare after a write */                            \
    X(kTxtVerifyAfterWrite, 366) /* transfer window check box, remembered */                                           \
    X(kTxtBackupFirst, 367)      /* transfer window check box, remembered */                                           \
    X(kTxtVerifyOk, 368)         /* verify found no difference */                                                      \
    X(kTxtVerifyDiffers, 369)    /* verify found differences (the list follows) */                                     \
    X(kTxtNoDifferences, 332)    /* a comparison found nothing */                                                      \
    X(kTxtCopy, 333)             /* copies a list of differences */                                                    \
    X(kTxtBackupSaved, 334)      /* before the backup file's path */                                                   \
    X(kTxtBackupFailed, 335)     /* the backup before a write failed */                                                \
    X(kTxtUnitValue, 336)        /* before the unit's value in a verify line */                                        \
    X(kTxtWrittenValue, 337)     /* before the written value in a verify line */                                       \
    X(kTxtSetupByte, 338)        /* a channel setup byte in a list of differences */                                   \
    X(kTxtMasterByte, 339)       /* a master matrix byte in a list of differences */                                   \
    X(kTxtByte, 324)             /* a system or logic byte in a list of differences */                                 \
    X(kTxtSmsEntry, 325)         /* an SMS entry in a list of differences */                                           \
    /* Copy, paste, move and swap channels */                                                                          \
    X(kTxtMenuCopyChannels, 580)      /* Edit menu and matrix context menu: copy the selected channels */              \
    X(kTxtMenuPasteChannels, 581)     /* Edit menu and matrix context menu: paste channels or descriptions */          \
    X(kTxtMenuMoveChannel, 582)       /* Edit menu: move the current channel to another */                             \
    X(kTxtMenuSwapChannel, 583)       /* Edit menu: swap the current channel with another */                           \
    X(kTxtOpMove, 584)                /* undo step "Move A3 -> B5" */                                                  \
    X(kTxtOpSwap, 585)                /* undo step "Swap A3 <-> B5" */                                                 \
    X(kTxtOpPaste, 586)               /* undo step "Paste A1..A2 -> B5" */                                             \
    X(kTxtOpDescriptions, 587)        /* undo step of pasted spreadsheet descriptions */                               \
    X(kTxtReferencesChanged, 588)     /* %1 = how many references followed the channel */                              \
    X(kTxtOneReferenceChanged, 589)   /* one reference followed the channel */                                         \
    X(kTxtNoReferenceChanged, 590)    /* nothing referred to the channel */                                            \
    X(kTxtChannelsPasted, 591)        /* %1 = how many channels were pasted */                                         \
    X(kTxtDescriptionsPasted, 592)    /* %1 = how many descriptions were pasted */                                     \
    X(kTxtNotPasted, 593)             /* heading of the refused cells of a paste */                                    \
    X(kTxtNothingDone, 594)           /* an operation refused as a whole */                                            \
    X(kTxtRefusedClaimed, 595)        /* %1 = channel */                                                               \
    X(kTxtRefusedSecondOfPair, 596)   /* %1 = channel, %2 = first channel of its pair */                               \
    X(kTxtRefusedPairOnOdd, 597)      /* %1 = channel */                                                               \
    X(kTxtRefusedPairPastEnd, 598)    /* %1 = channel */                                                               \
    X(kTxtRefusedInUse, 599)          /* %1 = channel, %2 = its function */                                            \
    X(kTxtRefusedReferredTo, 600)     /* %1 = channel, %2 = how many settings */                                       \
    X(kTxtRefusedNotInUse, 601)       /* %1 = channel */                                                               \
    X(kTxtRefusedNotOffered, 602)     /* %1 = channel, %2 = the function */                                            \
    X(kTxtRefusedCommonSiren, 603)    /* %1 = channel, %2 = the channel of the common siren */                         \
    X(kTxtRefusedOddRollerMark, 604)  /* %1 = channel */                                                               \
    X(kTxtRefusedOutsideMatrix, 605)  /* %1 = how many cells */                                                        \
    X(kTxtRefusedSameChannel, 606)    /* %1 = channel */                                                               \
    X(kTxtRefusedSizeMismatch, 607)   /* %1 = copied range, %2 = selected range */                                     \
    X(kTxtRefusedNothingToPaste, 608) /* clipboard without channels or text */                                         \
    X(kTxtMoveSwapTarget, 609)        /* label of the channel asked for by Move channel to... and Swap with... */      \
    X(kTxtBackupWhen, 610)            /* backups list column */                                                        \
    X(kTxtBackupPort, 611)            /* backups list column */                                                        \
    X(kTxtBackupChannels, 612)        /* backups list column */                                                        \
    X(kTxtBackupDescription, 613)     /* backups list column */                                                        \
    X(kTxtBackupDamaged, 614)         /* %1 = why the backup cannot be read */                                         \
    X(kTxtBackupOpen, 615)            /* backups list button */                                                        \
    X(kTxtBackupCompareCurrent, 616)  /* backups list button */                                                        \
    X(kTxtBackupCompareUnit, 617)     /* backups list button */                                                        \
    X(kTxtBackupWrite, 618)           /* backups list button */                                                        \
    X(kTxtBackupShowFolder, 619)      /* backups list button, only where a file manager exists */                      \
    X(kTxtBackupCopyPath, 620)        /* backups list button where no file manager exists */                           \
    X(kTxtBackupDelete, 621)          /* backups list button */                                                        \
    X(kTxtBackupAskDelete, 622)       /* %1 = how many backups */                                                      \
    X(kTxtBackupFolderIs, 623)        /* %1 = the backups folder */                                                    \
    X(kTxtBackupNone, 624)            /* the backups list is empty */                                                  \
    X(kTxtThisConfiguration, 625)     /* compare list column heading */                                                \
    X(kTxtInTheUnit, 626)             /* compare list column heading */                                                \
    X(kTxtPortIs, 627)                /* transfer window: %1 = the port and its adapter */                             \
    X(kTxtNoFileManager, 628)         /* before the path to copy where no file manager exists */                       \
    X(kTxtPortNotRecorded, 629)       /* backups list: a backup whose port was not noted */                            \
    X(kTxtBackupNotDeleted, 630)      /* %1 = the backup file */                                                       \
    X(kTxtBackupOf, 631)              /* title of a backup opened or compared: %1 = its date and time */               \
    X(kTxtInMemory, 326)              /* the configuration in memory in a comparison heading */                        \
    /* Spreadsheet files, label sheets and the site book */                                                            \
    X(kTxtCsvFunction, 640)            /* spreadsheet export: the heading of the function column */                    \
    X(kTxtMenuExportCsv, 641)          /* File menu: the channel list as a spreadsheet file */                         \
    X(kTxtMenuImportDescriptions, 642) /* File menu: descriptions from a spreadsheet file */                           \
    X(kTxtCsvFilter, 643)              /* file dialog filter name of spreadsheet files */                              \
    X(kTxtCsvLine, 644)                /* a line of a spreadsheet file not read: %1 = line, %2 = why */                \
    X(kTxtCsvNotClosed, 645)           /* spreadsheet line: a quoted field runs to the end of the file */              \
    X(kTxtCsvAfterQuote, 646)          /* spreadsheet line: text after a closing quote */                              \
    X(kTxtCsvNoChannel, 647)           /* spreadsheet line: %1 = what the channel column holds */                      \
    X(kTxtCsvNoDescription, 648)       /* spreadsheet line: %1 = channel, the line ends before the description */      \
    X(kTxtCsvTwice, 649)               /* spreadsheet line: %1 = channel, %2 = the earlier line */                     \
    X(kTxtCsvLinesNotRead, 650)        /* heading of the lines of a spreadsheet file not read */                       \
    X(kTxtCsvApplyQuestion, 651)       /* import question: %1 = how many descriptions change */                        \
    X(kTxtCsvNoChanges, 652)           /* import: the file changes no description */                                   \
    X(kTxtOpImportDescriptions, 653)   /* undo step of imported descriptions */                                        \
    X(kTxtCsvLonger, 654)              /* import: %1 = how many descriptions are longer than the unit keeps */         \
    X(kTxtCsvImported, 655)            /* import done: %1 = how many descriptions changed */                           \
    X(kTxtMenuLabels, 656)             /* Print menu: label sheet */                                                   \
    X(kTxtMenuSiteBook, 657)           /* Print menu: site book */                                                     \
    X(kTxtLabelSheet, 658)             /* label dialog: the sheet */                                                   \
    X(kTxtLabelCustom, 659)            /* label dialog: a sheet given in millimetres */                                \
    X(kTxtLabelWidth, 660)             /* label dialog: label width */                                                 \
    X(kTxtLabelHeight, 661)            /* label dialog: label height */                                                \
    X(kTxtLabelColumns, 662)           /* label dialog: labels across */                                               \
    X(kTxtLabelRows, 663)              /* label dialog: labels down */                                                 \
    X(kTxtLabelLeft, 664)              /* label dialog: left margin */                                                 \
    X(kTxtLabelTop, 665)               /* label dialog: top margin */                                                  \
    X(kTxtLabelGapX, 666)              /* label dialog: gap between columns */                                         \
    X(kTxtLabelGapY, 667)              /* label dialog: gap between rows */                                            \
    X(kTxtBookTitle, 668)              /* site book: the cover's title and the outline's first entry */                \
    X(kTxtBookContents, 669)           /* site book: the contents page */                                              \
    X(kTxtBookPageOf, 670)             /* site book page numbers: %1 = page, %2 = pages */                             \
    X(kTxtBookInstaller, 671)          /* site book cover, and the question asked once: the installer's name */        \
    X(kTxtBookCompany, 672)            /* site book cover, and the question asked once: the installer's company */     \
    X(kTxtBookDate, 673)               /* site book cover: the date it was made */                                     \
    X(kTxtBookChannelsInUse, 674)      /* site book cover: how many channels are in use */                             \
    X(kTxtBookLastWrite, 675)          /* site book cover: the last write to the unit */                               \
    X(kTxtBookWriteLine, 676)          /* site book cover: %1 = date and time, %2 = port, %3 = the verify verdict */   \
    X(kTxtBookNoWrite, 677)            /* site book cover: no write of this configuration from this program */         \
    X(kTxtBookDeviceNumber, 678)       /* site book cover: the device number */                                        \
    X(kTxtBookGroup, 679)              /* site book outline: %1 = the group letter of the channel list */              \
    X(kTxtRecordTitle, 698)   /* the record of the last check of the unit, alone and as the book's last part */        \
    X(kTxtRecordSave, 699)    /* transfer window button: save the record of this check as a PDF file */                \
    X(kTxtRecordChecked, 700) /* record: when the unit was checked */                                                  \
    X(kTxtRecordPort, 701)    /* record: the port the unit was checked through */                                      \
    X(kTxtRecordKind, 702)    /* record: what kind of check it was */                                                  \
    X(kTxtRecordVerify, 703)  /* record: the check was a read-back after a write */                                    \
    X(kTxtRecordCompare, 704) /* record: the check was a comparison with the unit */                                   \
    X(kTxtRecordVerdict, 705) /* record: what the check found */                                                       \
    X(kTxtRecordDetails, 706) /* record: the heading of the differences and of the texts kept in part */               \
    X(kTxtRecordAdd, 707)     /* site book: add the last check as the last part? %1 = the check in words */            \
    X(kTxtRecordDifferenceCount, 708) /* record: a comparison found %1 differences */                                  \
    /* The command line's sentences */                                                                                 \
    X(kTxtCliMissingFile, 680)        /* command line, wrong use: a file name is missing */                            \
    X(kTxtCliUnexpectedArgument, 681) /* command line, wrong use: %1 = the argument too many */                        \
    X(kTxtCliUnknownOption, 682)      /* command line, wrong use: %1 = the option */                                   \
    X(kTxtCliOptionNeedsValue, 683)   /* command line, wrong use: %1 = the option */                                   \
    X(kTxtCliUnknownCommand, 684)     /* command line, wrong use: %1 = the command */                                  \
    X(kTxtCliSeeHelp, 685)            /* command line, after a wrong use: %1 = the command */                          \
    X(kTxtCliNeeds, 686)              /* command line, wrong use: %1 = the command, %2 = what it needs (-o OUT) */     \
    X(kTxtCliUnknownReport, 687)      /* command line, wrong use: %1 = the report asked for */                         \
    X(kTxtCliWants, 688) /* command line, wrong use: %1 = the option, %2 = what it takes, %3 = what was given */       \
    X(kTxtCliUnknownFault, 689)    /* command line, wrong use: %1 = the fault of the simulated unit */                 \
    X(kTxtCliUnknownLanguage, 690) /* command line, wrong use: %1 = the language asked for, %2 = the choices */        \
    X(kTxtCliLanguageFile, 691)    /* command line, a language file that cannot be used: %1 = the file and why */      \
    X(kTxtCliNoAnswer, 692)        /* command line, a read or write got no answer, or no whole one */                  \
    X(kTxtCliRefused, 693)         /* command line, the unit refused a write */                                        \
    X(kTxtCliNewerDeclined, 694)   /* command line, a read of a unit with newer firmware was not taken */              \
    X(kTxtCliImageDamaged, 695)    /* command line, import-hex: %1 = the capture file, %2 = why */                     \
    X(kTxtCliNewerNote, 696)      /* command line, import-hex: %1 = the unit's firmware version, %2 = the program's */ \
    X(kTxtCliCompareHeading, 697) /* command line, compare: %1 = the number of differences, %2 = the file */           \
    /* The problems list: what the unit will cut, ignore or never do */                                                \
    X(kTxtProblems, 420)              /* View menu and the list's title: what the unit will cut, ignore or never do */ \
    X(kTxtSeverityCut, 421)           /* a problem's severity: the unit keeps it only in part, or a save drops it */   \
    X(kTxtSeverityNotWork, 422)       /* a problem's severity: the unit takes it but can never do it */                \
    X(kTxtSeverityNote, 423)          /* a problem's severity: worth knowing, nothing is lost */                       \
    X(kTxtProblemCount, 424)          /* status bar: %1 = the number of problems */                                    \
    X(kTxtNoProblems, 425)            /* status bar and list: the configuration has none */                            \
    X(kTxtTextCut, 426)               /* %1 = the text's characters, %2 = those the unit keeps */                      \
    X(kTxtAboveChannelsInUse, 427)    /* a channel with a function or description above the number of channels */      \
    X(kTxtRefersToUnused, 428)        /* %1 = the channel referred to */                                               \
    X(kTxtRefersAboveInUse, 429)      /* %1 = the channel referred to */                                               \
    X(kTxtNoTarget, 430)              /* a master function or roller master that drives no channel */                  \
    X(kTxtTarget, 431)                /* a channel a master function drives */                                         \
    X(kTxtNeverSwitches, 432)         /* a real-time channel or clock-run master without a day set */                  \
    X(kTxtTimesWithoutDays, 433)      /* a day set with times and no day ticked */                                     \
    X(kTxtHolidayWithoutPeriod, 434)  /* a day set's holiday box while no holiday period is in use */                  \
    X(kTxtNoSiren, 435)               /* an alarm detector whose alarm has nothing to sound or call */                 \
    X(kTxtNoDetector, 436)            /* an alarm siren whose alarm has no detector */                                 \
    X(kTxtSmsWithoutNumber, 437)      /* events by SMS and no telephone number */                                      \
    X(kTxtDialInWithoutNumber, 438)   /* dial-in from known numbers only and none given */                             \
    X(kTxtDialInWithoutPassword, 439) /* dial-in needs a password and none is given */                                 \
    X(kTxtNotReadBackNote, 440)       /* holiday periods 9..16 */                                                      \
    X(kTxtWriteProblems, 441)         /* the question before File > Write; the problems follow */                      \
    X(kTxtShowProblems, 442)          /* button of the question before a write */                                      \
    X(kTxtWriteAnyway, 443)           /* button of the question before a write */                                      \
    X(kTxtVerifyKeptInPart,                                                                                            \
      444)                     /* verify found no difference, but texts were cut; %1 = how many (the list follows) */  \
    X(kTxtKeptInPart, 445)     /* heading of the texts a unit keeps only in part (compare, verify) */                  \
    X(kTxtUnitKeepsChars, 446) /* tooltip of a description's counter; %1 = the characters the unit keeps */            \
    X(kTxtMoreProblems, 447)   /* the question before a write lists a few; %1 = how many more */                       \
    X(kTxtSeverityColumn, 448) /* problems list: column heading of the severity */                                     \
    X(kTxtPlaceColumn, 449)    /* problems list: column heading of the place */                                        \
    X(kTxtUnitCelsius, 520)    /* unit of a temperature sensor's range and limits */                                   \
    X(kTxtUnitLux, 521)        /* unit of a light meter's range and limits */                                          \
    X(kTxtUnitWindSpeed, 522)  /* unit of a wind meter's range and limits */                                           \
    /* Room to work */                                                                                                 \
    X(kTxtMenuCellText, 254) /* View menu: the channels' descriptions in the matrix's cells, remembered */             \
    /* Every channel in words: who uses it, grid legends, finding a channel */                                         \
    X(kTxtUsedBy, 480)         /* the list of what refers to a channel, on its page */                                 \
    X(kTxtUsedByNone, 481)     /* nothing refers to the channel */                                                     \
    X(kTxtRefSwitchesOn, 482)  /* a master function switches the channel on */                                         \
    X(kTxtRefSwitchesOff, 483) /* a master function switches the channel off */                                        \
    X(kTxtRefFlashes, 484)     /* an intruder siren flashes the channel */                                             \
    X(kTxtRefMovesBlind, 485)  /* a roller master commands the blind */                                                \
    X(kTxtRefLogicOutput, 486) /* a logic block drives the channel */                                                  \
    X(kTxtRefLogicInput, 487)  /* a logic block reads the channel; %1 = 1 or 2 */                                      \
    X(kTxtRefInverted, 488)    /* a logic input read inverted */                                                       \
    X(kTxtRefRising, 489)      /* a logic input read on its rising edge */                                             \
    X(kTxtRefFalling, 490)     /* a logic input read on its falling edge */                                            \
    X(kTxtRefExchange, 491)    /* the channel is in the data exchange mask */                                          \
    X(kTxtRefClaims, 492)      /* a main setup list holds the channel */                                               \
    X(kTxtRefIdle, 493)        /* a reference the unit does not act on now */                                          \
    X(kTxtTargetCount, 494)    /* master grid legend; %1 targets on, %2 off */                                         \
    X(kTxtBlindCount, 495)     /* roller master grid legend; %1 blinds */                                              \
    X(kTxtExchangeCount, 496)  /* exchange mask legend; %1 channels */                                                 \
    X(kTxtFlashCount, 497)     /* flash pattern legend; %1 channels */                                                 \
    X(kTxtMenuFind, 498)       /* Edit menu: find a channel by name or description */                                  \
    X(kTxtFindPrompt, 499)     /* the find field's caption */                                                          \
    X(kTxtFindNone, 500)       /* no channel matches what was typed */                                                 \
    X(kTxtFindCount, 501)      /* the match shown; %1 = its number, %2 = how many */

#define KORVANE_DECLARE_TEXT(name, number) constexpr int name = number;
KORVANE_LANGUAGE_TEXTS(KORVANE_DECLARE_TEXT)

// ---- Language texts made by formula ----
constexpr int kTxtTypeNameBase = 100; // name of channel type t: 100 + t
constexpr int kTxtWeekdayBase = 188;  // weekday w (1 = Sunday .. 7 = Saturday): 188 + w
constexpr int kTxtShortcutBase = 340; // shortcut letter k = 0..11: first character of 340 + k
constexpr int kShortcutCount = 12;

constexpr int TypeNameText(int typeCode) {
    return kTxtTypeNameBase + typeCode;
}
constexpr int WeekdayText(int w) {
    return kTxtWeekdayBase + w;
}
constexpr int ShortcutText(int k) {
    return kTxtShortcutBase + k;
}
constexpr int DayBoxText(int box) {
    return box < 7 ? kTxtDayMonday + box : kTxtDayHoliday;
}

// ---- Help numbers, X(name, number) ----
// Numbers the design fixes: 10, 200 + t, 410..412, 710, 712, 713, 1324, 1410..1415, 1910. The other
// controls of the editor window take a number from the hundred of their page (see the README).
#define KORVANE_HELP_TEXTS(X)                                                                                          \
    X(kHelpGeneral, 10)                                                                                                \
    /* Language page */                                                                                                \
    X(kHelpLanguageName, 110)   /* T_Language */                                                                       \
    X(kHelpLanguageBrowse, 111) /* C_FindLang */                                                                       \
    X(kHelpLanguageOk, 112)     /* C_langOk */                                                                         \
    /* Main setup page */                                                                                              \
    X(kHelpPcClock, 310)           /* C_pctime */                                                                      \
    X(kHelpAutoSummerTime, 311)    /* C_AutoSumWin */                                                                  \
    X(kHelpNumberOfChannels, 312)  /* Combo_NoChannels */                                                              \
    X(kHelpMuxCount, 313)          /* Combo_MuxCount */                                                                \
    X(kHelpMuxDelay, 314)          /* Combo_MuxDelay */                                                                \
    X(kHelpCounter, 315)           /* Combo_Counter */                                                                 \
    X(kHelpEventOutput, 316)       /* Combo_EventSelect */                                                             \
    X(kHelpTimeOutput, 317)        /* ComboDupUr */                                                                    \
    X(kHelpDeviceNumber, 318)      /* T_DeviceNo */                                                                    \
    X(kHelpSystemDescription, 319) /* T_generelBeskriv */                                                              \
    /* Holiday page */                                                                                                 \
    X(kHelpHolidayFromMonth, 410) /* T_MonthStart */                                                                   \
    X(kHelpHolidayFromDate, 411)  /* T_DateStart */                                                                    \
    X(kHelpHolidayTo, 412)        /* T_MonthEnd and T_DateEnd */                                                       \
    /* Common part of the channel pages and the basic page */                                                          \
    X(kHelpChannelDescription, 510) /* TextBeskriv */                                                                  \
    X(kHelpEventOn, 511)            /* Check1 */                                                                       \
    X(kHelpEventOff, 512)           /* Check2 */                                                                       \
    X(kHelpInvertMono, 520)         /* Chk_InvertMono */                                                               \
    X(kHelpFlipFlopIntruder, 521)   /* Chk_grundUseThief */                                                            \
    /* Timer page */                                                                                                   \
    X(kHelpTimerMode, 610)         /* O_TimerMode */                                                                   \
    X(kHelpTimerSinglePulse, 611)  /* Chk_TimPuls */                                                                   \
    X(kHelpTimerStartChannel, 612) /* Timer_NoPulses */                                                                \
    X(kHelpTimerTime1, 613)        /* TimerTid 0..2 */                                                                 \
    X(kHelpTimerTime2, 614)        /* TimerTid 3..5 */                                                                 \
    /* Master function page */                                                                                         \
    X(kHelpMasterMatrix, 710)   /* T_dummy, mode "EditMask" */                                                         \
    X(kHelpTriggerHour, 712)    /* HourOn, HourOFF in trigger mode */                                                  \
    X(kHelpTriggerMinute, 713)  /* MinutOn, MinutOFF in trigger mode */                                                \
    X(kHelpMasterRealTime, 714) /* Chk_masterRt */                                                                     \
    X(kHelpViewRealTime, 715)   /* Cmd_viewRt */                                                                       \
    /* Smoke alarm page */                                                                                             \
    X(kHelpSmokeFunction, 810)  /* O_røg */                                                                           \
    X(kHelpSmokeDisable, 811)   /* T_RøgDisable */                                                                    \
    X(kHelpSmokeSirenTime, 812) /* T_RøgsireneTid */                                                                  \
    X(kHelpSmokeCallOut, 813)   /* T_RøgViderTid */                                                                   \
    X(kHelpSmokeReset, 814)     /* T_RøgReset */                                                                      \
    /* Water alarm page */                                                                                             \
    X(kHelpWaterFunction, 910)  /* O_vand */                                                                           \
    X(kHelpWaterDisable, 911)   /* T_VandDisable */                                                                    \
    X(kHelpWaterSirenTime, 912) /* T_VandsireneTid */                                                                  \
    X(kHelpWaterCallOut, 913)   /* T_VandViderTid */                                                                   \
    X(kHelpWaterReset, 914)     /* T_VandResetTid */                                                                   \
    /* ISA alarm and common siren pages */                                                                             \
    X(kHelpIsaFunction, 1010)       /* O_ISA */                                                                        \
    X(kHelpIsaDisable, 1011)        /* T_ISADisable */                                                                 \
    X(kHelpIsaOnDelay, 1012)        /* T_ISAondelay */                                                                 \
    X(kHelpIsaSirenTime, 1013)      /* T_ISAsirenetid */                                                               \
    X(kHelpIsaMode, 1014)           /* Combo_ISAOpmode */                                                              \
    X(kHelpCommonSirenSource, 1050) /* C_FællesSirene */                                                              \
    X(kHelpCommonSirenTime, 1051)   /* T_FællessireneTid */                                                           \
    /* Roller blind page */                                                                                            \
    X(kHelpRollerRunTime, 1110)   /* T_RollUpTime */                                                                   \
    X(kHelpRollerReverse, 1111)   /* T_RollReverse */                                                                  \
    X(kHelpRollerSlats, 1112)     /* Chk_MitLamel */                                                                   \
    X(kHelpRollerDirection, 1113) /* Option1, Option2 */                                                               \
    X(kHelpRollerPriority, 1114)  /* T_Vorrang */                                                                      \
    /* Roller master page */                                                                                           \
    X(kHelpRollerMasterMatrix, 1210)  /* TdumRM */                                                                     \
    X(kHelpRollerMasterMode, 1211)    /* O_rmSIM, O_rmSEQ */                                                           \
    X(kHelpRollerMasterRunTime, 1212) /* Txt_Rm_RollTime */                                                            \
    X(kHelpRollerMasterReverse, 1213) /* Txt_RM_RevTim */                                                              \
    /* Intruder alarm page */                                                                                          \
    X(kHelpIntruderFunction, 1310)      /* O_tyv */                                                                    \
    X(kHelpIntruderDisable, 1311)       /* T_TyvDiasble */                                                             \
    X(kHelpIntruderArmDelay, 1312)      /* T_TyvArmTid */                                                              \
    X(kHelpIntruderDisarmTime, 1313)    /* T_TyvDesArmTid */                                                           \
    X(kHelpIntruderSirenTime, 1314)     /* T_TyvsireneTid */                                                           \
    X(kHelpIntruderFlashOn, 1315)       /* Chk_TyvM_Blink */                                                           \
    X(kHelpIntruderFlashInterval, 1316) /* Txt_BM_interval */                                                          \
    X(kHelpIntruderFlashSet, 1317)      /* Cmd_Tyv_BlinkSet */                                                         \
    X(kHelpIntruderCallOut, 1318)       /* T_TyvViderTid */                                                            \
    X(kHelpFlashPattern, 1324)          /* T_dummy, mode "IntruderFlashPattern" */                                     \
    /* Real-time page */                                                                                               \
    X(kHelpHourOn, 1410)                                                                                               \
    X(kHelpMinuteOn, 1411)                                                                                             \
    X(kHelpHourOff, 1412)                                                                                              \
    X(kHelpMinuteOff, 1413)                                                                                            \
    X(kHelpDays, 1414)       /* day boxes 0..6 */                                                                      \
    X(kHelpHolidayBox, 1415) /* day box 7 */                                                                           \
    /* Analogue sensor page */                                                                                         \
    X(kHelpSensorKind, 1510)          /* Opt_Senstype */                                                               \
    X(kHelpSensorDisable, 1511)       /* SensDisabel */                                                                \
    X(kHelpSensorOutput, 1512)        /* Chk_AnalinkOutCtrl */                                                         \
    X(kHelpSensorInvert, 1513)        /* Chk_ExchLim */                                                                \
    X(kHelpSensorExternLimit, 1514)   /* CHk_ExternLim */                                                              \
    X(kHelpSensorRangeMin, 1515)      /* T_RangeMin */                                                                 \
    X(kHelpSensorRangeMax, 1516)      /* T_RangeMax */                                                                 \
    X(kHelpSensorLimitChannel, 1517)  /* Txt_VarLim */                                                                 \
    X(kHelpSensorLimit1, 1518)        /* T_Setpoint 0, 1 */                                                            \
    X(kHelpSensorSecondLimit, 1519)   /* Chk_NightEnable */                                                            \
    X(kHelpSensorLimit2, 1520)        /* T_Setpoint 2, 3 */                                                            \
    X(kHelpSensorLimit2Channel, 1521) /* SensLim2Disabel */                                                            \
    /* Motion detector page */                                                                                         \
    X(kHelpMotionInAlarm, 1610) /* Chk_MotionInAlarm */                                                                \
    X(kHelpMotionPulses, 1611)  /* Txt_MotionPulses */                                                                 \
    X(kHelpMotionTime, 1612)    /* TimerTid 6..8 */                                                                    \
    /* Logic page */                                                                                                   \
    X(kHelpLogicPage, 1710)        /* C_LogBlok */                                                                     \
    X(kHelpLogicOutput, 1711)      /* T_LogicOut */                                                                    \
    X(kHelpLogicInput1, 1712)      /* T_logicIn1 */                                                                    \
    X(kHelpLogicOperation, 1713)   /* T_logicOPR */                                                                    \
    X(kHelpLogicInput2, 1714)      /* T_logicIn2 */                                                                    \
    X(kHelpLogicDescription, 1715) /* T_LogicDescription */                                                            \
    /* SMS page */                                                                                                     \
    X(kHelpSmsNumber, 1810)          /* Txt_PhoneNo 0..3 */                                                            \
    X(kHelpSmsIdentification, 1811)  /* Txt_SmsIdInfo */                                                               \
    X(kHelpDialOutMethod, 1812)      /* Combo_DialOutMethod */                                                         \
    X(kHelpSmsResponseTime, 1813)    /* txt_SmsRespTime */                                                             \
    X(kHelpKnownNumbersOnly, 1814)   /* Chk_saftyDialin */                                                             \
    X(kHelpDialInNumber, 1815)       /* Txt_PhoneNo 4..7 */                                                            \
    X(kHelpPasswordProtection, 1816) /* Chk_saftyPASSW */                                                              \
    X(kHelpDialInPassword, 1817)     /* Txt_DialInPassword */                                                          \
    /* Data exchange mask */                                                                                           \
    X(kHelpExchangeMask, 1910) /* T_dummy, mode "Data Exchange" */                                                     \
    /* Transfer window */                                                                                              \
    X(kHelpBackupFirst, 1960)      /* Chk_Backup */                                                                    \
    X(kHelpVerifyAfterWrite, 1961) /* Chk_VerifyAfterWrite */                                                          \
    X(kHelpVerify, 1962)           /* Cmd_verify */                                                                    \
    X(kHelpDifferences, 1963)      /* List_Differences */                                                              \
    X(kHelpTransferWindow, 1964)   /* the transfer window: connecting, ports, backup, verify */                        \
    X(kHelpBackupsList, 1965)      /* File > Backups of the unit */                                                    \
    X(kHelpRecord, 1966)           /* Cmd_SaveRecord: the handover record of a check */                                \
    X(kHelpLabelSheet, 1967)       /* Print > Labels: the label sheet */

KORVANE_HELP_TEXTS(KORVANE_DECLARE_TEXT)
#undef KORVANE_DECLARE_TEXT

// ---- Help numbers made by formula ----
constexpr int kHelpMainWindow = 200; // FocusHelpId of the main window; F1 on a cell adds the type code
constexpr int TypeHelp(int typeCode) {
    return kHelpMainWindow + typeCode;
}

// Every language text number the program uses, ascending, without repeats: the named texts above,
// the names of every defined channel type, the seven weekdays and the twelve shortcut letters.
const std::vector<int>& UsedLanguageTexts();

// Every help number the program uses, ascending: the named help numbers and 200 + t for every
// defined channel type.
const std::vector<int>& UsedHelpTexts();

} // namespace korvane
