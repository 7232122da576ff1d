// How the screen readers see the statements of a rendered key: the length of
// each tag's operand, which tags carry a text or a nested block, the tags
// that open and close table cells, and the size lists of frame sets, tables
// and pictures. These tables are the screen's own; they differ from the
// engine's skip table on purpose (97, 102 and 103 have operands here, 129 has
// none, and 62 carries its 4-byte number alone).
#pragma once

#include <string_view>

#include "win32/Types.h"

// Bytes of the fixed operand of code: 0 to 4.
int ScreenOperandLength(unsigned char code);
// TRUE for the codes whose operand is a text running up to the next 0 byte.
BOOL IsScreenTextTag(unsigned char code);

// A block statement: its operand is a nested tag stream up to the statement
// made of 0 and endTag. With keepEnd that end statement belongs to the block,
// without it the end statement is left to the reader that follows.
struct ScreenBlock {
  unsigned char endTag;
  BOOL keepEnd;
};
BOOL IsScreenBlockTag(unsigned char code, ScreenBlock& block);

BOOL IsCellOpen(unsigned char code);
BOOL IsCellClose(unsigned char code);
// 1 free cell, 2 table cell, 0 for any other code.
int CellKind(unsigned char code);

// The leading decimal number of text as "%d" reads it (blanks, a sign,
// digits), held to the range of int; FALSE when there is none.
BOOL ScanDecimal(std::string_view text, int& value);

// Takes the first entry of a comma-separated size list off list: "*" or no
// number is -1 (the rest), else the leading number; percent when the entry
// ends in "%". FALSE (nothing taken) for an empty list or one that starts
// with a comma.
BOOL TakeSizeListEntry(std::string_view& list, int& value, BOOL& percent);
// The first entry of text as a single size; value and percent are written
// only when an entry was taken.
BOOL ReadSizeSpec(std::string_view text, int& value, BOOL& percent);
