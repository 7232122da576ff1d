#include "VodSymbols.h"

#include <strings.h>

#include <algorithm>
#include <optional>

#include "VodContext.h"
#include "VodPictureHook.h"
#include "VodStrings.h"

namespace vod {
namespace {

constexpr std::string_view kEscape = "%SYMBOL";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the words of one escape from just behind "%SYMBOL"; at is left
// behind its closing "%". None for an escape that is not well formed.
class EscapeReader {
 public:
  EscapeReader(const std::string& text, size_t at) : m_text(text), m_at(at) {}

  std::optional<SymbolRecord> Read() {
    SymbolRecord symbol;
    std::string word = Word();
    if (word == "TRANS") symbol.trans = true, word = Word();
    if (word == "LINE") symbol.plain = false, word = Word();
    if (word.rfind("FAKTOR", 0) == 0) {
      symbol.plain = false;
      std::string digits = word.size() > 6 ? word.substr(6) : Word();
      symbol.factor = std::clamp(ParseInt(digits), 0, 255);
      word = Word();
    }
    static const std::pair<const char*, int> kKinds[] = {
        {"TIFF", kSymbolRaster}, {"CAP", kSymbolCap}, {"CA3", kSymbolCa3}, {"CA4", kSymbolCa4}};
    auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const auto& k) { return word == k.first; });
    if (kind == std::end(kKinds)) return std::nullopt;
    symbol.kind = kind->second;
    std::optional<std::string> file = FileName();
    if (!file || file->empty()) return std::nullopt;
    symbol.file = *file;
    return symbol;
  }
  size_t End() const { return m_at; }

 private:
  void SkipBlanks() {
    while (m_at < m_text.size() && IsBlank(m_text[m_at])) ++m_at;
  }
  // An option or kind word, upper-cased; it ends at a blank or the "%".
  std::string Word() {
    SkipBlanks();
    size_t start = m_at;
    while (m_at < m_text.size() && !IsBlank(m_text[m_at]) && m_text[m_at] != '%') ++m_at;
    std::string word = m_text.substr(start, m_at - start);
    UpperCaseAscii(word);
    return word;
  }
  // Up to the next "%", or between double quotes right before it.
  std::optional<std::string> FileName() {
    SkipBlanks();
    if (m_at < m_text.size() && m_text[m_at] == '"') {
      size_t close = m_text.find('"', m_at + 1);
      if (close == std::string::npos || close + 1 >= m_text.size() || m_text[close + 1] != '%') return std::nullopt;
      std::string name = m_text.substr(m_at + 1, close - m_at - 1);
      m_at = close + 2;
      return name;
    }
    size_t close = m_text.find('%', m_at);
    if (close == std::string::npos) return std::nullopt;
    std::string name = m_text.substr(m_at, close - m_at);
    TrimRight(name);
    m_at = close + 1;
    return name;
  }

  const std::string& m_text;
  size_t m_at;
};

size_t FindEscape(const std::string& text, size_t from) {
  for (size_t at = text.find('%', from); at != std::string::npos; at = text.find('%', at + 1)) {
    size_t behind = at + kEscape.size();
    if (behind < text.size() && IsBlank(text[behind]) &&
        strncasecmp(text.c_str() + at, kEscape.data(), kEscape.size()) == 0)
      return at;
  }
  return std::string::npos;
}

void Size(VodContext& context, SymbolRecord& symbol, int lineHeight) {
  context.pictures->SizeSymbol(context, symbol, symbol.plain ? 0 : lineHeight);
  int factor = symbol.factor;
  symbol.width = symbol.trans ? 0 : ((symbol.width + 1) * factor + 9) / 10;
  symbol.height = ((symbol.height + 1) * factor + 9) / 10;
  symbol.percent = symbol.percent * factor / 10;
}

}  // namespace

Symbols ParseSymbolEscape(VodContext& context, std::string& text, int lineHeight) {
  Symbols symbols;
  for (size_t at = FindEscape(text, 0); at != std::string::npos && symbols.size() < kMaxSymbols;
       at = FindEscape(text, at + 1)) {
    EscapeReader reader(text, at + kEscape.size());
    std::optional<SymbolRecord> symbol = reader.Read();
    if (!symbol) continue;
    text.replace(at, reader.End() - at, 1, kSymbolMark);
    symbol->position = at;
    Size(context, *symbol, lineHeight);
    symbols.push_back(std::move(*symbol));
  }
  return symbols;
}

const SymbolRecord* SymbolAt(const Symbols& symbols, size_t position) {
  for (const SymbolRecord& symbol : symbols)
    if (symbol.position == position) return &symbol;
  return nullptr;
}

}  // namespace vod
