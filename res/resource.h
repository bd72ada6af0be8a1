#pragma once

// Resource, control and command ids of Trawl. The numbers are fixed: stored
// settings, accelerators and menus refer to them. One block per kind of id;
// ids of different kinds may share a number, as Windows keeps them apart.

// Resources: dialog templates, menus, bitmaps (100-140). The main frame's
// menu, accelerators, icon and document string share 128.
#define IDD_ABOUTBOX 100
#define IDD_SEARCH_FORM 101
#define IDR_MAINFRAME 128
#define IDD_FILE_ATTRIBUTES 130
#define IDR_RESULT_POPUP 131
#define IDB_DRIVES 132
#define IDD_DETAIL_OPTIONS 134
// the Directory List dialog
#define IDD_DIRECTORY_LIST 140

// Strings (102-234, and the idle prompts at 1000-1002), by owner:
// the search form and the About box's values
#define IDS_MEMORY_KB 102
#define IDS_DRIVE_FREE 103
#define IDS_UNAVAILABLE 104
#define IDS_FOUND_SIZING 105
#define IDS_SOURCE_ENVIRONMENT 106
#define IDS_SOURCE_MYPATH 107
#define IDS_NO_FILES 108
#define IDS_MYPATH_TITLE 109
#define IDS_ENVVALUE_CAPTION 110
#define IDS_NO_VALUE 111
// the file actions
#define IDS_OPEN_CAPTION 140
#define IDS_OPEN_NO_ASSOCIATION 141
#define IDS_OPEN_FAILED 142
#define IDS_DELETE_CAPTION 143
#define IDS_DELETE_CONFIRM 144
#define IDS_DELETE_FAILED 145
#define IDS_DELETE_FAILED_CAUSE 146
#define IDS_DELETE_NOT_FOUND 147
#define IDS_DELETE_BAD_PATH 148
#define IDS_DELETE_ACCESS_DENIED 149
#define IDS_DELETE_INVALID_FILE 150
#define IDS_DELETE_SHARING 151
#define IDS_DELETE_LOCKING 152
#define IDS_ATTR_SIZE 153
#define IDS_ATTR_TIME 154
// the About box
#define IDS_MAKER_TEXT 160
#define IDS_DRIVE_HEADING 161
#define IDS_FREE_SPACE_HEADING 162
#define IDS_CDROM_DRIVE 163
// files the actions cannot reach as listed
#define IDS_NAME_NOT_PASSED 170
#define IDS_NAME_NOT_REACHED 171
#define IDS_DELETE_LINK 172
#define IDS_NAME_AMBIGUOUS 173
#define IDS_FILE_CHANGED 174
#define IDS_DELETE_STILL_THERE 175
#define IDS_DELETE_PENDING 176
// tips of the result list's shadowed copies
#define IDS_SHADOWED_BY 190
#define IDS_WINS_OVER_ONE 191
#define IDS_WINS_OVER_MANY 192
// the Directory List: a state per entry, where it comes from, the summary's
// counts of each state (in the order of trawl::EntryState and EntryOrigin)
#define IDS_DIRLIST_EMPTY 200
#define IDS_DIRLIST_UNEXPANDED 201
#define IDS_DIRLIST_RELATIVE 202
#define IDS_DIRLIST_MISSING 203
#define IDS_DIRLIST_NOT_DIRECTORY 204
#define IDS_DIRLIST_TRAILING_SPACE 205
#define IDS_DIRLIST_TRAILING_DOT 206
#define IDS_DIRLIST_UNREACHED 207
#define IDS_DIRLIST_UNREADABLE 208
#define IDS_DIRLIST_DUPLICATE 209
#define IDS_DIRLIST_OK 210
#define IDS_DIRLIST_NOT_IN_PROCESS 211
#define IDS_DIRLIST_OTHER_TYPE 212
#define IDS_DIRLIST_SYSTEM 220
#define IDS_DIRLIST_USER 221
#define IDS_DIRLIST_PROCESS 222
#define IDS_DIRLIST_TYPED 223
#define IDS_DIRLIST_EMPTY_COUNT 230
#define IDS_DIRLIST_UNEXPANDED_COUNT 231
#define IDS_DIRLIST_RELATIVE_COUNT 232
#define IDS_DIRLIST_MISSING_COUNT 233
#define IDS_DIRLIST_NOT_DIRECTORY_COUNT 234
#define IDS_DIRLIST_TRAILING_SPACE_COUNT 235
#define IDS_DIRLIST_TRAILING_DOT_COUNT 236
#define IDS_DIRLIST_UNREACHED_COUNT 237
#define IDS_DIRLIST_UNREADABLE_COUNT 238
#define IDS_DIRLIST_DUPLICATE_COUNT 239
#define IDS_DIRLIST_OK_COUNT 240
#define IDS_DIRLIST_NOT_IN_PROCESS_COUNT 241
#define IDS_DIRLIST_OTHER_TYPE_COUNT 242
#define IDS_DIRLIST_HEADINGS 250
#define IDS_DIRLIST_ENTRIES 251
#define IDS_DIRLIST_LENGTH 252
#define IDS_DIRLIST_TOO_LONG 253
#define IDS_DIRLIST_ONE_ENTRY 254
// tips of what runs when a command is typed
#define IDS_RUNS_WHEN_TYPED 193
#define IDS_TYPING_RUNS 194
#define IDS_NOT_RUN_EXTENSION 195
#define IDS_NOT_RUN_NO_EXTENSION 196
// idle prompts of the form's controls
#define IDS_PROMPT_FILENAME 1000
#define IDS_PROMPT_ENVLIST 1001
#define IDS_PROMPT_RESULTS 1002

