#include "TagCodeBuilder.h"

#include <fstream>

#include "Main/TagCode.h"

namespace {

std::string Number32(std::int32_t number) {
  const auto value = static_cast<std::uint32_t>(number);
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

std::string Closed(unsigned char kind, std::string_view payload) {
  std::string bytes{static_cast<char>(kMarkerByte), static_cast<char>(kind)};
  bytes += payload;
  bytes += static_cast<char>(kMarkerByte);
  bytes += static_cast<char>(kind);
  return bytes;
}

}  // namespace

TagCodeBuilder::TagCodeBuilder(std::uint32_t version) {
  Tag(TAG_FILE_HEAD, {static_cast<unsigned char>(version >> 16), static_cast<unsigned char>(version >> 8),
                      static_cast<unsigned char>(version)});
}

TagCodeBuilder& TagCodeBuilder::Text(std::string_view text) {
  m_bytes += text;
  return *this;
}

TagCodeBuilder& TagCodeBuilder::Tag(unsigned char tag) { return Tag(tag, {}); }

TagCodeBuilder& TagCodeBuilder::Tag(unsigned char tag, std::initializer_list<unsigned char> operands) {
  m_bytes += static_cast<char>(kStatementByte);
  m_bytes += static_cast<char>(tag);
  for (unsigned char byte : operands) m_bytes += static_cast<char>(byte);
  return *this;
}

TagCodeBuilder& TagCodeBuilder::Closed(unsigned char tag, std::string_view text, unsigned char close) {
  return Tag(tag).Text(text).Tag(close);
}

TagCodeBuilder& TagCodeBuilder::Open(unsigned char tag, std::string_view text) { return Tag(tag).Text(text); }

TagCodeBuilder& TagCodeBuilder::Include(std::string_view file) { return Open(TAG_INCLUDE, file); }
TagCodeBuilder& TagCodeBuilder::Field(unsigned char field) { return Tag(TAG_FIELD, {field}); }
TagCodeBuilder& TagCodeBuilder::MasterField(unsigned char keyField, unsigned char masterField) {
  return Tag(TAG_MASTER_FIELD, {keyField, masterField});
}
TagCodeBuilder& TagCodeBuilder::TextNumber(std::int32_t number) { return Tag(TAG_TEXT_NUMBER).Text(Number32(number)); }
TagCodeBuilder& TagCodeBuilder::TextKey(std::string_view key) { return Closed(TAG_TEXT_KEY, key, TAG_TEXT_KEY_END); }
TagCodeBuilder& TagCodeBuilder::Variable(std::string_view name) { return Closed(TAG_VARIABLE, name, TAG_VARIABLE_END); }

TagCodeBuilder& TagCodeBuilder::Assign(unsigned char tag, std::string_view name, std::string_view valueCode) {
  return Closed(tag, name, TAG_VALUE).Text(valueCode).Tag(TAG_VALUE_END);
}

TagCodeBuilder& TagCodeBuilder::If(std::string_view condition) { return Tag(TAG_IF).Text(condition).Tag(TAG_THEN); }
TagCodeBuilder& TagCodeBuilder::Else() { return Tag(TAG_ELSE); }
TagCodeBuilder& TagCodeBuilder::EndIf() { return Tag(TAG_ENDIF); }
TagCodeBuilder& TagCodeBuilder::Group(std::string_view name) { return Open(TAG_GROUP, name); }
TagCodeBuilder& TagCodeBuilder::EndGroup() { return Tag(TAG_GROUP_END); }
TagCodeBuilder& TagCodeBuilder::Repeat() { return Tag(TAG_REPEAT); }
TagCodeBuilder& TagCodeBuilder::EndRepeat() { return Tag(TAG_REPEAT_END); }

bool TagCodeBuilder::WriteTo(const std::string& path) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(m_bytes.data(), static_cast<std::streamsize>(m_bytes.size()));
  return static_cast<bool>(file);
}

namespace marker {

std::string TextNumber(std::int32_t number) { return Closed(MARKER_TEXT_NUMBER, Number32(number)); }
std::string Variable(std::string_view name) { return Closed(MARKER_VARIABLE, name); }
std::string LeftNeighbour(std::string_view key) { return Closed(21, key); }
std::string RightNeighbour(std::string_view key) { return Closed(22, key); }
std::string MasterField(unsigned char keyField, unsigned char masterField) {
  return Closed(MARKER_MASTER_FIELD, std::string{static_cast<char>(keyField), static_cast<char>(masterField)});
}
std::string Link(std::string_view text, std::string_view key) {
  std::string bytes{static_cast<char>(kMarkerByte), 7};
  bytes += text;
  bytes += std::string{static_cast<char>(kMarkerByte), 8};
  bytes += key;
  bytes += std::string{static_cast<char>(kMarkerByte), 7};
  return bytes;
}

}  // namespace marker
