#include "ChartMenu.h"

#include "ErrorReport.h"
#include "ProgramError.h"
#include "UserTexts.h"
#include "Utf8Text.h"
#include "WebPage.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageWriter>

#include <utility>

namespace {

QByteArray PngBytes(const QPixmap& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture.toImage());
    return png;
}

} // namespace

ChartMenu::ChartMenu(Oscillograph* chart, FileSaver& saver, RunComparison comparison,
                     QWidget* parent)
    : QMenu(parent), chart_(chart), saver_(saver), comparison_(std::move(comparison)) {
    setObjectName(QStringLiteral("ChartMenu"));
    const auto item = [this](std::string_view text, auto handler) {
        QAction* action = addAction(FromUtf8(text));
        connect(action, &QAction::triggered, this, Guarded(handler));
        return action;
    };
    item(SavePictureText, [this] { SavePicture(snapshot_.Picture, PictureFileName); });
    item(SavePrintPictureText,
         [this] { SavePicture(snapshot_.PrintPicture, PrintPictureFileName); });
    item(SavePdfText, [this] { SavePdf(); });
    item(SaveSamplesText, [this] { SaveSamples(); });
    addSeparator();
    item(CopyPictureText, [this] { CopyPicture(); });
    addSeparator();
    keep_ = item(KeepTracesText, [this] { comparison_.KeepTraces(); });
    remove_ = item(RemoveKeptTracesText, [this] { chart_->RemoveKeptTraces(); });
    addSeparator();
    item(ShowRunTableText, [this] { comparison_.ShowRunTable(); });
}

// Traces can be kept while the chart shows a run, and removed while some are kept.
void ChartMenu::Open(QPoint where) {
    snapshot_ = chart_->Snapshot();
    keep_->setEnabled(comparison_.RunShown());
    remove_->setEnabled(chart_->HasKeptTraces());
    popup(where);
}

void ChartMenu::SavePicture(const QPixmap& picture, std::string_view proposedName) {
    Save(PngBytes(picture), PictureFilter, proposedName);
}

void ChartMenu::SavePdf() {
    Save(snapshot_.Pdf, PdfFilter, PdfFileName);
}

// Text mode: the lines end as the system's spreadsheets expect.
void ChartMenu::SaveSamples() {
    Save(snapshot_.SamplesCsv, SamplesFilter, SamplesFileName, QIODevice::Text);
}

void ChartMenu::Save(const QByteArray& bytes, std::string_view filter,
                     std::string_view proposedName, QIODevice::OpenMode mode) {
    saver_.Save(parentWidget(), bytes, SaveDialogCaption, filter, proposedName, mode);
}

#if defined(Q_OS_WASM)

// The browser may refuse the page its clipboard; the user is then told.
void ChartMenu::CopyPicture() {
    CopyToClipboard({{"image/png", PngBytes(snapshot_.Picture)}},
                    [] { ReportError(ProgramError(std::string(ClipboardRefusedText))); });
}

#else

void ChartMenu::CopyPicture() {
    QGuiApplication::clipboard()->setPixmap(snapshot_.Picture);
}

#endif
