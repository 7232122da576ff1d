// Ids of the layer's own dialogs and their controls; the resource compiler's
// preprocessor reads this file, so it holds definitions only.
#pragma once

// The print dialog. Its controls keep the ids programs know from the
// platform's print dialog.
#define IDC_PRINT_TO_FILE 0x0410
#define IDC_PRINT_COLLATE 0x0411
#define IDC_PRINT_ALL 0x0420
#define IDC_PRINT_SELECTION 0x0421
#define IDC_PRINT_PAGES 0x0422
#define IDC_PRINT_PROPERTIES 0x0401
#define IDC_PRINT_PRINTER 0x0473
#define IDC_PRINT_FROM 0x0480
#define IDC_PRINT_TO 0x0481
#define IDC_PRINT_COPIES 0x0482
#define IDC_PRINT_FROM_LABEL 0x0441
#define IDC_PRINT_TO_LABEL 0x0442
#define IDC_PRINT_COPIES_LABEL 0x0444
#define IDC_PRINT_NAME_LABEL 0x0445
#define IDC_PRINT_STATUS 0x0C01
#define IDC_PRINT_TYPE 0x0C02
#define IDC_PRINT_WHERE 0x0C03
#define IDC_PRINT_COMMENT 0x0C04
#define IDC_PRINT_RANGE_BOX 0x0430
#define IDC_PRINT_COPIES_BOX 0x0431
#define IDC_PRINT_PRINTER_BOX 0x0432
