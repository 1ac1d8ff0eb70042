#pragma once

#include <QIcon>
#include <QImage>
#include <QTextDocument>

#include <memory>

// The main window's icon: a twist drill over a workpiece, 32 x 32 in 16 colours.
QIcon MainWindowIcon();

// The instructions window's icon: a closed purple book with a yellow question mark,
// 32 x 32 in the colours of the 16-colour palette.
QIcon InstructionsIcon();

inline constexpr int InstructionsPageWidthPx = 404;
inline constexpr int InstructionsPageHeightPx = 391;
// The area of the page that holds the text, from column 9 and row 9.
inline constexpr int InstructionsTextWidthPx = 382;
inline constexpr int InstructionsTextHeightPx = 378;

// The page's six paragraphs laid out for the page: justified, the first line of each
// indented, in the serif face at the largest size and leading that hold the whole text
// in the text area with whatever serif face the machine has.
std::unique_ptr<QTextDocument> InstructionsText();

// The instructions page: six justified paragraphs on light-yellow paper in a 1-pixel
// black frame, the names of the main window's buttons and fields in bold italics.
QImage InstructionsPage();
