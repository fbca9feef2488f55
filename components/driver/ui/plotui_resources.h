/* The configuration DLL's own resources: the layout of its property page. */
#pragma once

#define IDD_PRINTER_PAGE 100
#define IDC_PRINTER_ICON 101
#define IDC_RESOLUTION_LABEL 102
#define IDC_RESOLUTION 103
#define IDC_FORMS_LABEL 104
#define IDC_FORMS 105
