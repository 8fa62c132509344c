// Resource ids shared by the resource script and the code.
#pragma once

#define IDD_TARNWICK_PANEL 2000
#define IDC_SEARCH_LIST 2001
#define IDC_RESULTS_LIST 2002
#define IDC_ENTRY_EDIT 2003
#define IDC_ADD_BUTTON 2004
#define IDC_SEARCH_BUTTON 2005
#define IDC_CLEAR_BUTTON 2006
#define IDC_RESULTS_LABEL 2007
#define IDC_STRINGS_LABEL 2008
#define IDC_INFO_BUTTON 2009
#define IDC_ALL_CHECKBOX 2010

#define IDD_ABOUT 2100
#define IDC_ABOUT_PICTURE 2101
#define IDC_ABOUT_TEXT 2102
#define IDC_ABOUT_WEB_LINK 2103
#define IDC_ABOUT_MAIL_LINK 2104
#define IDR_LOGO_PNG 3000

// The commands of the panel's context menus.
#define IDM_COPY_LINE 2201
#define IDM_COPY_ALL_LINES 2202
#define IDM_PICK_COLOR 2203
#define IDM_DELETE_ENTRY 2204
