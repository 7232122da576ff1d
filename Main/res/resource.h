// Ids of the viewer's resources.
#pragma once

#define IDD_NOTE 140
#define IDD_CONFIRM_LIST 146
#define IDD_INTERNET 159
#define IDD_CREDITS 160

#define IDC_LIST 3004
#define IDC_LIST_LABEL 3005
#define IDC_NOTE_TEXT 3008
#define IDC_INTERNET_TEXT 3053
#define IDC_INTERNET_BUTTON 3054
#define IDC_CREDITS_LIST 3060

// Report-style list views of the common controls.
#define VIEWER_LVS_REPORT 0x0001
#define VIEWER_LVS_SINGLESEL 0x0004
#define VIEWER_LVS_SHOWSELALWAYS 0x0008
#define VIEWER_LVS_NOSORTHEADER 0x8000
