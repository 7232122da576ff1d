// The order's header texts and its five address roles, in the fixed order in
// which the order file, the reader and the dialogs handle them.
#pragma once

enum OrderHeaderText {
  kOrderNumber = 0,
  kOrderPurpose = 1,
  kOrderVariant = 2,
  kShippingMethod = 3,
  kDeliveryDate = 4,
  kOrderHeaderTexts = 5
};

struct AddressRole {
  const char* section;    // of the user's ini, keys I00 to I11
  long missingText;       // the message when the reader does not find the address
};

// Dealer, delivery address, customer, supplier, clerk.
inline constexpr AddressRole kAddressRoles[] = {
    {"ADR_HAENDLER", 3246}, {"ADR_LIEFER", 3247}, {"ADR_KUNDE", 2282}, {"ADR_LIEFERANT", 2283},
    {"ADR_SACHBEARBEITER", 2220},
};
inline constexpr int kAddressRoleCount = 5;
// The twelve fields of an address; the file keeps customer number, name and company.
inline constexpr int kAddressFields = 12;
inline constexpr int kFileAddressFields[] = {0, 1, 3};
