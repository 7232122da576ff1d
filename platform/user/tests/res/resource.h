// Ids of the resources of the user-interface tests.
#pragma once

#define IDD_ALL 100
#define IDD_PLAIN 101
#define IDD_UNKNOWN_CLASS 102
#define IDD_SMALL 103
#define IDD_FORTY 104

#define IDC_NAME_LABEL 1000
#define IDC_NAME 1001
#define IDC_PICTURE 1002
#define IDC_OPTIONS 1003
#define IDC_CHECK 1004
#define IDC_THREE 1005
#define IDC_RADIO1 1006
#define IDC_RADIO2 1007
#define IDC_RADIO3 1008
#define IDC_KIND 1009
#define IDC_TOWN 1010
#define IDC_LIST 1011
#define IDC_NOTES 1012
#define IDC_PASSWORD 1013
#define IDC_DRAWN 1014
#define IDC_FRAME 1015
#define IDC_MORE 1016

#define IDM_MAIN 200
#define IDM_EXTENDED 210
#define ID_FILE_OPEN 201
#define ID_FILE_EXIT 202
#define ID_HELP_ABOUT 203
#define ID_EDIT_DELETE 204

#define IDA_MAIN 300

#define IDI_SAMPLE 400
#define IDC_SAMPLE_CURSOR 401

#define IDS_HELLO 1
#define IDS_SIZE 17
#define IDS_LONG 4000
