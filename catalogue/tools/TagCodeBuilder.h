// Writes description files of the catalogue: the file head, then statements,
// plain text and value markers, named the way the catalogue's author thinks
// of them instead of as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TagCodeBuilder {
 public:
  // The head of a description file: 0, 'a' and the three version bytes.
  explicit TagCodeBuilder(std::uint32_t version = 0x040001);

  TagCodeBuilder& Text(std::string_view text);
  // A statement without operands.
  TagCodeBuilder& Tag(unsigned char tag);
  // A statement with fixed operand bytes.
  TagCodeBuilder& Tag(unsigned char tag, std::initializer_list<unsigned char> operands);
  // A statement whose text is closed by another statement: 0 tag text 0 close.
  TagCodeBuilder& Closed(unsigned char tag, std::string_view text, unsigned char close);
  // A statement whose text runs up to the next statement: 0 tag text.
  TagCodeBuilder& Open(unsigned char tag, std::string_view text);

  TagCodeBuilder& Include(std::string_view file);
  TagCodeBuilder& Field(unsigned char field);
  TagCodeBuilder& MasterField(unsigned char keyField, unsigned char masterField);
  TagCodeBuilder& TextNumber(std::int32_t number);
  TagCodeBuilder& TextKey(std::string_view key);
  TagCodeBuilder& Variable(std::string_view name);
  // An assignment run while the key renders: tag, name, 0 'C', value code, 0 '['.
  TagCodeBuilder& Assign(unsigned char tag, std::string_view name, std::string_view valueCode);
  TagCodeBuilder& If(std::string_view condition);
  TagCodeBuilder& Else();
  TagCodeBuilder& EndIf();
  TagCodeBuilder& Group(std::string_view name);
  TagCodeBuilder& EndGroup();
  TagCodeBuilder& Repeat();
  TagCodeBuilder& EndRepeat();

  const std::string& Bytes() const { return m_bytes; }
  bool WriteTo(const std::string& path) const;

 private:
  std::string m_bytes;
};

// Value markers of record fields, as the field reader decodes them.
namespace marker {
std::string TextNumber(std::int32_t number);
std::string Variable(std::string_view name);
std::string LeftNeighbour(std::string_view key);
std::string RightNeighbour(std::string_view key);
std::string MasterField(unsigned char keyField, unsigned char masterField);
// A link block to another key: 1 7 text 1 8 key 1 7.
std::string Link(std::string_view text, std::string_view key);
}  // namespace marker
