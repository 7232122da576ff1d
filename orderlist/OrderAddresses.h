// The order's addresses as the user's settings keep them (a section per
// address, keys I00 to I11 for its twelve texts), and the bits of the
// setting Config that lock address books and buttons.
#pragma once

#include "mfc/CStringArray.h"
#include "orderlist/CProtocolApp.h"

enum AddressConfigBits : long {
  kCustomerBookLocked = 1,
  kNoCustomerAddressOff = 2,
  kSupplierBookLocked = 4,
  kDeliveryBookLocked = 8,
  kDealerBookLocked = 16,
  kClerkBookLocked = 32,
  kNoDeliveryAddressOff = 64,
};

// The program texts that name the twelve fields of an address.
inline constexpr long kAddressFieldTexts[] = {2257, 444, 2258, 1233, 2259, 896, 1415, 1411, 1270, 2264, 1644, 1244};

// The twelve texts of the section; a missing key gives an empty text.
void ReadOrderAddress(CProtocolApp& app, const char* section, CStringArray& fields);
void WriteOrderAddress(CProtocolApp& app, const char* section, const CStringArray& fields);
