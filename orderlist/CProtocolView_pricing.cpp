// Pricing the lines and the order's totals with VAT.
#include <limits>

#include "orderlist/CProtocolView.h"
#include "orderlist/Money.h"

namespace {

// The quantity as a whole number and its decimals: the first "." or ","
// separates; after it only digits count, and each other character takes a
// decimal away.
DecimalValue ReadQuantity(const CString& text) {
  const int separator = text.FindOneOf(".,");
  if (separator < 0) return {ReadInteger(static_cast<const char*>(text)), 0};
  std::string kept(static_cast<const char*>(text), static_cast<size_t>(separator));
  int decimals = text.GetLength() - separator - 1;
  for (int i = separator + 1; i < text.GetLength(); ++i) {
    if (text[i] >= '0' && text[i] <= '9')
      kept += text[i];
    else
      --decimals;
  }
  return {ReadInteger(kept), decimals};
}

int64_t ClampedProduct(int64_t a, int64_t b) {
  int64_t product;
  if (!__builtin_mul_overflow(a, b, &product)) return product;
  return (a < 0) != (b < 0) ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
}

// Sums of amounts that a damaged price setting drove to the limits stay there.
int64_t ClampedSum(int64_t a, int64_t b) {
  int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return a < 0 ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
}

}  // namespace

// The unit price in the display currency, and its text.
int64_t CProtocolView::UnitValue(const OrderItem& item, CString& text) const {
  switch (m_app.m_price_display) {
    case kPricesCurrency1: m_app.FormatAmount(item.price, text, m_app.m_decimals1); return item.price;
    case kPricesCurrency2: m_app.SecondCurrencyText(item.price, text); return m_app.SecondCurrencyValue(item.price);
    default: text.Empty(); return 0;
  }
}

void CProtocolView::PriceItem(OrderItem& item) const {
  if (!m_app.KeepsPrices() || item.quantity.IsEmpty()) return;
  const DecimalValue quantity = ReadQuantity(item.quantity);
  const int64_t unit = UnitValue(item, item.unitPriceText);
  int64_t total = ClampedProduct(unit, quantity.digits);
  if (quantity.decimals > 0) total = RoundByDigits(total, quantity.decimals);
  item.lineTotal = total;
  switch (m_app.m_price_display) {
    case kPricesCurrency1: m_app.FormatAmount64(total, item.lineTotalText, m_app.m_decimals1); break;
    case kPricesCurrency2: m_app.FormatAmount64(total, item.lineTotalText, m_app.m_decimals2); break;
    default: item.lineTotalText.Empty(); break;
  }
}

void CProtocolView::RepriceAll() {
  for (const auto& item : m_items) PriceItem(*item);
  UpdateTotals();
  UpdateColumnTitles();
}

void CProtocolView::UpdateTotals() {
  m_totals = CountTotals();
  ShowTotals();
}

OrderTotals CProtocolView::CountTotals() const {
  OrderTotals totals;
  totals.lineCount = GetItemCount();
  const VatRateTable& vat = m_app.m_vat;
  if (m_app.KeepsPrices()) {
    std::vector<int64_t> groups(static_cast<size_t>(vat.Count()), 0);
    for (const auto& item : m_items) {
      totals.orderTotal = ClampedSum(totals.orderTotal, item->lineTotal);
      if (vat.HasGroup(item->vatGroup)) groups[item->vatGroup] = ClampedSum(groups[item->vatGroup], item->lineTotal);
    }
    // A rate is a percentage with the table's decimals: the tax drops those and two more digits.
    for (int group = 0; group < vat.Count(); ++group) {
      const int64_t sum = groups[static_cast<size_t>(group)];
      const int64_t tax = RoundByDigits(ClampedProduct(sum, vat.Rate(group)), vat.Decimals() + 2);
      totals.grossTotal = ClampedSum(totals.grossTotal, ClampedSum(sum, tax));
    }
  }
  const int display = m_app.KeepsPrices() ? m_app.m_price_display : kPricesHidden;
  if (display != kPricesHidden) {
    const bool second = display == kPricesCurrency2;
    const int decimals = second ? m_app.m_decimals2 : m_app.m_decimals1;
    const CString& currency = second ? m_app.m_currency2 : m_app.m_currency1;
    totals.showTotal = true;
    m_app.FormatAmount64(totals.orderTotal, totals.totalText, decimals);
    totals.totalText += " " + currency;
    totals.showGross = vat.Count() > 0;
    if (totals.showGross) {
      m_app.FormatAmount64(totals.grossTotal, totals.grossText, decimals);
      totals.grossText += " " + currency;
    }
  }
  return totals;
}

int CProtocolView::ConvertPriceToEuro(const char* currency, int32_t value, int32_t& result) {
  int64_t cents = 0;
  if (!LegacyToEuroCents(currency, value, cents)) return 0;
  result = static_cast<int32_t>(cents);
  return 1;
}
