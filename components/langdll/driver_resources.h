/* Resource ids the configuration DLL looks up in the language DLLs and in Image.dll. */
#pragma once

#define IDS_DOCUMENT_PAGE_TITLE 1
#define IDS_DEVICE_PAGE_TITLE 2
#define IDS_RESOLUTION_LABEL 3
#define IDS_RESOLUTION_FORMAT 4 /* x dpi, y dpi */
#define IDS_FORMS_LABEL 5
#define IDS_FORM_FORMAT 6 /* name, width mm, height mm */
#define IDS_NO_MODEL_DATA 7

#define IDI_PRINTER 1
