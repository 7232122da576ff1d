#include "Main/CErrorTrace.h"

#include "Main/CWV4Globals.h"

namespace {

struct MessageRun {
  int firstCode;
  int lastCode;
  DWORD firstMessage;  // the codes of a run have rising message numbers; 0 stays 0
};

constexpr MessageRun kMessageRuns[] = {
    {0, 122, 1670},   {123, 123, 2988}, {124, 211, 1794}, {212, 213, 0},    {214, 223, 1884}, {224, 224, 1871},
    {225, 236, 1894}, {237, 242, 1905}, {243, 243, 1910}, {244, 245, 1910}, {246, 246, 0},    {247, 274, 1913},
    {275, 275, 1934}, {276, 295, 1941}, {296, 296, 1932}, {297, 299, 1961}, {300, 300, 1935}, {301, 319, 1964},
    {320, 320, 0},    {321, 332, 1984}, {333, 333, 1993}, {334, 341, 1996}, {342, 342, 2236}, {343, 343, 2679},
    {344, 344, 2247}, {345, 345, 2680}, {346, 355, 2008}, {356, 356, 2740}, {357, 357, 2745}, {358, 358, 2748},
    {359, 359, 2741}, {360, 360, 2747}, {361, 361, 2750}, {362, 362, 2752}, {363, 363, 2863}, {364, 364, 2881},
    {365, 365, 2880}, {366, 372, 2028}, {373, 373, 0},    {374, 398, 2036}, {399, 400, 0},    {401, 415, 2063},
    {416, 416, 0},    {417, 423, 2079}, {424, 433, 2085}, {434, 435, 0},    {436, 451, 2097}, {452, 453, 0},
    {454, 461, 2115}, {462, 462, 0},    {463, 466, 2124}, {467, 469, 0},    {470, 497, 2131}, {498, 498, 0},
    {499, 515, 2160}, {516, 516, 0},    {517, 523, 2178}, {524, 524, 2101}, {525, 525, 2080}, {526, 532, 2186},
    {533, 539, 3429}, {540, 540, 3540}, {541, 543, 3541},
};

// Texts of the codes that the catalogue's message files of older installations
// do not know; a message file that has them wins.
struct BuiltInText {
  int code;
  const char* text;
};
constexpr BuiltInText kBuiltInTexts[] = {
    {541, "Felder f\xFCgen sich zu tief ineinander ein / Fields insert each other too deeply"},
    {542, "Die Darstellung des Schl\xFCssels ist zu gro\xDF / The rendering of the key is too large"},
    {543, "Wiederholung ohne Fortschritt \xFC" "ber die S\xE4tze / Repeat without progress through the records"},
};

constexpr std::array<DWORD, kErrorCodeCount> MakeErrorTextTable() {
  std::array<DWORD, kErrorCodeCount> table{};
  int next = 0;
  for (const MessageRun& run : kMessageRuns) {
    if (run.firstCode != next) throw "message runs must cover every code in order";
    for (int code = run.firstCode; code <= run.lastCode; ++code) {
      table[code] = run.firstMessage == 0 ? 0 : run.firstMessage + static_cast<DWORD>(code - run.firstCode);
    }
    next = run.lastCode + 1;
  }
  if (next != kErrorCodeCount) throw "message runs must end at the last code";
  return table;
}

}  // namespace

const std::array<DWORD, kErrorCodeCount> ErrorTextTable = MakeErrorTextTable();

const char* BuiltInErrorText(int code) {
  for (const BuiltInText& entry : kBuiltInTexts) {
    if (entry.code == code) return entry.text;
  }
  return "";
}

CErrorTrace* CErrorTrace::Push(const char* sourceFile, const char* buildStamp, int line) {
  auto* node = new CErrorTrace;
  node->line = line;
  node->source_file = sourceFile;
  node->source_file.Replace('/', '\\');
  node->build_stamp = buildStamp;
  CErrorTrace* newest = theGlobals.m_error_trace_newest;
  if (newest != nullptr) {
    newest->newer = node;
    node->older = newest;
  } else {
    theGlobals.m_error_trace_oldest = node;
  }
  theGlobals.m_error_trace_newest = node;
  return node;
}

void CErrorTrace::Remove(CErrorTrace* node) {
  if (node == nullptr) return;
  if (node->older != nullptr) {
    node->older->newer = node->newer;
  } else if (theGlobals.m_error_trace_oldest == node) {
    theGlobals.m_error_trace_oldest = node->newer;
  }
  if (node->newer != nullptr) {
    node->newer->older = node->older;
  } else if (theGlobals.m_error_trace_newest == node) {
    theGlobals.m_error_trace_newest = node->older;
  }
  delete node;
}

void CErrorTrace::RemoveAll() {
  CErrorTrace* node = theGlobals.m_error_trace_oldest;
  while (node != nullptr) {
    CErrorTrace* newer = node->newer;
    delete node;
    node = newer;
  }
  theGlobals.m_error_trace_oldest = nullptr;
  theGlobals.m_error_trace_newest = nullptr;
}

void CErrorTrace::Fail(int failLine, int failSeverity, int code, const char* detail, int failValue) {
  line = failLine;
  severity = failSeverity;
  error_code = code;
  detail_text = detail;
  value = failValue;
}

CString CErrorTrace::FileName() const {
  const int slash = source_file.ReverseFind('\\');
  return slash < 0 ? source_file : source_file.Mid(slash + 1);
}
