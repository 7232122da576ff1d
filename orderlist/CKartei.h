// An address book: one file of cards, each the twelve texts of an address.
// Cards are only appended or marked deleted; Pack compacts the book. Callers
// know a card by the byte offset of its status byte.
//
// A card: a status byte (1 live, 0 deleted), the body length (16 bits, low
// byte first), twelve one-byte field lengths, then the twelve field texts
// one after the other, without terminators. No header, no trailer.
#pragma once

#include "Main/CLogFile.h"
#include "mfc/CArray.h"
#include "mfc/CFile.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "mfc/CStringArray.h"
#include "win32/Types.h"

class CKartei : public CObject {
  DECLARE_DYNCREATE(CKartei)

 public:
  static constexpr int kFields = 12;
  static constexpr int kHeadLength = 15;
  static constexpr int kLongestField = 255;
  static constexpr DWORD kNoCard = 0xFFFFFFFFu;

  CKartei();
  ~CKartei() override;
  CKartei(const CKartei&) = delete;
  CKartei& operator=(const CKartei&) = delete;

  // Binds the book, creating an empty file when there is none; FALSE (and no
  // path) when it cannot be created.
  BOOL SetFile(const char* path);
  // Opens the book for reading and writing, writing denied to others, made
  // when missing and never cut; it stays open until Close or Release.
  BOOL Open();
  BOOL Close();
  BOOL Release();

  // Appends a live card of the twelve texts (each cut to 255 bytes); its
  // offset, or kNoCard when the book cannot be opened.
  BOOL AppendRecord(const CStringArray& fields, DWORD& offset);
  // Marks the card at offset deleted; its bytes stay until Pack.
  BOOL DeleteRecord(DWORD offset);
  // The twelve texts of the card at offset (deleted cards read like live
  // ones); fields must hold twelve strings.
  BOOL ReadRecord(DWORD offset, CStringArray& fields);

  // The live cards whose field matches the pattern (MatchText; an empty field
  // only when the pattern starts with "*"), their offsets in file order; the
  // count. A damaged card (cut short, or lengths that disagree) ends the
  // search with the hits before it, and is logged.
  int FindInField(const char* pattern, int field, CArray<DWORD>& offsets);
  // The same for twelve patterns: a card passes when every field with a
  // pattern matches it (an empty field only the pattern "*").
  int FindAll(const CStringArray& patterns, CArray<DWORD>& offsets);
  // Compacts the book to its live cards: the new book is written beside the
  // old one and takes its place in one step, so any failure leaves the old
  // book whole (and the changed flag set). TRUE also when nothing changed.
  BOOL Pack();

  // Where damaged books are reported; none by default.
  void SetLog(CLogFile* log) { m_log = log; }
  const CString& GetPath() const { return m_path; }
  BOOL IsChanged() const { return m_changed; }
  // Whether the last search ended at a damaged card.
  BOOL MetDamage() const { return m_met_damage; }

 private:
  class OpenForCall;
  bool ReadWholeBook(CString& bytes);
  void ReportDamage(DWORD offset);
  template <class Test>
  int FindCards(CArray<DWORD>& offsets, Test test);

  const BYTE m_deleted = 0;
  const BYTE m_live = 1;
  CString m_path;
  CFile m_file;
  BOOL m_open = FALSE;
  BOOL m_changed = FALSE;
  BOOL m_met_damage = FALSE;
  CLogFile* m_log = nullptr;
};
