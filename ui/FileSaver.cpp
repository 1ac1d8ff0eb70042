#include "FileSaver.h"

#include "ProgramError.h"
#include "UserTexts.h"
#include "Utf8Text.h"
#include "WebPage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The longest name of a file or folder that the usual file systems take: 255 bytes on
// Linux, 255 characters on Windows.
constexpr qsizetype LongestNameLength = 255;

bool HasTooLongName(const QString& fileName) {
    const QStringList parts = QDir::fromNativeSeparators(fileName).split(u'/', Qt::SkipEmptyParts);
    return std::any_of(parts.cbegin(), parts.cend(), [](const QString& part) {
#if defined(Q_OS_WIN)
        return part.size() > LongestNameLength;
#else
        return QFile::encodeName(part).size() > LongestNameLength;
#endif
    });
}

#if !defined(Q_OS_WASM)
// The documents folder, or the home folder where an account has none.
QString StartFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
#endif

} // namespace

std::string SaveFailureReason(const QString& fileName, QFileDevice::FileError error,
                              const QString& systemReason) {
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (error == QFileDevice::ResourceError) {
        return std::string(NoSpaceReason);
    }
    if (HasTooLongName(file.absoluteFilePath())) {
        return std::string(NameTooLongReason);
    }
    if (!folder.isDir()) {
        return std::string(NoFolderReason);
    }
    if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
        return std::string(NoPermissionReason);
    }
    return systemReason.toStdString();
}

// QSaveFile::commit() closes the temporary file before it puts it in place of the file,
// and the close writes what the file still holds in its buffer: a failure there (a full
// disk) does not stop commit(), which would put the truncated file in place and report
// success. flush() writes it first, where a failure is seen.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes, QIODevice::OpenMode mode) {
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size() &&
        file.flush() && file.commit()) {
        return;
    }
    const std::string reason = SaveFailureReason(fileName, file.error(), file.errorString());
    file.cancelWriting();
    throw ProgramError(WithName(NotSavedFormat, QDir::toNativeSeparators(fileName).toStdString()) +
                       ": " + reason);
}

#if defined(Q_OS_WASM)

// The browser saves a download where its user wants it, under the name proposed; a page
// cannot write the user's files itself.
void FileSaver::Save(QWidget*, const QByteArray& bytes, std::string_view, std::string_view,
                     std::string_view proposedName, QIODevice::OpenMode) {
    DownloadFile(FromUtf8(proposedName), bytes);
}

#else

void FileSaver::Save(QWidget* parent, const QByteArray& bytes, std::string_view caption,
                     std::string_view filter, std::string_view proposedName,
                     QIODevice::OpenMode mode) {
    const QString fileName = ChooseFileName(parent, caption, filter, proposedName);
    if (!fileName.isEmpty()) {
        WriteWholeFile(fileName, bytes, mode);
    }
}

QString FileSaver::ChooseFileName(QWidget* parent, std::string_view caption,
                                  std::string_view filter, std::string_view proposedName) {
    if (folder_.isEmpty() || !QFileInfo(folder_).isDir()) {
        folder_ = StartFolder();
    }
    QFileDialog dialog(parent, FromUtf8(caption), folder_, FromUtf8(filter));
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

#endif
