#pragma once

#include <array>
#include <string_view>

// Every text the user sees, UTF-8, exactly as shown, grouped by where it appears. The
// material lists' entries belong to the materials (Materials.h).

// The main window: its title, the captions of its inputs and the texts of its buttons.
inline constexpr std::string_view MainWindowTitle =
    "Odredjivanje otpora rezanja pri busenju i prosirivanju";
inline constexpr std::string_view ExitButtonText = "Exit";
inline constexpr std::string_view HelpButtonText = "Help";
inline constexpr std::string_view InputPanelTitle = "POLAZNI PODACI";
inline constexpr std::string_view DrillDiameterLabel = "Prečnik burgije, mm";
inline constexpr std::string_view DrillingLabel = "Bušenje";
inline constexpr std::string_view EnlargingLabel = "Proširivanje";
// The pilot hole's caption stands on two lines; screen readers announce it as one.
inline constexpr std::string_view PilotHoleLabelFirstLine = "Prečnik otvora";
inline constexpr std::string_view PilotHoleLabelSecondLine = "obratka, mm";
inline constexpr std::string_view PilotHoleName = "Prečnik otvora obratka, mm";
inline constexpr std::string_view CuttingDataTitle = "Režim rezanja";
inline constexpr std::string_view CuttingSpeedLabel = "Brzina rezanja, m/min";
inline constexpr std::string_view FeedLabel = "Korak, mm/o";
inline constexpr std::string_view HoleDepthLabel = "Dubina otvora, mm";
// What the material lists show until the first pick.
inline constexpr std::string_view ToolMaterialPrompt = "Materijal alata";
inline constexpr std::string_view WorkMaterialPrompt = "Materijal obratka";
inline constexpr std::string_view ProcessButtonText = "Proces";
inline constexpr std::string_view PauseButtonText = "Pauza";
inline constexpr std::string_view StartStateButtonText = "Polazno stanje";
// The captions of the axis maxima, on two lines each, and as screen readers announce them.
inline constexpr std::string_view ForceMaximumLabelFirstLine = "Maksimalna";
inline constexpr std::string_view ForceMaximumLabelSecondLine = "sila, N";
inline constexpr std::string_view ForceMaximumName = "Maksimalna sila, N";
inline constexpr std::string_view MomentMaximumLabelFirstLine = "Maksimalni";
inline constexpr std::string_view MomentMaximumLabelSecondLine = "moment, Nm";
inline constexpr std::string_view MomentMaximumName = "Maksimalni moment, Nm";

// The main window's own boxes.
inline constexpr std::string_view DrillBreaksText = "Nastaje lom burgije!";
// The "o" of the unit "o/min" (revolutions per minute) is the Cyrillic small o, U+043E,
// the one letter of the program's texts outside the Latin script.
inline constexpr std::string_view SpindleSpeedText = "Broj obrta vretena prelazi 2000 \u043e/min!";
inline constexpr std::string_view PilotHoleText = "Otvor obraditi prosirivacem!";

// The boxes with which "Proces" refuses to start.
inline constexpr std::string_view ModellingNotFeasibleText = "Modeliranje nije izvodljivo!";
inline constexpr std::string_view ChooseBothMaterialsText = "Izaberite materijal alata i obratka!";
inline constexpr std::string_view NoToolMaterialText = "Materijal alata nije zadat!";
inline constexpr std::string_view NoWorkMaterialText = "Materijal obratka nije zadat!";
inline constexpr std::string_view MaterialsNotMatchingText =
    "Izabrani materijali ne odgovaraju zadatim varijantama!";

// The message box: the captions of its two kinds and its one button.
inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view ErrorCaption = "Error";
inline constexpr std::string_view OkButtonText = "OK";

// The messages of the program's errors, shown by the error report; %s stands for the
// text or the file name.
inline constexpr std::string_view NotAnIntegerFormat = "'%s' is not a valid integer value";
inline constexpr std::string_view AxisMaximumText = "Axis Maximum Value must be >= Minimum";
inline constexpr std::string_view CannotOpenFileFormat = "Cannot open file %s";
inline constexpr std::string_view BitmapNotValidText = "Bitmap image is not valid";
inline constexpr std::string_view StreamReadErrorText = "Stream read error";

