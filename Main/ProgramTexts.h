// The numbers of the program texts that the viewer looks up in its message
// dictionary. Every unit takes its numbers from here, so that this one list
// says what an installation's message file must hold, in every program
// language (the installation check walks kAllProgramTexts).
#pragma once

#include "win32/Types.h"

namespace ProgramText {

// Buttons that many dialogs share.
inline constexpr LONG kOk = 1119;
inline constexpr LONG kCancel = 680;

// The start and note dialogs.
inline constexpr LONG kNoteCaption = 1546;
inline constexpr LONG kInsertMedium = 1547;
inline constexpr LONG kLoading = 1570;

// The status-bar hint of the action under the pointer.
inline constexpr LONG kBranchHint = 1538;
inline constexpr LONG kPartsHint = 1539;

// The about box and the version overview.
inline constexpr LONG kAboutCaption = 1548;
inline constexpr LONG kVersion = 728;
inline constexpr LONG kProject = 1550;
inline constexpr LONG kPhysicalMemory = 1582;
inline constexpr LONG kMemoryLoad = 1583;
inline constexpr LONG kHeapMemory = 2288;
inline constexpr LONG kCopyList = 1518;

// The language dialog.
inline constexpr LONG kLanguageCaption = 180;
inline constexpr LONG kProgramLanguage = 1585;
inline constexpr LONG kDataLanguage = 1586;

// The list dialogs: ambiguous branch, confirmation, history, variables.
inline constexpr LONG kBranchCaption = 1572;
inline constexpr LONG kBranchLabel = 1571;
inline constexpr LONG kConfirmCaption = 282;
inline constexpr LONG kConfirmLabel = 1573;
inline constexpr LONG kHistoryCaption = 1562;
inline constexpr LONG kHistoryLabel = 1563;
inline constexpr LONG kHistoryColumns[] = {1508, 1564, 1565};
inline constexpr LONG kVariablesCaption = 1559;
inline constexpr LONG kVariablesLabel = 1560;
inline constexpr LONG kVariablesColumns[] = {1561, 377, 566};

// Printing.
inline constexpr LONG kPrintCaption = 288;
inline constexpr LONG kPrintFailed = 1616;
inline constexpr LONG kPrintedDate = 456;
inline constexpr LONG kPrintedPage = 437;

// The pop-up window's system-menu entry that ends the viewer ("Varno4 " and this).
inline constexpr LONG kEndViewer = 325;

// The frame context menu.
inline constexpr LONG kPartsInfoEntry = 2322;
inline constexpr LONG kOrderEntry = 815;
inline constexpr LONG kBranchEntry = 1552;
inline constexpr LONG kZoomStartEntry = 1566;
inline constexpr LONG kZoomWholeEntry = 1567;
inline constexpr LONG kZoomPartEntry = 1568;
inline constexpr LONG kOrderListEntry = 1554;
inline constexpr LONG kCopyMenu = 1553;
inline constexpr LONG kCopyFieldEntry = 1558;
inline constexpr LONG kCopyRowEntry = 1555;
inline constexpr LONG kCopyTableEntry = 1556;
inline constexpr LONG kCopyPictureEntry = 1557;
inline constexpr LONG kMaximiseEntry = 1580;
inline constexpr LONG kRestoreEntry = 1581;

// The error report's format texts and the error dialog's own texts.
inline constexpr LONG kReportHeader = 1498;
inline constexpr LONG kReportNewestFile = 1499;
inline constexpr LONG kReportNewestLine = 1500;
inline constexpr LONG kReportNewestDetail = 1501;
inline constexpr LONG kReportOlderFile = 1502;
inline constexpr LONG kReportOlderLine = 1503;
inline constexpr LONG kReportOlderDetail = 1504;
inline constexpr LONG kReportShort = 1505;
inline constexpr LONG kErrorCaption = 3550;
inline constexpr LONG kErrorClose = 3551;
inline constexpr LONG kErrorDetails = 3552;
inline constexpr LONG kErrorShort = 3553;
inline constexpr LONG kErrorCopy = 3554;

}  // namespace ProgramText

// Every number above; the texts the catalogue's menu file, button files and
// language tables name come on top of these.
inline constexpr LONG kAllProgramTexts[] = {
    ProgramText::kOk, ProgramText::kCancel, ProgramText::kNoteCaption, ProgramText::kInsertMedium,
    ProgramText::kLoading, ProgramText::kBranchHint, ProgramText::kPartsHint, ProgramText::kAboutCaption,
    ProgramText::kVersion, ProgramText::kProject, ProgramText::kPhysicalMemory, ProgramText::kMemoryLoad,
    ProgramText::kHeapMemory, ProgramText::kCopyList, ProgramText::kLanguageCaption, ProgramText::kProgramLanguage,
    ProgramText::kDataLanguage, ProgramText::kBranchCaption, ProgramText::kBranchLabel, ProgramText::kConfirmCaption,
    ProgramText::kConfirmLabel, ProgramText::kHistoryCaption, ProgramText::kHistoryLabel,
    ProgramText::kHistoryColumns[0], ProgramText::kHistoryColumns[1], ProgramText::kHistoryColumns[2],
    ProgramText::kVariablesCaption, ProgramText::kVariablesLabel, ProgramText::kVariablesColumns[0],
    ProgramText::kVariablesColumns[1], ProgramText::kVariablesColumns[2], ProgramText::kPrintCaption,
    ProgramText::kPrintFailed, ProgramText::kPrintedDate, ProgramText::kPrintedPage, ProgramText::kEndViewer,
    ProgramText::kPartsInfoEntry, ProgramText::kOrderEntry, ProgramText::kBranchEntry, ProgramText::kZoomStartEntry,
    ProgramText::kZoomWholeEntry, ProgramText::kZoomPartEntry, ProgramText::kOrderListEntry, ProgramText::kCopyMenu,
    ProgramText::kCopyFieldEntry, ProgramText::kCopyRowEntry, ProgramText::kCopyTableEntry,
    ProgramText::kCopyPictureEntry, ProgramText::kMaximiseEntry, ProgramText::kRestoreEntry,
    ProgramText::kReportHeader, ProgramText::kReportNewestFile, ProgramText::kReportNewestLine,
    ProgramText::kReportNewestDetail, ProgramText::kReportOlderFile, ProgramText::kReportOlderLine,
    ProgramText::kReportOlderDetail, ProgramText::kReportShort, ProgramText::kErrorCaption, ProgramText::kErrorClose,
    ProgramText::kErrorDetails, ProgramText::kErrorShort, ProgramText::kErrorCopy};
