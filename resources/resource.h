// Resource and control ids of the installer.
#pragma once

#define IDI_APP 128
#define IDB_WELCOME 131
#define IDD_INSTALL 102
#define IDD_SELECT_PORT 138

#define IDC_NEXT 1001
#define IDC_BROWSE 1002
#define IDC_BACK 1003
#define IDC_PROGRESS 1004
#define IDC_CANCEL_BUTTON 1007
