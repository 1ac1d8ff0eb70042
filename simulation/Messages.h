#pragma once

#include <string_view>

// Texts the user sees, UTF-8, exactly as shown: the boxes with which "Proces" refuses to
// start, and the chart's read-out and menu.

enum class MessageKind { Warning, Error };

inline constexpr std::string_view ModellingNotFeasibleText = "Modeliranje nije izvodljivo!";
inline constexpr std::string_view ChooseBothMaterialsText = "Izaberite materijal alata i obratka!";
inline constexpr std::string_view NoToolMaterialText = "Materijal alata nije zadat!";
inline constexpr std::string_view NoWorkMaterialText = "Materijal obratka nije zadat!";
inline constexpr std::string_view MaterialsNotMatchingText =
    "Izabrani materijali ne odgovaraju zadatim varijantama!";

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
