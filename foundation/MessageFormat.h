// Fills a format text that comes from a message file. The format is data, so
// each conversion is checked against the argument it would take: a text for
// %s, a number for the integer conversions. A conversion without a fitting
// argument is dropped instead of reading what is not there.
#pragma once

#include <initializer_list>

#include "mfc/CString.h"
#include "win32/Types.h"

struct MessageArg {
  MessageArg(const char* text) : isText(true), text(text != nullptr ? text : "") {}  // NOLINT: reads as a call argument
  MessageArg(const CString& text) : isText(true), text(text) {}                       // NOLINT
  MessageArg(int number) : isText(false), number(number) {}                          // NOLINT

  bool isText;
  const char* text = "";
  int number = 0;
};

CString FormatMessageText(const char* format, std::initializer_list<MessageArg> args);
