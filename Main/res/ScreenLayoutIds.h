// Resource ids of the screen layout: its context menu and the commands on it.
#pragma once

#define IDR_FRAME_CONTEXT 131

#define ID_CTX_PART_INFO 32782
#define ID_CTX_ORDER 32777
#define ID_CTX_BRANCH 32778
#define ID_CTX_ZOOM_START 32793
#define ID_CTX_ZOOM_WHOLE 32790
#define ID_CTX_ZOOM_PART 32791
#define ID_CTX_MAXIMISE 32796
#define ID_CTX_COPY_FIELD 32795
#define ID_CTX_COPY_ROW 32788
#define ID_CTX_COPY_TABLE 32789
#define ID_CTX_COPY_PICTURE 32794
#define ID_CTX_ORDER_LIST 32786
