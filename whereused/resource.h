// Resource ids of the where-used program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SEARCH 102
#define IDR_MAINFRAME 128
#define IDD_RESULTS 129

#define IDC_RESULT_LIST 1002
#define IDC_HIT_COUNT 1003
#define IDC_SEARCH_LABEL 1000
#define IDC_SEARCH_TEXT 1004
#define IDC_RESULT_SCROLL 1006
#define IDC_CASE_SENSITIVE 1012

#define IDM_ABOUTBOX 0x0010