// The chart: its title and the titles of its axes ("Monent" as the students have always
// read it).
inline constexpr std::string_view ChartTitleText = "Oscilograf";
inline constexpr std::string_view ForceAxisTitle = "Aksijalni otpor, N";
inline constexpr std::string_view MomentAxisTitle = "Monent bušenja, Nm";
inline constexpr std::string_view TimeAxisTitle = "Vreme, s";

// The chart's read-out of the sample under the pointer, and its menu. In the read-out %1,
// %2 and %3 stand for the time, the force and the moment; in the column names of a saved
// table %1 stands for the separator.
inline constexpr std::string_view ReadOutFormat = "t = %1 s   F = %2 N   M = %3 Nm";
inline constexpr std::string_view SamplesColumnsFormat =
    "Vreme (s)%1Aksijalni otpor (N)%1Moment (Nm)";
inline constexpr std::string_view SavePictureText = "Sačuvaj sliku oscilograma (PNG)…";
inline constexpr std::string_view SavePrintPictureText =
    "Sačuvaj sliku za štampu, dvostruke veličine (PNG)…";
inline constexpr std::string_view SavePdfText = "Sačuvaj oscilogram kao PDF…";
inline constexpr std::string_view SaveSamplesText = "Sačuvaj uzorke kao tabelu (CSV)…";
inline constexpr std::string_view CopyPictureText = "Kopiraj sliku oscilograma";
// The file dialog: its caption, the kinds of file, the names it proposes.
inline constexpr std::string_view SaveDialogCaption = "Sačuvaj oscilogram";
inline constexpr std::string_view PictureFilter = "PNG slika (*.png)";
inline constexpr std::string_view PdfFilter = "PDF dokument (*.pdf)";
inline constexpr std::string_view SamplesFilter = "CSV tabela (*.csv)";
inline constexpr std::string_view PictureFileName = "oscilogram.png";
inline constexpr std::string_view PrintPictureFileName = "oscilogram-stampa.png";
inline constexpr std::string_view PdfFileName = "oscilogram.pdf";
inline constexpr std::string_view SamplesFileName = "oscilogram.csv";
// A file that could not be written; %s stands for its name, and the reason follows.
inline constexpr std::string_view NotSavedFormat = "Datoteka %s nije sačuvana";
inline constexpr std::string_view NoSpaceReason = "nema dovoljno mesta na disku";
inline constexpr std::string_view NoFolderReason = "fascikla ne postoji";
inline constexpr std::string_view NameTooLongReason = "ime je predugačko";
inline constexpr std::string_view NoPermissionReason = "nema dozvole za upis";
// In the browser: the browser did not let the page put the picture, or the table of runs,
// on the clipboard.
inline constexpr std::string_view ClipboardRefusedText =
    "Slika nije kopirana: pregledač ne dozvoljava stranici upis u ostavu";
inline constexpr std::string_view TableClipboardRefusedText =
    "Tabela nije kopirana: pregledač ne dozvoljava stranici upis u ostavu";

// Comparing runs: the chart menu's items, the names of kept traces in the chart's key and
// read-out (%s stands for a value, the operation is named as beside its button; the
// inputs in which the runs differ are joined by "; "), and the name of each column that a
// kept run adds to a saved table of samples (%1 stands for the column's own name, %2 for
// the kept run's).
inline constexpr std::string_view KeepTracesText = "Zadrži krive za poređenje";
inline constexpr std::string_view RemoveKeptTracesText = "Ukloni zadržane krive";
inline constexpr std::string_view ShowRunTableText = "Tabela procesa…";
inline constexpr std::string_view DiameterKeyFormat = "d = %s";
inline constexpr std::string_view PilotHoleKeyFormat = "d0 = %s";
inline constexpr std::string_view NoPilotHoleKeyText = "d0 = –";
inline constexpr std::string_view CuttingSpeedKeyFormat = "v = %s";
inline constexpr std::string_view FeedKeyFormat = "s = %s";
inline constexpr std::string_view HoleDepthKeyFormat = "L = %s";
inline constexpr std::string_view MaterialsKeySeparator = " / ";
inline constexpr std::string_view KeyDifferenceSeparator = "; ";
inline constexpr std::string_view RunNumberKeyFormat = "proces %s";
// A kept run's line in the read-out: its name, then its force and moment.
inline constexpr std::string_view KeptReadOutFormat = "%1:   F = %2 N   M = %3 Nm";
inline constexpr std::string_view KeptSamplesColumnFormat = "%1, %2";

