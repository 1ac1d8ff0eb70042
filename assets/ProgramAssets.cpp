#include "ProgramAssets.h"

#include "ProgramFonts.h"
#include "UserTexts.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int IconSizePx = 32;
constexpr int TextLeftPx = 9;
constexpr int TextTopPx = 9;
// Half an inch at 96 dots per inch.
constexpr int ParagraphIndentPx = 48;
// The page is set a quarter of a pixel tighter per letter than the face's own advances.
// With Liberation Serif, the metric twin of Times New Roman, the 14-pixel text then breaks
// into the page's 23 lines; some three pixels more or less per line, or another indent,
// move words from one line to the next.
constexpr qreal LetterSpacingPx = -0.25;

// Sizes and leadings of the page's text, tried in this order until the text fits. The
// first is the page as designed, its 23 lines inked from row 11 to row 358; the others
// hold it in wider faces.
struct PageType {
    int PixelSize;
    qreal LineHeightPx;
};
constexpr PageType PageTypes[] = {{14, 15.25}, {14, 14.5}, {13, 14.0}, {13, 13.5}, {12, 13.0},
                                  {12, 12.5},  {11, 12.0}, {11, 11.5}, {10, 11.0}};

QIcon IconFromPainting(void (*paint)(QPainter&)) {
    QImage image(IconSizePx, IconSizePx, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

// Drawn in the colours of the 16-colour palette, pixel-aligned, without antialiasing.
void PaintDrillIcon(QPainter& p) {
    const QColor silver(192, 192, 192), grey(128, 128, 128), black(0, 0, 0);
    // The workpiece with a hole started in it.
    p.setPen(black);
    p.setBrush(grey);
    p.drawRect(2, 22, 27, 8);
    p.setBrush(silver);
    p.drawRect(3, 23, 25, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{12, 22}, {20, 22}, {16, 26}}));
    // Chuck, body with two flutes, and the point entering the hole.
    p.setPen(black);
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(11, 0, 10, 4);
    p.setBrush(silver);
    p.drawRect(13, 5, 6, 13);
    p.setPen(grey);
    for (int y = 6; y < 18; y += 4) {
        p.drawLine(14, y + 3, 18, y);
    }
    p.setPen(black);
    p.setBrush(silver);
    p.drawPolygon(QPolygon({{13, 18}, {19, 18}, {16, 24}}));
    // Chips flying off.
    p.setPen(QColor(255, 255, 0));
    p.drawPoint(9, 20);
    p.drawPoint(23, 19);
    p.drawPoint(7, 18);
}

// The question mark as pixel rows: its hook, its stem and its dot.
void PaintBookIcon(QPainter& p) {
    const QColor purple(128, 0, 128), magenta(255, 0, 255), black(0, 0, 0), yellow(255, 255, 0);
    p.setPen(black);
    p.setBrush(Qt::white);
    p.drawRect(6, 4, 22, 25); // the pages, seen at the edge
    p.setBrush(purple);
    p.drawRect(4, 2, 22, 25); // the cover
    p.setPen(magenta);
    p.drawLine(6, 3, 6, 26); // the spine's highlight
    p.setPen(Qt::NoPen);
    p.setBrush(yellow);
    const QRect questionMark[] = {{12, 7, 8, 2},  {10, 9, 3, 3},  {19, 9, 3, 5},
                                  {17, 14, 3, 2}, {15, 16, 3, 3}, {15, 21, 3, 3}};
    for (const QRect& part : questionMark) {
        p.drawRect(part);
    }
}

} // namespace

QIcon MainWindowIcon() {
    return IconFromPainting(PaintDrillIcon);
}

QIcon InstructionsIcon() {
    return IconFromPainting(PaintBookIcon);
}

std::unique_ptr<QTextDocument> InstructionsText() {
    QString html = QStringLiteral("<html><body>");
    for (std::string_view paragraph : InstructionsParagraphs) {
        html += QStringLiteral("<p align=\"justify\" style=\"margin:0; text-indent:%1px\">")
                    .arg(ParagraphIndentPx) +
                QString::fromUtf8(paragraph.data(), static_cast<qsizetype>(paragraph.size())) +
                QStringLiteral("</p>");
    }
    html += QStringLiteral("</body></html>");

    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    document->setTextWidth(InstructionsTextWidthPx);
    for (const PageType& type : PageTypes) {
        QFont font = InstructionsPageFont(type.PixelSize);
        font.setLetterSpacing(QFont::AbsoluteSpacing, LetterSpacingPx);
        document->setDefaultFont(font);
        document->setHtml(html);
        // The lines stand a fixed distance apart, whatever the face's own leading.
        QTextCursor cursor(document.get());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat lines;
        lines.setLineHeight(type.LineHeightPx, QTextBlockFormat::FixedHeight);
        cursor.mergeBlockFormat(lines);
        if (document->size().height() <= InstructionsTextHeightPx) {
            break;
        }
    }
    return document;
}

// The frame lies on rows 1 and 389 and columns 0 and 401; the text stands inside it
// from column 9 and row 9.
QImage InstructionsPage() {
    QImage page(InstructionsPageWidthPx, InstructionsPageHeightPx, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(254, 254, 153));
    painter.drawRect(0, 1, 401, 388);
    painter.translate(TextLeftPx, TextTopPx);
    InstructionsText()->drawContents(
        &painter, QRectF(0, 0, InstructionsTextWidthPx, InstructionsTextHeightPx));
    painter.end();
    return page;
}
