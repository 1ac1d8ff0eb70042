#include "Unit2.h"

#include "ImageView.h"
#include "ProgramAssets.h"
#include "ProgramFonts.h"

namespace {

constexpr int LeftPx = 192;
constexpr int TopPx = 107;
// The outer size 424 x 434 less a 4-pixel frame and a 19-pixel caption.
constexpr int ClientWidthPx = 416;
constexpr int ClientHeightPx = 407;

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      page_(InstructionsPage()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Instrukcije"));
    setWindowIcon(InstructionsIcon());
    setFont(ProgramFont());
    resize(ClientWidthPx, ClientHeightPx);
    move(LeftPx, TopPx);

    Image1 = new ImageView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 401, 393);
    Image1->SetImage(&page_);
}
