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
