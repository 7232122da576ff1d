// The working state of one rendering of a key: the description file in work,
// the lists of the main file, the if statement and the record walk that
// carry from one description file to the next.
#pragma once

#include <vector>

#include "Main/CWV4Db.h"
#include "Main/DdmDbLink.h"
#include "foundation/CDynBuf.h"
#include "mfc/CString.h"
#include "win32/Types.h"

struct CErrorTrace;

class DescriptionPass {
 public:
  DescriptionPass(CWV4Db& db, CDynBuf& out, DdmDbLink* link, DdmDbLink& otherKeyLink, CErrorTrace* node);
  ~DescriptionPass();
  DescriptionPass(const DescriptionPass&) = delete;
  DescriptionPass& operator=(const DescriptionPass&) = delete;

  bool Run();

 private:
  // Frame of the call (CWV4Db_browse).
  bool ReadKeyRecord();
  bool ReadFile(const CString& path);
  bool Loop(bool mainFile);
  bool MainStatement(unsigned char tag);
  bool RenderStatement(unsigned char tag);
  bool NameList();
  bool NameListEntries(std::vector<CString>& first, std::vector<CString>& second);
  bool ComputedTexts();
  bool RunProgram();
  bool IfStatement(unsigned char tag);
  void CloseStream();
  void WriteCopy();
  void WriteServerFiles();

  // Rendering statements of the included files (CWV4Db_render).
  bool FieldStatement();
  bool MasterFieldStatement();
  bool VariableStatement();
  bool TextVariableStatement();
  bool CharCodeStatement();
  bool Assignment(unsigned char tag);
  bool Neighbour(unsigned char tag);
  bool ClearHistory();
  bool RecordBlock();
  bool RecordBlockEnd();
  bool RepeatEnd(bool keyRepeat);
  bool OtherKey();
  bool ServerFile();
  bool FirstApplyingHit(DdmDbLink& link, int from, int& hit, bool lastWhenNone);
  void CloseOtherKey();

  // Reading helpers: every read is bounded by the file's length.
  bool Fail(int code, int value = 0);
  bool FailWith(int code, const char* detail, int value, int severity = 2);
  bool Put(const void* bytes, int length);
  bool Put(const CString& text) { return Put(static_cast<const char*>(text), text.GetLength()); }
  bool PutByte(unsigned char byte) { return Put(&byte, 1); }
  void Unput(int count) { m_out.CutRight(count); }
  // The text behind the tag up to the next 0 byte; -1 when there is none.
  DWORD TextEnd() const;
  // Text, 0, closeTag behind the tag: the text, and P left on closeTag.
  bool ClosedText(unsigned char closeTag, int noZero, int wrongClose, CString& text);
  // Copies the operand bytes and the closing statement of a text statement.
  bool CopyClosedText(unsigned char closeTag, int noZero, int wrongClose);
  bool CopyFixed(int count);
  // Copies a text up to its 0 byte; the loop goes on at that 0 byte.
  bool CopyOpenText(int noZero);
  // 62 and its number, replaced by the number's text; following more bytes
  // must stand behind the number.
  bool TextNumber(DWORD following);
  LONG Number32(DWORD at) const;

  CWV4Db& m_db;
  CDynBuf& m_out;
  DdmDbLink* m_link;
  DdmDbLink& m_other;
  CErrorTrace* m_node;

  CString m_name;  // the description file's name from field 1
  CString m_folder;
  CString m_path;  // of the file in work
  CDynBuf m_file;
  const BYTE* m_b = nullptr;
  DWORD m_len = 0;
  DWORD m_pos = 0;
  bool m_stay = false;  // the handler left the position on the next statement

  std::vector<CString> m_includes;
  std::vector<CString> m_answer_files;
  int m_block_count = 0;
  int m_insert_pos = 0;

  struct IfState {
    bool open = false;
    int start = 0;
    bool result = false;
    bool remove168 = false;
    bool remove169 = false;
  } m_if;

  // The record walk.
  DdmDbLink* m_active = nullptr;
  bool m_other_open = false;
  int m_record = 0;
  bool m_field_used = false;
  bool m_pass_through = false;
  int m_level34 = 0, m_level41 = 0, m_level46 = 0, m_level47 = 0, m_level48 = 0, m_level52 = 0, m_level72 = 0,
      m_level141 = 0;
  // A repeat goes back only for a record behind the one it went back for
  // last; a body that sets the record back would otherwise repeat without end.
  struct RepeatStart {
    DWORD input = 0;
    int output = 0;
    int lastRecord = -1;
  } m_repeat, m_key_repeat;
  bool m_repeat_again = false;  // the pass went back to the 52 statement
  int m_server_mark = 0;
};
