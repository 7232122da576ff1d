#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "interfaces/QorDdm.h"
#include "store/DdmDictionaryFile.h"
#include "store/DdmLog.h"
#include "win32/Paths.h"

// Texts found are kept per language for the table's life, so a text handed
// out stays where it is and the next look-up of it costs a hash look-up.
struct DdmTextTable::Impl {
  struct LanguageCache {
    std::unordered_map<LONG, std::string> byNumber;
    std::unordered_map<std::string, std::string> byKey;
    bool complete = false;  // every text of the language is here
  };

  std::string systemPath;
  std::shared_ptr<ddm::DdmDictionaryFile> file;
  std::optional<std::int64_t> language;
  std::map<std::int64_t, LanguageCache> caches;
  std::mutex lock;

  template <typename Key>
  LPCSTR Text(const char* operation, std::unordered_map<Key, std::string> LanguageCache::*texts, const Key& key) {
    std::lock_guard guard(lock);
    if (!file || !language) return "";
    LanguageCache& cache = caches[*language];
    auto& known = cache.*texts;
    if (auto found = known.find(key); found != known.end()) return found->second.c_str();
    std::string why;
    std::optional<std::string> text;
    if (!cache.complete) text = file->Text(*language, key, &why);
    if (!why.empty()) ddm::LogFailure(operation, systemPath, why);
    return known.emplace(key, text.value_or("")).first->second.c_str();
  }
};

DdmTextTable::DdmTextTable(LPCSTR file, LPCSTR language, LPCSTR mode, int, int) : m_impl(std::make_unique<Impl>()) {
  if (file) DdmTextOpen(file, language, mode);
}

DdmTextTable::~DdmTextTable() = default;

BOOL DdmTextTable::DdmTextOpen(LPCSTR file, LPCSTR language, LPCSTR, int, int) {
  DdmTextClose();
  std::lock_guard guard(m_impl->lock);
  m_impl->systemPath = file ? file : "";
  std::string why;
  m_impl->file = ddm::DdmDictionaryFile::Open(layer::HostPath(m_impl->systemPath), &why);
  if (!m_impl->file) {
    ddm::LogFailure("DdmTextOpen", m_impl->systemPath, why);
    return FALSE;
  }
  m_impl->language = m_impl->file->FindLanguage(language ? language : "");
  return TRUE;
}

LPCSTR DdmTextTable::DdmGetText(LONG number) const {
  return m_impl->Text("DdmGetText", &Impl::LanguageCache::byNumber, number);
}

LPCSTR DdmTextTable::DdmGetTextByKey(LPCSTR key) const {
  return m_impl->Text("DdmGetTextByKey", &Impl::LanguageCache::byKey, std::string(key ? key : ""));
}

BOOL DdmTextTable::DdmTextSetLanguage(LPCSTR language) {
  std::lock_guard guard(m_impl->lock);
  if (!m_impl->file) return FALSE;
  m_impl->language = m_impl->file->FindLanguage(language ? language : "");
  return m_impl->language.has_value();
}

void DdmTextTable::DdmTextClose() {
  std::lock_guard guard(m_impl->lock);
  m_impl->file.reset();
  m_impl->language.reset();
  m_impl->caches.clear();
}

void DdmTextTable::DdmDbCacheData() {
  std::lock_guard guard(m_impl->lock);
  if (!m_impl->file || !m_impl->language) return;
  ddm::DdmLanguageTexts texts;
  std::string why;
  if (!m_impl->file->AllTexts(*m_impl->language, &texts, &why)) {
    ddm::LogFailure("DdmDbCacheData", m_impl->systemPath, why);
    return;
  }
  Impl::LanguageCache& cache = m_impl->caches[*m_impl->language];
  for (auto& [number, text] : texts.byNumber) cache.byNumber.emplace(number, std::move(text));
  for (auto& [key, text] : texts.byKey) cache.byKey.emplace(key, std::move(text));
  cache.complete = true;
}

void DdmTextTable::DdmDbCachePointers(int) {
  std::lock_guard guard(m_impl->lock);
  if (m_impl->file) m_impl->file->CacheIndex();
}
