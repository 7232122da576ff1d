// QorDdm, the catalogue data manager: databases of records and text
// dictionaries, read through the members below. Every program of the system
// reads catalogue data and dictionary texts only through it.
//
// The library is bound by name; the ordinal that each function has in the
// programs' import tables is kept beside it ("ord N").
//
// Databases. A database file holds records. A record has a key (a byte
// string) and a fixed number of fields, numbered from 0. A field is a byte
// string (any bytes, zero bytes included) or, when the database declares it a
// list field, a list of elements, each a byte string. One key may own several
// records, kept in the catalogue's order (the order of the source they were
// built from).
//
// A search (DdmDbFindKey or DdmDbLookup) makes the records it finds the
// object's current result: hits 0 to n-1 in the catalogue's order. Every read
// names a hit of the current result. A hit, field or element out of range
// (hit -1 included, or no search made) reads as null with length 0 and never
// fails otherwise. A pointer handed out stays valid until the object's
// current result changes (the next search, DdmDbEndLookup, DdmDbPrepare,
// DdmDbClose, or the object's end); reading other fields, other hits or other
// objects leaves it alone.
//
// Text dictionaries hold texts by number (signed 32-bit) and by key, for each
// of their languages. Texts are Windows-1252 bytes, returned as stored.
//
// Files open read-only. A missing, foreign, damaged or truncated file fails
// its open with a line on the standard error stream and never crashes; a
// fault found later in a damaged file fails that one search the same way.
// The file layout is described in platform/ddm/README.md.
#pragma once

#include <memory>

#include "win32/Types.h"

// ord 9: the data manager's version. The programs start only when the high
// word is 0x0102 and the low word at least 0x47.
DWORD DdmGetVersion();

class DdmDatabase {
 public:
  // ord 101 DdmDbCreate: an empty, closed object. The four arguments are
  // reserved; callers pass 0.
  explicit DdmDatabase(int reserved1 = 0, int reserved2 = 0, int reserved3 = 0, int reserved4 = 0);
  // ord 100 DdmDbCreateCopy: a second cursor on the file of `open`, with a
  // result of its own (empty at first). A copy of a closed object is closed.
  // The copy stays usable when the original is closed or deleted.
  DdmDatabase(const DdmDatabase& open);
  DdmDatabase& operator=(const DdmDatabase&) = delete;
  // Virtual slot 0: destroys the object (closing it first when it is open).
  virtual ~DdmDatabase();

  // DdmDbDelete, the deleting destructor as the callers name it: with bit 0
  // of `flags` set (callers pass 1) it deletes the object, which must come
  // from new; with 0 it only closes it.
  void DdmDbDelete(int flags);

  // ord 104: opens a database file (a system path: backslashes and drive
  // letters allowed) read-only. FALSE for a missing, foreign, damaged or
  // truncated file, or for a dictionary; the object is then closed, and the
  // callers delete it. Opening an open object closes it first.
  BOOL DdmDbOpen(LPCSTR path, int reserved1 = 0, int reserved2 = 0, int reserved3 = 0);
  // Virtual slot 2: closes the file and drops the current result. Closing a
  // closed object does nothing.
  virtual void DdmDbClose();

  // ord 20: makes the database ready for a series of look-ups, as the viewer
  // does before each rendering. The current result is dropped. When the file
  // has been replaced since it was opened (a catalogue rebuilt by the tool),
  // the new file is opened in its place, so an author sees the rebuilt data
  // without restarting the programs. `fields` names the fields the caller will
  // read, one bit each (callers pass 0xFFFF); every field stays readable
  // whatever it holds. FALSE when the object is closed or a replacing file
  // cannot be opened; the previous file then stays in use.
  BOOL DdmDbPrepare(UINT fields = 0xFFFF);

  // ord 95 and 96: keep the records (data) or the key index (pointers) in
  // memory, for callers that read much of a file. Results are unchanged.
  void DdmDbCacheData();
  void DdmDbCachePointers(int reserved = 0);

