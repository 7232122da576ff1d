// Simple MAPI, as the library "MAPI32.DLL" that LoadLibrary finds built into
// the layer. MAPISendMail hands the message to the desktop's mail composer
// through xdg-email (subject, text, recipients and attachments); the composer
// runs on its own, so the call returns as soon as it has started, and the
// user sends the mail from there whatever the flags say.
#pragma once

#include "win32/Types.h"

typedef ULONG FLAGS;
typedef ULONG_PTR LHANDLE;

#define MAPI_ORIG 0u
#define MAPI_TO 1u
#define MAPI_CC 2u
#define MAPI_BCC 3u

#define MAPI_LOGON_UI 0x00000001u
#define MAPI_NEW_SESSION 0x00000002u
#define MAPI_DIALOG 0x00000008u

#define SUCCESS_SUCCESS 0u
#define MAPI_USER_ABORT 1u
#define MAPI_E_USER_ABORT MAPI_USER_ABORT
#define MAPI_E_FAILURE 2u
#define MAPI_E_LOGON_FAILURE 3u
#define MAPI_E_DISK_FULL 4u
#define MAPI_E_INSUFFICIENT_MEMORY 5u
#define MAPI_E_ACCESS_DENIED 6u
#define MAPI_E_TOO_MANY_SESSIONS 8u
#define MAPI_E_TOO_MANY_FILES 9u
#define MAPI_E_TOO_MANY_RECIPIENTS 10u
#define MAPI_E_ATTACHMENT_NOT_FOUND 11u
#define MAPI_E_ATTACHMENT_OPEN_FAILURE 12u
#define MAPI_E_ATTACHMENT_WRITE_FAILURE 13u
#define MAPI_E_UNKNOWN_RECIPIENT 14u
#define MAPI_E_BAD_RECIPTYPE 15u
#define MAPI_E_NO_MESSAGES 16u
#define MAPI_E_INVALID_MESSAGE 17u
#define MAPI_E_TEXT_TOO_LARGE 18u
#define MAPI_E_INVALID_SESSION 19u
#define MAPI_E_TYPE_NOT_SUPPORTED 20u
#define MAPI_E_AMBIGUOUS_RECIPIENT 21u
#define MAPI_E_MESSAGE_IN_USE 22u
#define MAPI_E_NETWORK_FAILURE 23u
#define MAPI_E_INVALID_EDITFIELDS 24u
#define MAPI_E_INVALID_RECIPS 25u
#define MAPI_E_NOT_SUPPORTED 26u

struct MapiFileTagExt {
  ULONG ulReserved;
  ULONG cbTag;
  LPBYTE lpTag;
  ULONG cbEncoding;
  LPBYTE lpEncoding;
};

// An attachment: the file at lpszPathName (a system path), shown to the
// receiver as lpszFileName when that is set.
struct MapiFileDesc {
  ULONG ulReserved;
  ULONG flFlags;
  ULONG nPosition;
  LPSTR lpszPathName;
  LPSTR lpszFileName;
  LPVOID lpFileType;
};
typedef MapiFileDesc* lpMapiFileDesc;

// A recipient is reached at lpszAddress ("SMTP:" in front is dropped), or
// at lpszName when there is no address.
struct MapiRecipDesc {
  ULONG ulReserved;
  ULONG ulRecipClass;
  LPSTR lpszName;
  LPSTR lpszAddress;
  ULONG ulEIDSize;
  LPVOID lpEntryID;
};
typedef MapiRecipDesc* lpMapiRecipDesc;

struct MapiMessage {
  ULONG ulReserved;
  LPSTR lpszSubject;
  LPSTR lpszNoteText;
  LPSTR lpszMessageType;
  LPSTR lpszDateReceived;
  LPSTR lpszConversationID;
  FLAGS flFlags;
  lpMapiRecipDesc lpOriginator;
  ULONG nRecipCount;
  lpMapiRecipDesc lpRecips;
  ULONG nFileCount;
  lpMapiFileDesc lpFiles;
};
typedef MapiMessage* lpMapiMessage;

// SUCCESS_SUCCESS once the composer has the message; MAPI_E_INVALID_MESSAGE
// without a message or with counts that have no records,
// MAPI_E_BAD_RECIPTYPE for a recipient class other than To, Cc and Bcc,
// MAPI_E_INVALID_RECIPS for a recipient without name and address,
// MAPI_E_ATTACHMENT_NOT_FOUND / _OPEN_FAILURE / _WRITE_FAILURE for an
// attachment that is missing, unreadable or cannot be given its name, and
// MAPI_E_FAILURE when no composer can be started.
typedef ULONG (*LPMAPISENDMAIL)(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags, ULONG reserved);
ULONG MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags, ULONG reserved);
