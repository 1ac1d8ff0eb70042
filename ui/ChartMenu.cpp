#include "ChartMenu.h"

#include "ErrorReport.h"
#include "Oscillograph.h"
#include "ProgramError.h"
#include "UserTexts.h"
#include "Utf8Text.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr double PrintScale = 2.0;

} // namespace

void WriteWholeFile(const QString& fileName, QIODevice::OpenMode mode,
                    const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | mode) && write(file) && file.commit()) {
        return;
    }
    const QString reason = file.errorString();
    file.cancelWriting();
    throw ProgramError(WithName(NotSavedFormat, QDir::toNativeSeparators(fileName).toStdString()) +
                       ": " + reason.toStdString());
}

ChartMenu::ChartMenu(Oscillograph* chart, QWidget* parent)
    : QMenu(parent), chart_(chart),
      folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {
    setObjectName(QStringLiteral("ChartMenu"));
    if (folder_.isEmpty()) {
        folder_ = QDir::homePath();
    }
    const auto item = [this](std::string_view text, auto handler) {
        connect(addAction(FromUtf8(text)), &QAction::triggered, this, Guarded(handler));
    };
    item(SavePictureText, [this] { SavePicture(1.0, PictureFileName); });
    item(SavePrintPictureText, [this] { SavePicture(PrintScale, PrintPictureFileName); });
    item(SavePdfText, [this] { SavePdf(); });
    item(SaveSamplesText, [this] { SaveSamples(); });
    addSeparator();
    item(CopyPictureText, [this] { CopyPicture(); });
}

void ChartMenu::SavePicture(double scale, std::string_view proposedName) {
    const QString fileName = ChooseFileName(PictureFilter, proposedName);
    if (fileName.isEmpty()) {
        return;
    }
    const QImage picture = chart_->Picture(scale).toImage();
    WriteWholeFile(fileName, {}, [&picture](QIODevice& file) {
        return QImageWriter(&file, "png").write(picture);
    });
}

void ChartMenu::SavePdf() {
    const QString fileName = ChooseFileName(PdfFilter, PdfFileName);
    if (fileName.isEmpty()) {
        return;
    }
    WriteWholeFile(fileName, {}, [this](QIODevice& file) {
        chart_->WritePdf(file);
        return true;
    });
}

// Text mode: the lines end as the system's spreadsheets expect.
void ChartMenu::SaveSamples() {
    const QString fileName = ChooseFileName(SamplesFilter, SamplesFileName);
    if (fileName.isEmpty()) {
        return;
    }
    const QByteArray table = chart_->PlottedSamplesCsv();
    WriteWholeFile(fileName, QIODevice::Text,
                   [&table](QIODevice& file) { return file.write(table) == table.size(); });
}

void ChartMenu::CopyPicture() {
    QGuiApplication::clipboard()->setPixmap(chart_->Picture(1.0));
}

QString ChartMenu::ChooseFileName(std::string_view filter, std::string_view proposedName) {
    QFileDialog dialog(parentWidget(), FromUtf8(SaveDialogCaption), folder_, FromUtf8(filter));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString proposed = FromUtf8(proposedName);
    dialog.setDefaultSuffix(QFileInfo(proposed).suffix());
    dialog.selectFile(QDir(folder_).filePath(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString fileName = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(fileName).absolutePath();
    return fileName;
}
