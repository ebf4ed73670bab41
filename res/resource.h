// Resource identifiers shared by vantora.rc and the C++ code.
#pragma once

#define IDI_MAINICON_NAME "MAINICON"
#define IDB_ILMAIN_NAME "ILMAIN"

#define IDS_FIXED 100
#define IDS_SUMMARY_FORMAT 101
#define IDS_ABOUT_CAPTION 102
#define IDS_ABOUT_TEXT 103
