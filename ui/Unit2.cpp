#include "Unit2.h"

#include "ImageView.h"
#include "Program.h"
#include "ProgramAssets.h"
#include "UserTexts.h"
#include "Utf8Text.h"

namespace {

// Where the window first stands: at (192, 107) when the screen's available area holds it
// there; its outer size 424 x 434 less a 4-pixel frame and a 19-pixel caption.
constexpr QRect ClientArea(192, 107, 416, 407);

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      page_(InstructionsPage()) {
    SetUpWindow(*this, QStringLiteral("Form2"), FromUtf8(InstructionsTitle), InstructionsIcon(),
                ClientArea);
    Image1 = new ImageView(&page_, {8, 8, 401, 393}, this);
}