// Status bar panes (105: the found pane, sized by the string of that id)
#define ID_INDICATOR_FOUND 105

// Controls (1000-1042), by window:
// the search form
#define IDC_FILENAME 1000
#define IDC_ENVLIST 1001
#define IDC_RESULTS 1002
#define IDC_SEARCH 1003
#define IDC_CLEAR 1004
#define IDC_ENVCHECK 1022
#define IDC_SOURCELABEL 1023
#define IDC_MYPATH 1024
// the attributes window
#define IDC_ATTR_NAME 1005
#define IDC_ATTR_CREATED 1006
#define IDC_ATTR_MODIFIED 1007
#define IDC_ATTR_ACCESSED 1008
#define IDC_ATTR_SIZE 1009
#define IDC_ATTR_READONLY 1010
#define IDC_ATTR_ARCHIVE 1011
#define IDC_ATTR_HIDDEN 1012
#define IDC_ATTR_SYSTEM 1013
// the About box
#define IDC_TOTALMEM 1014
#define IDC_DRIVES 1018
#define IDC_MAKERTEXT 1025
// the display options dialog
#define IDC_OPT_SIZE 1026
#define IDC_OPT_DATE 1027
#define IDC_OPT_ATTRIB 1028
#define IDC_OPT_VERSION 1015
// the Directory List dialog
#define IDC_DIRLIST_TABLE 1040
#define IDC_DIRLIST_SUMMARY 1041
#define IDC_DIRLIST_COPY 1042

// Commands (32771-32790)
#define ID_VIEW_ENVVALUE 32771
#define ID_FILE_SEARCH 32772
#define ID_FILE_CLEAR 32773
#define ID_POPUP_OPEN 32774
#define ID_POPUP_ATTRIBUTES 32777
#define ID_POPUP_DELETE 32778
#define ID_VIEW_DETAILOPTIONS 32779
#define ID_POPUP_NOTEPAD 32781
#define ID_POPUP_QUICKVIEW 32782
#define ID_VIEW_DIRECTORYLIST 32790

// Framework commands, strings and windows (57344-61704)
#include "framework/FrameworkIds.h"
