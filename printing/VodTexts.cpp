#include "VodTexts.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vod {
namespace {

// Sorted by number. Texts are Windows-1252 as the library shows them.
constexpr std::pair<int, const char*> kTexts[] = {
    {0, "Zuwenig Arbeitsspeicher > %s <"},
    {1, "Kein Formular angegeben!"},
    {2, "Unbekanntes Statement!"},
    {3, "Includedatei nicht vorhanden!"},
    {4, "Kein Frame angegeben!"},
    {5, "Die Zeile %d ist mehrmals definiert"},
    {6, "Ung\xFCltige Spaltenummer!"},
    {7, "Schriftgr\xF6\xDF" "e mehrfach definiert!"},
    {8, "Ung\xFCltige Schriftgr\xF6\xDF" "e!"},
    {9, "Schrift mehrfach definiert"},
    {10, "Ausrichtung mehrfach definiert!"},
    {12, "STATIC ist mehrmals definiert!"},
    {13, "Fehlender Bildtyp!"},
    {14, "Fehlender Bildname!"},
    {15, "XCEN ist mehrmals definiert!"},
    {16, "YCEN ist mehrmals definiert!"},
    {17, "DYN ist mehrmals definiert!"},
    {18, "Fehler DruckAll()"},
    {20, "Zu viele Frames!"},
    {21, "Das Wort BEGIN fehlt!"},
    {22, "Der Framename fehlt!"},
    {23, "Linecount mu\xDF zwischen 1 und 25 liegen!"},
    {24, "Zuwenig Daten!"},
    {25, "Das Beendigungsymbol fehlt!"},
    {27, "Das Wort WITH fehlt!"},
    {28, "PhysicalPage ist mehrmals definiert!"},
    {29, "Ungueltige Nummer!"},
    {30, "LogicalPage ist mehrmals definiert!"},
    {31, "SubPage ist mehrmals definiert!"},
    {32, "VOD Datei %s nicht vorhanden!"},
    {33, "Zu viele Inklude - Dateien!"},
    {34, "Inkludedateien sind rekursiv definiert!"},
    {35, "Das Wort FORMULAR fehlt!"},
    {36, "FORMULAR erwartet!"},
    {37, "Das Wort FRAME fehlt!"},
    {38, "FRAME erwartet!"},
    {39, "Ung\xFCltiges oder falsches Statement!"},
    {44, "VOD ist noch am Drucken!"},
    {46, "Kein Platz mehr auf dem internen Stack! Abbruch!"},
    {47, "Kein Speicher mehr f\xFCr internen Stack! Abbruch!"},
    {48, "Stack konnte nicht freigegben werden! Abbruch!"},
    {49, "Platz f\xFCr die Daten kann nicht allokiert werden! Abbruch!"},
    {50, " Ung\xFCltiger Framename!"},
    {51, " Ung\xFCltige Zeilenummer!"},
    {52, " Schriftgr\xF6\xDF" "e mu\xDF im Bereich 6 bis 50 Pkt liegen"},
    {53, " Ung\xFCltige Ausrichtung!"},
    {54, "Frame ist spaltenorientiert!"},
    {55, "Frame ist zeilenorientiert!"},
    {56, "Frame f\xFCr Bild!"},
    {57, "EVEN Formular ist undefiniert!"},
    {58, "ODD Formular ist undefiniert!"},
    {59, "Frame ist kleiner als ein Buchstabe!"},
    {60, "Frame ist zu klein f\xFCr DATA FRAME Befehl!"},
    {61, " Delimiter fehlt!"},
    {62, "Platz f\xFCr die Daten kann nicht deallokiert werden!"},
    {63, "Frame ist zu klein f\xFCr STATIC-Data! (1)"},
    {64, "Frame ist zu klein f\xFCr STATIC-Data! (2)"},
    {67, " Falscher Framename!"},
    {68, " Selbstverbindung!"},
    {69, " Frame ist schon verbunden!"},
    {70, " Rekursive Verbindung!"},
    {72, " Nummer ist zu gro\xDF!"},
    {75, "Syntaxfehler in Formulardatei '%s'!"},
    {86, "Formulardatei '%s' existiert nicht!"},
    {89, "Kein Dateiname angegeben!"},
    {111, "Kein Font f\xFCr den Drucker!"},
    {112, "Kein Font f\xFCr das Metafile!"},
    {120, "Strichstaerkendatei %s nicht vorhanden!"},
    {121, "HPGL Datei %s nicht vorhanden!"},
    {122, "Datei %s nicht vorhanden!"},
    {125, "HPGL Befehl zu lange!"},
    {180, "Fehler in Procedure Match, Modul string2.c !\n,s1 = '%s' \ns2 = '%s'\n"},
    {181, "Konvertierungsfehler: '%s'!"},
    {182, "Fehler %d beim Ausgeben des Bildes!"},
    {183, "Vom Bild wurden nur %d Zeilen ausgegeben!"},
    {213, "Schriftart kann nicht definiert werden!"},
    {245, "Zuwenig Arbeitsspeicher (9) !"},
    {250, "Frame zu teilen ist mehrmals definiert!"},
    {251, "Ungueltiger Zeilenanzahl!\n"},
    {252, " Ung\xFCltige Teilennummer!"},
    {267, "Ini - Datei %s nicht vorhanden!"},
    {286, "Schriftart %s nicht installiert!"},
    {287, "Fehler beim Schlie\xDF" "en des Metafiles!"},
    {288, "Interner Fehler 3!"},
    {290, "Zugriffskonflikt im Netzwerk.\n Datei %s kann nicht gelesen werden!\n"},
    {316, "Beim Drucken..."},
    {317, "Seite: %d"},
    {320, "VOD %s druckt"},
    {321, "VOD: Abbruch nach Seitenende"},
    {323, "%sDrucker: %s an %s"},
    {324, "VOD: Abbruch..."},
    {325, "&Stop nach Seitenende"},
    {326, "&Abbruch "},
    {403, "Datei: "},
    {412, "VOD ist nicht initialisiert!"},
    {414, "Kann keinen Block f\xFCr Grafik allocieren!"},
    {416, "VOD_Dialog() wird nicht mehr unterst\xFCtzt!"},
    {417, "VOD_DeclareIndirectDialog() wird nicht mehr unterst\xFCtzt!"},
    {418, "Fehler beim Drucken mit VOD !"},
    {419, "Fehler beim bestimmen der Adresse des Grafik Blocks!"},
    {816, "While printing..."},
    {817, "Page: %d"},
    {820, "VOD %s is printing"},
    {821, "VOD: Stop after end of page"},
    {823, "%sPrinter: %s on %s"},
    {824, "VOD: Cancel..."},
    {825, "&Stop after end of page"},
    {826, "&Cancel "},
    {903, "File: "},
};

const char* Find(int number) {
  auto found = std::lower_bound(std::begin(kTexts), std::end(kTexts), number,
                                [](const std::pair<int, const char*>& entry, int n) { return entry.first < n; });
  return found != std::end(kTexts) && found->first == number ? found->second : nullptr;
}

}  // namespace

std::string LoadText(int number, int languageOffset) {
  if (const char* text = Find(number + languageOffset)) return text;
  const char* fallback = Find(number);
  return fallback ? fallback : "";
}

std::string LoadTextEnglishFirst(int number) { return LoadText(number, kEnglishOffset); }

const char* FileLabel(int languageOffset) { return languageOffset == kEnglishOffset ? "File" : "Datei"; }

}  // namespace vod
