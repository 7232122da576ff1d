// Resource and command ids of the order-list program.
#pragma once

#define IDR_PROTOCOL 230

#define ID_ORDER_NEW 240
#define ID_ORDER_OPEN 241
#define ID_ORDER_SAVE 242
#define ID_ORDER_SAVE_AS 243
#define ID_LINE_INSERT 244
#define ID_LINE_EDIT 245
#define ID_LINE_DELETE 246
#define ID_EXPORT_PROGRAM 259
#define ID_MAIL_ORDER 279
#define ID_CALC_TOOL 282

#define IDD_ORDERED_NOTICE 207

#define ID_PRINT_DIRECT 253
#define ID_PRINT 254
#define ID_FAX 280
#define ID_FAX_PRINTER 281
