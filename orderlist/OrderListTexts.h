// The numbers of the texts that the order-list program and its parts-info
// window look up in their message file, by where they are asked for, so that
// an installation can be checked for them in every program language. A unit
// that asks for a new number adds it here.
#pragma once

namespace OrderListText {

// Buttons and boxes that many dialogs share.
inline constexpr long kShared[] = {1119, 680, 621, 622};
// The main frame: title, menus, status-bar prompts and toolbar tips.
inline constexpr long kMainFrame[] = {724,  1125, 1281, 2313, 2314, 52,   287,  332,  616,  637,  845,  1078,
                                      1219, 1324, 1442, 1506, 1517, 1527, 1528, 1529, 1530, 2194, 2195, 2196,
                                      2197, 2198, 2199, 2200, 2201, 2204, 2205, 2207, 3250, 3263, 3265, 3267,
                                      3271, 1077, 1531, 1532, 2292, 2293, 2294, 2295, 2296, 2297, 2298, 2299,
                                      2300, 2301, 2302, 2303, 2304, 2305, 2306, 2309, 2310, 2311, 2312, 3264,
                                      3266, 3268, 3270, 3272, 3273, 3274};
// The order view: footer labels, line totals, questions and refusals.
inline constexpr long kOrderView[] = {2254, 3261, 3262, 2241, 2127, 2216, 2217, 2243, 3254, 3255, 3259, 3260};
// Opening, saving and managing order files.
inline constexpr long kOrderFiles[] = {1551, 2244, 3249, 3248, 478,  2758, 3322, 3323,
                                       3324, 52,   456,  616,  1075, 1430, 2218, 2219};
// The dialogs: lines, quantities, order data, settings, VAT, versions, about.
inline constexpr long kDialogs[] = {2199, 2200, 2214, 2215, 2322, 3252, 140,  212,  2201, 2202, 2222, 2227, 3256,
                                    3257, 1324, 2239, 2240, 332,  1218, 2228, 2229, 881,  3250, 3251, 728,  1518,
                                    1582, 1583, 2210, 2204};
// The address card index and the address choice.
inline constexpr long kAddresses[] = {238,  2265, 2266, 2267, 2270, 2287, 3249, 3253, 2221, 2257, 444,
                                      2258, 1233, 2259, 896,  1415, 1411, 1270, 2264, 1644, 1244};
// Mail and print.
inline constexpr long kMailAndPrint[] = {2255, 741,  1618, 1619, 1644, 2202, 2212, 2264, 3271, 3325, 3326,
                                         3327, 3328, 3329, 3330, 3332, 3333, 3334, 3335, 3336, 1616, 2222,
                                         1281, 1125, 2248, 1239, 456,  437,  140,  2256};
// The parts-info window (its library reads the same message file).
inline constexpr long kPartsInfo[] = {2322, 618, 680, 467, 747, 748, 2324, 2325, 1005, 2326, 2327};

}  // namespace OrderListText
