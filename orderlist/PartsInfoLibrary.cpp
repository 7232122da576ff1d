#include "orderlist/PartsInfoLibrary.h"

#include "interfaces/QORV4TIF.h"
#include "orderlist/PartsInfoCalls.h"

void BindPartsInfoLibrary() {
  PartsInfoCalls& calls = ThePartsInfoCalls();
  calls.preTranslateMessage = TIF_PreTranslateMessage;
  calls.init = TIF_Init;
  calls.openPriceDatabase = TIF_OpenPriceDatabase;
  calls.setPartChecks = TIF_SetPartChecks;
  calls.newCommand = TIF_NewCommand;
  calls.setColumnTitles = TIF_SetColumnTitles;
  calls.loadDictionaries = TIF_LoadDictionaries;
  calls.setDataLanguage = TIF_SetDataLanguage;
  calls.openPartsDatabase = TIF_OpenPartsDatabase;
  calls.setTextRequest = TIF_SetTextRequest;
  calls.setVatRate = TIF_SetVatRate;
}
