// The records the statement parsers fill and the apply steps read, and the
// echo that re-tells a statement behind an apply error.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vod {

// Statement kinds.
enum class StatementKind {
  Use = 0,
  Include = 1,
  Define = 2,
  ViewFrame = 3,
  PrintFrame = 4,
  SkipFrame = 5,
  DataFrame = 6,
  Default = 7,
  ConnectFrame = 8,
  Set = 9,
  Save = 10,
  GrafFrame = 11,
  Sync = 12,
};

// Form variants of USE, as FormSelection holds them.
constexpr int kFormEven = 0;
constexpr int kFormOdd = 1;
constexpr int kFormNormal = 2;
constexpr int kFormTitle = 3;
constexpr int kFormBody = 4;

struct UseStatement {
  std::string form;
  int variant = kFormNormal;
};

struct DefineStatement {
  std::string frame;
  std::optional<int> line, divide, size;
  std::optional<std::string> font, alignment;
};

// Picture kinds of VIEW FRAME.
constexpr int kPictureTiff = 0;
constexpr int kPictureHpgl = 1;
constexpr int kPictureVec = 2;
constexpr int kPictureCap = 3;
constexpr int kPictureCa3 = 4;
constexpr int kPictureCa4 = 5;

struct ViewStatement {
  std::string frame;
  bool isStatic = false;
  int kind = kPictureTiff;
  std::string file;
  bool xcen = false, ycen = false, dyn = false;
  int maxZoom = 200;
};

struct PrintStatement {
  std::string frame;
  bool isStatic = false;
  std::string text;
};

struct SkipStatement {
  std::string frame;
  std::optional<int> tenths;
  bool noTop = false;
};

struct DataColumn {
  std::string frame;
  char kind = 'T';
};

struct DataStatement {
  std::vector<DataColumn> columns;
  int lineCount = 1;
};

struct GrafStatement {
  std::string frame;
  std::vector<std::string> lines;
};

struct SyncStatement {
  std::vector<std::string> frames;
};

struct DefaultStatement {
  std::optional<std::string> frame;
};

struct ConnectStatement {
  std::string from, to;
};

struct SetStatement {
  std::optional<int> lp, pp, sp, cp, dp;
  int cpinc = 1;
  bool testMode = false;
};

std::string Echo(const UseStatement& statement);
std::string EchoInclude(const std::string& file);
std::string Echo(const DefineStatement& statement);
std::string Echo(const ViewStatement& statement);
std::string Echo(const PrintStatement& statement);
std::string Echo(const SkipStatement& statement);
std::string Echo(const DataStatement& statement);
std::string Echo(const GrafStatement& statement);
std::string Echo(const SyncStatement& statement);
std::string Echo(const DefaultStatement& statement);
std::string Echo(const ConnectStatement& statement);
std::string Echo(const SetStatement& statement);
std::string EchoSave(const std::string& file);

}  // namespace vod