  // ord 127: the records stored under exactly this key (bytes compared as
  // they are) become the current result; returns their number, 0 when there
  // are none or the object is closed. Used for keys that programs build, such
  // as part numbers looked up in the parts master.
  int DdmDbFindKey(LPCSTR key, int reserved = 0);
  // ord 125: the look-up of a key that a user or a catalogue link wrote:
  // the records under exactly this key when there are any, else those of the
  // first key (in the catalogue's order) that equals it without regard to
  // case (Windows-1252 letters). They become the current result until
  // DdmDbEndLookup; returns their number.
  int DdmDbLookup(LPCSTR key, int reserved = 0);
  // ord 106: drops the current result.
  void DdmDbEndLookup();

  // ord 140: the number of fields of every record; 0 while closed.
  WORD DdmDbGetFieldCount() const;
  // ord 205: nonzero when `field` is a list field.
  BOOL DdmDbIsListField(int field) const;

  // ord 143: the bytes of a field of a hit and their count in *length (which
  // may be null). An empty field gives a non-null pointer and length 0; a hit
  // or field out of range gives null and length 0. For a list field it gives
  // the first element (null when the list is empty).
  const BYTE* DdmDbGetField(int hit, int field, int* length) const;
  // ord 158: nonzero when the field holds data (at least one byte; for a list
  // field at least one element).
  BOOL DdmDbHasField(int hit, int field) const;

  // ord 141: the number of elements of a list field (at most 0xFFFF). A plain
  // field counts as a list of one element (0 when out of range).
  WORD DdmDbGetElementCount(int hit, int field) const;
  // ord 162: nonzero when the element exists.
  BOOL DdmDbHasElement(int hit, int field, int element) const;
  // ord 144: as DdmDbGetField, for one element (element 0 of a plain field is
  // the field itself).
  const BYTE* DdmDbGetElement(int hit, int field, int element, int* length) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

class DdmTextTable {
 public:
  // ord 450 DdmTextCreate: callers pass null, null, "D0", 0, 0 and get a
  // closed table; with a file it is opened as by DdmTextOpen.
  explicit DdmTextTable(LPCSTR file = nullptr, LPCSTR language = nullptr, LPCSTR mode = "D0", int reserved1 = 0,
                        int reserved2 = 0);
  DdmTextTable(const DdmTextTable&) = delete;
  DdmTextTable& operator=(const DdmTextTable&) = delete;
  // ord 451 DdmTextDestroy.
  virtual ~DdmTextTable();

  // ord 452 (virtual slot 0): opens a dictionary file (a system path)
  // read-only, closing the table first when it is open, and selects
  // `language`. A null or empty language selects the dictionary's first
  // language. The mode is reserved: every mode opens read-only ("D0").
  // FALSE for a missing, foreign, damaged or truncated file, or a database;
  // the table is then closed and gives empty texts.
  virtual BOOL DdmTextOpen(LPCSTR file, LPCSTR language, LPCSTR mode = "D0", int reserved1 = 0, int reserved2 = 0);
  // ord 460 (virtual slot 2): the text of a number in the selected language;
  // an empty text when there is none or the table is closed, never null.
  virtual LPCSTR DdmGetText(LONG number) const;
  // ord 454 (virtual slot 4): later look-ups use this language (compared
  // without regard to case; null or empty: the dictionary's first language).
  // A language that the dictionary lacks gives empty texts; returns FALSE then.
  virtual BOOL DdmTextSetLanguage(LPCSTR language);
  // ord 453 (virtual slot 5): closes the table; later look-ups give empty
  // texts.
  virtual void DdmTextClose();
  // ord 462: the text stored under a key (bytes compared as they are) in the
  // selected language; an empty text when there is none, never null.
  LPCSTR DdmGetTextByKey(LPCSTR key) const;

  // ord 95 and 96 on the table's database part: keep the texts of the
  // selected language (data) or the index (pointers) in memory.
  void DdmDbCacheData();
  void DdmDbCachePointers(int reserved = 0);

  // Texts handed out stay valid until the table is closed, reopened or
  // destroyed, also across language switches.

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};
