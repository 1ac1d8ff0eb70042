#include "ImageView.h"
#include "ProgramAssets.h"
#include "ProgramWindows.h"
#include "Unit2.h"

#include <QFontInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(InstructionsWindow, PageFrameAndWindowShape) {
    ProgramWindows::SetUpOnce();
    const QImage page = InstructionsPage();
    ASSERT_EQ(page.size(), QSize(404, 391));
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), paper = qRgb(254, 254, 153);
    struct Pixel {
        int x, y;
        QRgb colour;
    };
    const Pixel pixels[] = {
        {0, 1, black},     {200, 1, black}, {401, 1, black},   {0, 389, black},   {200, 389, black},
        {401, 200, black}, {0, 200, black}, {200, 0, white},   {200, 390, white}, {402, 200, white},
        {403, 200, white}, {2, 3, paper},   {399, 387, paper}, {200, 386, paper},
    };
    for (const Pixel& p : pixels) {
        EXPECT_EQ(page.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // The text stands between columns 9 and 391: some black there, none in the margins.
    int inked = 0, inMargin = 0;
    for (int y = 3; y < 388; ++y) {
        for (int x = 1; x < 401; ++x) {
            const bool ink = qGray(page.pixel(x, y)) < 100;
            (x >= 9 && x <= 391 ? inked : inMargin) += ink ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 5000);
    EXPECT_EQ(inMargin, 0);
    // The whole text fits its area, whatever serif face the machine has: the suite runs
    // this test under a font configuration of the DejaVu fonts alone as well.
    const std::unique_ptr<QTextDocument> text = InstructionsText();
    EXPECT_LE(text->size().height(), InstructionsTextHeightPx);
    if (qEnvironmentVariable("FONTCONFIG_FILE").endsWith("dejavu-only.conf")) {
        EXPECT_EQ(QFontInfo(text->defaultFont()).family(), "DejaVu Serif");
    }

    TForm2 form2;
    EXPECT_EQ(form2.windowTitle(), "Instrukcije");
    EXPECT_FALSE(form2.isVisible());
    EXPECT_FALSE(form2.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form2.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form2.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form2.geometry(), QRect(192, 107, 416, 407));
    ImageView* image = form2.findChild<ImageView*>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(8, 8, 401, 393));
    // Shown at its own size, not scaled: the window's first pixel row of the image is the
    // page's row 0 (white), the next its black frame.
    const QImage shown = image->grab().toImage();
    EXPECT_EQ(shown.pixel(200, 0), white);
    EXPECT_EQ(shown.pixel(200, 1), black);
    EXPECT_EQ(shown.pixel(400, 200), page.pixel(400, 200));
    // The control is two rows taller than the page: the window's background shows there.
    EXPECT_EQ(shown.pixel(200, 391), form2.palette().window().color().rgb());
    EXPECT_EQ(shown.pixel(200, 392), form2.palette().window().color().rgb());
    // On a screen of twice the density the page is enlarged by whole pixels: its frame
    // line becomes two black rows, with nothing blended beside them.
    QImage doubled(image->size() * 2, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2.0);
    image->render(&doubled);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(doubled.pixel(200, y), y < 2 ? white : (y < 4 ? black : paper)) << y;
    }
}

// The page's lines as its layout breaks them with the usual serif face (Liberation Serif,
// or Times New Roman where the machine has it): 23 lines beginning with these words, six
// of them the first of a paragraph, a fixed distance of about 15.5 pixels apart, the last
// ending by row 360 of the page.
TEST(InstructionsPage, TheUsualFaceBreaksTheTextIntoItsLines) {
    ProgramWindows::SetUpOnce();
    const std::unique_ptr<QTextDocument> text = InstructionsText();
    const QString family = QFontInfo(text->defaultFont()).family();
    EXPECT_TRUE(family == "Liberation Serif" || family == "Times New Roman")
        << family.toStdString();
    struct Line {
        const char* begins;
        bool opensParagraph;
    };
    const Line expected[] = {
        {"Program je namenjen", true},
        {"momenta pei", false},
        {"Potrebno je uneti", true},
        {"podatke u uslovima", false},
        {"(proširivanja), izabrati", false},
        {"taster „Proces“. Pri", false},
        {"dopunski uneti", false},
        {"U grafičkom prozoru", true},
        {"bušenja (proširivanja) a na", false},
        {"aksijalnog otpora i momenta bušenja", false},
        {"oscilograma može se menjati", false},
        {"sila - Fmax“", false},
        {"Za zaustavljanje", true},
        {"„Pauza“ , a za", false},
        {"Aktiviranjem ekranskog", true},
        {"animacija u početnu", false},
        {"Svaki segment", true},
        {"na sledeći način", false},
        {"pritisnite levi taster miša i obeležite", false},
        {"miša sa leva na desno", false},
        {"može izvesti više puta", false},
        {"mišem realizovati", false},
        {"pomerajte ga u levo", false},
    };
    std::vector<QString> lines;
    std::vector<bool> opening;
    std::vector<qreal> tops;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back(block.text().mid(line.textStart(), line.textLength()));
            opening.push_back(i == 0);
            tops.push_back(layout->position().y() + line.y());
        }
    }
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].startsWith(QString::fromUtf8(expected[i].begins)))
            << "line " << i + 1 << ": " << lines[i].toStdString();
        EXPECT_EQ(opening[i], expected[i].opensParagraph) << "line " << i + 1;
    }
    const qreal pitch = tops[1] - tops[0];
    EXPECT_GE(pitch, 15.0);
    EXPECT_LE(pitch, 16.0);
    for (std::size_t i = 1; i < tops.size(); ++i) {
        EXPECT_DOUBLE_EQ(tops[i] - tops[i - 1], pitch) << "line " << i + 1;
    }
    EXPECT_LE(9 + text->size().height(), 360.0);
}

} // namespace
