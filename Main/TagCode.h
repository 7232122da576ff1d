// The byte code of catalogue descriptions, records, assignment lists and the
// rendered screen stream. A statement is a 0 byte, a tag byte and its operands;
// a value marker is a 1 byte, a kind byte and its payload.
#pragma once

enum TagCode : unsigned char {
  TAG_END = 0,
  TAG_INCLUDE = 21,
  TAG_SERVER_MARK = 28,
  TAG_RECORD_BLOCK = 41,
  TAG_RECORD_BLOCK_END = 42,
  TAG_REPEAT = 52,
  TAG_REPEAT_END = 53,
  TAG_TEXT_NUMBER = 62,
  TAG_FIELD = 63,
  TAG_VARIABLE_END = 64,
  TAG_VARIABLE = 65,
  TAG_TEXT_VARIABLE = 66,
  TAG_VALUE = 67,
  TAG_SET_DUD = 68,
  TAG_CHAR_CODE = 69,
  TAG_GROUP = 72,
  TAG_GROUP_END = 73,
  TAG_LINK_TARGET = 77,
  TAG_SET_CHAR = 78,
  TAG_SET_LONG = 79,
  TAG_SET_FLOAT = 80,
  TAG_SET_BOOL = 81,
  TAG_SERVER_FILE = 89,
  TAG_VALUE_END = 91,
  TAG_TEXT_VARIABLE_END = 92,
  TAG_FILE_HEAD = 97,
  TAG_GOTO_KEY = 123,
  TAG_GOTO_KEY_END = 124,
  TAG_SET_DUDCH = 125,
  TAG_TEXT_KEY = 126,
  TAG_TEXT_KEY_END = 127,
  TAG_MASTER_FIELD = 129,
  TAG_OTHER_KEY = 138,
  TAG_OTHER_KEY_END = 139,
  TAG_REPEAT_KEY = 141,
  TAG_REPEAT_KEY_END = 142,
  TAG_LEFT_NEIGHBOUR = 156,
  TAG_LEFT_NEIGHBOUR_END = 157,
  TAG_RIGHT_NEIGHBOUR = 158,
  TAG_RIGHT_NEIGHBOUR_END = 159,
  TAG_CLEAR_HISTORY = 160,
  TAG_RUN_PROGRAM = 162,
  TAG_RUN_PROGRAM_END = 163,
  TAG_NOTES_NAME = 164,
  TAG_NOTES_NAME_END = 165,
  TAG_IF = 166,
  TAG_THEN = 167,
  TAG_ELSE = 168,
  TAG_ENDIF = 169,
};

// Kinds of the value markers (1, kind, payload, 1, kind).
enum MarkerKind : unsigned char {
  MARKER_VARIABLE = 2,
  MARKER_TEXT_NUMBER = 3,
  MARKER_TEXT_VARIABLE = 4,
  MARKER_TEXT_KEY = 10,
  MARKER_FIELD = 14,
  MARKER_MASTER_FIELD = 27,
};

constexpr unsigned char kStatementByte = 0;
constexpr unsigned char kMarkerByte = 1;

// Inside value code, the only statement whose operand may hold any byte (a 0
// among them) is the text number with its 4 bytes; every reader of value
// code steps over them with this, so that none takes a number byte for the
// start of a statement.
constexpr int kTextNumberBytes = 4;
constexpr int ValueCodeOperandBytes(unsigned char tag) { return tag == TAG_TEXT_NUMBER ? kTextNumberBytes : 0; }
