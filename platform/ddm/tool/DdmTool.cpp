#include "DdmTool.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "DdmWriter.h"
#include "SourceParser.h"
#include "SourceWriter.h"
#include "store/DdmDictionaryFile.h"
#include "store/DdmRecordFile.h"

namespace ddm {
namespace {

constexpr const char* kUsage =
    "usage: ddmtool build SOURCE FILE    build a database or dictionary from its source text\n"
    "       ddmtool dump FILE [SOURCE]   write a file back as source text (standard output without SOURCE)\n";

bool ReadWhole(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadDatabase(const DdmRecordFile& file, std::vector<DdmRecord>&& records, DdmContent* content) {
  DatabaseContent database;
  for (int field = 0; field < file.FieldCount(); ++field) database.isList.push_back(file.IsList(field));
  database.records = std::move(records);
  *content = std::move(database);
  return true;
}

int Build(const std::string& sourcePath, const std::string& filePath, std::ostream& err) {
  std::string source, error;
  if (!ReadWhole(sourcePath, &source)) {
    err << sourcePath << ": cannot be read\n";
    return 1;
  }
  if (BuildDdmFile(source, sourcePath, filePath, &error)) return 0;
  err << error << "\n";
  return 1;
}

int Dump(const std::string& filePath, const std::string* sourcePath, std::ostream& out, std::ostream& err) {
  DdmContent content;
  std::string why;
  if (!ReadDdmFile(filePath, &content, &why)) {
    err << filePath << ": " << why << "\n";
    return 1;
  }
  if (!sourcePath) {
    out << SourceText(content);
    return 0;
  }
  std::ofstream source(*sourcePath, std::ios::binary);
  if (source << SourceText(content) && source.flush()) return 0;
  err << *sourcePath << ": cannot be written\n";
  return 1;
}

}  // namespace

bool BuildDdmFile(std::string_view source, const std::string& sourceName, const std::string& hostPath,
                  std::string* error) {
  DdmContent content;
  try {
    content = SourceParser(source).Parse();
  } catch (const SourceError& fault) {
    *error = sourceName + ":" + std::to_string(fault.line) + ":" + std::to_string(fault.column) + ": " + fault.what();
    return false;
  }
  std::string why;
  if (WriteDdmFile(content, hostPath, &why)) return true;
  *error = hostPath + ": " + why;
  return false;
}

bool ReadDdmFile(const std::string& hostPath, DdmContent* content, std::string* why) {
  if (auto database = DdmRecordFile::Open(hostPath, why)) {
    std::vector<DdmRecord> records;
    return database->All(&records, why) && ReadDatabase(*database, std::move(records), content);
  }
  if (*why != "a dictionary, not a database") return false;
  auto dictionary = DdmDictionaryFile::Open(hostPath, why);
  DictionaryContent texts;
  if (!dictionary || !dictionary->All(&texts.languages, why)) return false;
  *content = std::move(texts);
  return true;
}

int RunDdmTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  const std::size_t count = arguments.size();
  if (count == 3 && arguments[0] == "build") return Build(arguments[1], arguments[2], err);
  if ((count == 2 || count == 3) && arguments[0] == "dump")
    return Dump(arguments[1], count == 3 ? &arguments[2] : nullptr, out, err);
  err << kUsage;
  return 2;
}

}  // namespace ddm
