// Ids of the control-bar tests' resources.
#define IDR_BARFRAME 300
#define IDR_SHORT 301
#define IDR_MISSINGBITMAP 302
#define ID_BAR_OPEN 101
#define ID_BAR_SAVE 102
#define ID_BAR_MARK 103
#define ID_BAR_NOHANDLER 104
#define ID_INDICATOR_TEST 110
#define ID_INDICATOR_NOSTRING 111
