// The hotspot library QridHtSp: the exported HS_* functions. Importers bind
// them by ordinal on the platform; the ordinal of each function is part of
// the interface and is given beside it. Every function but HS_New takes the
// list handle first; only HS_Delete accepts a null handle.
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

class CDC;
class CWnd;
class CPalette;

// The address of one hotspot list; made by HS_New, owned and freed by the caller.
typedef void* HS_HANDLE;

#define QRIDHTSP_API __attribute__((visibility("default")))

QRIDHTSP_API HS_HANDLE HS_New();                                                            // 1
QRIDHTSP_API void HS_Delete(HS_HANDLE list);                                                // 2
QRIDHTSP_API int HS_OnDraw(HS_HANDLE list, CDC* dc, int dx, int dy);                        // 3
QRIDHTSP_API int HS_HotspotsExists(HS_HANDLE list);                                         // 4
QRIDHTSP_API int HS_Zoom(HS_HANDLE list, int width, int height);                            // 5
QRIDHTSP_API int HS_SetTotalNumber(HS_HANDLE list, int count);                              // 6
QRIDHTSP_API int HS_SetHotspot(HS_HANDLE list, int index, int left, int top, int right, int bottom,
                               const char* text, const char* text2, int flags);             // 7
QRIDHTSP_API int HS_OnMouseMove(HS_HANDLE list, CWnd* window, int scrollX, int scrollY, int ignored, int x,
                                int y, CPalette* palette);                                  // 8
QRIDHTSP_API int HS_GetActiveHotspot(HS_HANDLE list);                                       // 10
QRIDHTSP_API void HS_AddHotspot(HS_HANDLE list, int left, int top, int right, int bottom, const char* text,
                                const char* text2, int flags);                              // 12
QRIDHTSP_API int HS_SetClrMode(HS_HANDLE list, int index, int mode);                        // 13
QRIDHTSP_API void HS_DrawSettings(HS_HANDLE list, int style, int shape, int penWidth, int count,
                                  const COLORREF* colours, const COLORREF* activeColours);  // 14
QRIDHTSP_API int HS_GetNumberOfHotspots(HS_HANDLE list);                                    // 17
QRIDHTSP_API void HS_SetNotVisible(HS_HANDLE list);                                         // 18
QRIDHTSP_API int HS_ActivateHotspot(HS_HANDLE list, CString name, int on, CWnd* window, int scrollX, int scrollY,
                                    CPalette* palette);                                     // 20
QRIDHTSP_API void HS_EnableHotspot(HS_HANDLE list, CString name, int on);                   // 22
QRIDHTSP_API int HS_ClearHotspots(HS_HANDLE list, CWnd* window, int scrollX, int scrollY, CPalette* palette);  // 24
QRIDHTSP_API void HS_DeleteHotspots(HS_HANDLE list);                                        // 25
QRIDHTSP_API int HS_ActivateHotspotNr(HS_HANDLE list, int index, int on, CWnd* window, int scrollX, int scrollY,
                                      CPalette* palette);                                   // 26
// The texts are the hotspot's own strings, valid until it is changed or deleted.
QRIDHTSP_API int HS_GetHotspot(HS_HANDLE list, int index, RECT* rect, CString** text, CString** text2,
                               BYTE* mode);                                                 // 27
QRIDHTSP_API void HS_EnableHotspotNr(HS_HANDLE list, int index, int on);                    // 28
QRIDHTSP_API void HS_FileWriteHotspots(HS_HANDLE list, CString file);                       // 29
QRIDHTSP_API void HS_FileReadHotspots(HS_HANDLE list, CString file);                        // 30
QRIDHTSP_API int HS_SaveFile(HS_HANDLE list, CString file);                                 // 31
QRIDHTSP_API int HS_DeleteHotspot(HS_HANDLE list, int index);                               // 32
QRIDHTSP_API void HS_SetImageSize(HS_HANDLE list, int width, int height);                   // 33
QRIDHTSP_API int HS_Scale(HS_HANDLE list, SIZE size);                                       // 35
QRIDHTSP_API int HS_SetTextMode(HS_HANDLE list, int mode);                                  // 36
QRIDHTSP_API void HS_SetTextSettings(HS_HANDLE list, CString face, int pointSize, COLORREF colour,
                                     COLORREF highColour, int bkMode);                      // 37
QRIDHTSP_API int HS_SelectHotspot(HS_HANDLE list, CString name, int on, CWnd* window, int scrollX, int scrollY,
                                  int ignored);                                             // 38
QRIDHTSP_API int HS_SelectHotspotNr(HS_HANDLE list, int index, int on, CWnd* window, int scrollX, int scrollY,
                                    int ignored);                                           // 39
QRIDHTSP_API int HS_IsHotspotSelected(HS_HANDLE list, CString name);                        // 40
QRIDHTSP_API int HS_IsHotspotNrSelected(HS_HANDLE list, int index);                         // 41
QRIDHTSP_API void HS_FrameSettings(HS_HANDLE list, int frameWidth, int invertWidth);        // 42
QRIDHTSP_API int HS_CaseSensitive(HS_HANDLE list, int on);                                  // 43
