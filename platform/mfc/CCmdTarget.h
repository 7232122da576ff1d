// Objects that receive messages and commands through a message map: a table
// per class of which messages, commands and notifications go to which member,
// searched from the class down through its bases.
#pragma once

#include "mfc/CObject.h"
#include "win32/UserTypes.h"

#define afx_msg

class CCmdTarget;

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;             // WM_COMMAND and WM_NOTIFY entries also match by code and id
  UINT nCode;
  UINT nID;
  UINT nLastID;
  const UINT* pnRegistered;  // a registered message: the variable that holds its number
  // Calls the member with the message's arguments, in the member's own form.
  LRESULT (*pfn)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Routes a command (WM_COMMAND with a code) or a notification to the
  // member its map names; true when one was found. Frames and views route
  // further by overriding it.
  virtual BOOL OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result);

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

 protected:
  // The first entry of the map chain that takes a message, or null.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                   \
 public:                                        \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    [[maybe_unused]] typedef theClass ThisClass;                                     \
    typedef baseClass TheBaseClass;                                                  \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                           \
  {0, 0, 0, 0, nullptr, nullptr}                                                    \
  }                                                                                 \
  ;                                                                                 \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]};    \
  return &map;                                                                      \
  }

// An entry that calls a member for a window message; call is the call of the
// member with the decoded arguments (t is the object, w and l the parameters).
#define VARNO_ON_MESSAGE(message, call)                                                       \
  {message, 0, 0, 0, nullptr, [](CCmdTarget* target, WPARAM w, LPARAM l) -> LRESULT {         \
     [[maybe_unused]] ThisClass* t = static_cast<ThisClass*>(target);                        \
     (void)w;                                                                                 \
     (void)l;                                                                                 \
     call;                                                                                    \
   }},

#define ON_MESSAGE(message, member) VARNO_ON_MESSAGE(message, return t->member(w, l))
#define ON_REGISTERED_MESSAGE(variable, member)                                         \
  {0xC000, 0, 0, 0, &variable, [](CCmdTarget* target, WPARAM w, LPARAM l) -> LRESULT {   \
     return static_cast<ThisClass*>(target)->member(w, l);                              \
   }},
#define ON_COMMAND(id, member)                                                   \
  {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), nullptr,         \
   [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                           \
     static_cast<ThisClass*>(target)->member();                                  \
     return 0;                                                                   \
   }},
#define ON_COMMAND_RANGE(id, lastId, member)                                     \
  {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(lastId), nullptr,     \
   [](CCmdTarget* target, WPARAM w, LPARAM) -> LRESULT {                         \
     static_cast<ThisClass*>(target)->member(LOWORD(w));                         \
     return 0;                                                                   \
   }},
#define ON_CONTROL(code, id, member)                                             \
  {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
   [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                           \
     static_cast<ThisClass*>(target)->member();                                  \
     return 0;                                                                   \
   }},
#define ON_BN_CLICKED(id, member) ON_CONTROL(0, id, member)
#define ON_NOTIFY(code, id, member)                                              \
  {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
   [](CCmdTarget* target, WPARAM, LPARAM l) -> LRESULT {                         \
     LRESULT result = 0;                                                         \
     static_cast<ThisClass*>(target)->member(reinterpret_cast<NMHDR*>(l), &result); \
     return result;                                                              \
   }},
#define ON_NOTIFY_RANGE(code, id, lastId, member)                                \
  {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), nullptr, \
   [](CCmdTarget* target, WPARAM, LPARAM l) -> LRESULT {                         \
     LRESULT result = 0;                                                         \
     auto* header = reinterpret_cast<NMHDR*>(l);                                 \
     static_cast<ThisClass*>(target)->member(static_cast<UINT>(header->idFrom), header, &result); \
     return result;                                                              \
   }},