// The table of runs: its window, its columns, how a run ended, its buttons and its file.
inline constexpr std::string_view RunTableTitle = "Tabela procesa";
// The window shows the column names on two lines where they break; a copied or saved
// table has them on one.
inline constexpr std::array<std::string_view, 14> RunTableColumns = {
    "Br.",
    "Operacija",
    "Prečnik\nburgije, mm",
    "Prečnik otvora\nobratka, mm",
    "Brzina rezanja,\nm/min",
    "Korak,\nmm/o",
    "Dubina\notvora, mm",
    "Materijal\nalata",
    "Materijal\nobratka",
    "Maks. aksijalni\notpor, N",
    "Maks.\nmoment, Nm",
    "Napon\nsmicanja, MPa",
    "Dozvoljeni\nnapon, MPa",
    "Kraj procesa",
};
inline constexpr std::string_view RunAtDepthText = "dostignuta dubina";
inline constexpr std::string_view RunBrokeText = "lom burgije";
inline constexpr std::string_view RunStoppedText = "prekinut (Polazno stanje)";
inline constexpr std::string_view NoValueText = "–";
inline constexpr std::string_view CopyRunTableText = "Kopiraj tabelu";
inline constexpr std::string_view SaveRunTableText = "Sačuvaj tabelu (CSV)…";
inline constexpr std::string_view SaveRunTableCaption = "Sačuvaj tabelu procesa";
inline constexpr std::string_view RunTableFileName = "procesi.csv";

// The instructions window: its title and the paragraphs of its page as rich text, the
// quoted names in bold italics, the words (their spelling included) as the students have
// always read them.
inline constexpr std::string_view InstructionsTitle = "Instrukcije";
inline constexpr std::array<std::string_view, 6> InstructionsParagraphs = {
    "Program je namenjen za modeliranje aksijalnog otpora i momenta pei bušenju i "
    "proširivanju.",
    "Potrebno je uneti u odgovarajućim prozorima interfejsa podatke u uslovima i elementima "
    "režima procesa bušenja (proširivanja), izabrati materijal obratka i alata i kliknite na "
    "ekranski taster „<b><i>Proces</i></b>“. Pri modeliranju procesa proširivanja potrebno je "
    "dopunski uneti podatke o prečniku prethodno izbušenog otvora (rupe).",
    "U grafičkom prozoru interfejsa realizuje se animacija procesa bušenja (proširivanja) a na "
    "ekranu oscilografa pojavljuju oscilogrami aksijalnog otpora i momenta bušenja (F3, M). "
    "Razmera prikaza oscilograma može se menjati pomoću ekranskih tastera „<b><i>Maksimalna "
    "sila - Fmax</i></b>“ i „<b><i>Maksimalni moment - Mmax</i></b>“.",
    "Za zaustavljanje procesa modeliranja aktivirati ekranski taster „<b><i>Pauza</i></b>“ , a "
    "za nastavak procesa – taster „<b><i>Proces</i></b>“.",
    "Aktiviranjem ekranskog tastera „<b><i>Polazno stanje</i></b>“ prevodi se animacija u "
    "početnu poziciju.",
    "Svaki segment oscilograma može se povećati nekoliko puta na sledeći način: dovesti taster "
    "miša u gornji levi ugao oscilograma, pritisnite levi taster miša i obeležite segmet za "
    "uvećanje pomeranjem miša sa leva na desno, sa vrha ka dnu. Otpustite taster. Povećenje se "
    "može izvesti više puta. Za vraćanje na početnu razmeru, manipulaciju mišem realizovati "
    "obrnutim redosledom: pritisnite levi taster miša i pomerajte ga u levo ka vrhu. Otpustiti "
    "taster.",
};
