// Control and template ids of the fake wizard, the driver's test partner; the controls carry
// the real wizard's ids.
#pragma once

#define IDD_FAKE_WIZARD 100
#define IDD_FAKE_PORTS 101

#define IDC_NEXT 1001
#define IDC_BROWSE 1002
#define IDC_BACK 1003
#define IDC_PROGRESS 1004
#define IDC_CANCEL_BUTTON 1007
#define IDC_PORT_LIST 1009
#define IDC_MODEL 1025
#define IDC_DEFAULT_PRINTER 1029
#define IDC_NAME 1030
