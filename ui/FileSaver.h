#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>

// Saves the program's files where the user chooses: a file dialog in Serbian asks for
// each file's name, opening in the documents folder and then where the last file went.
// Nothing is written unless the user asks. In the browser each file is a download
// instead. A file that cannot be written raises ProgramError with the reason, and any
// file of that name stays as it was.
class FileSaver {
  public:
    // Saves the bytes as a file of the kind `filter` (e.g. "CSV tabela (*.csv)"), proposed
    // as `proposedName`, the dialog captioned `caption` over `parent`.
    void Save(QWidget* parent, const QByteArray& bytes, std::string_view caption,
              std::string_view filter, std::string_view proposedName,
              QIODevice::OpenMode mode = {});

  private:
#if !defined(Q_OS_WASM)
    // The name the user chose, empty if the user did not.
    QString ChooseFileName(QWidget* parent, std::string_view caption, std::string_view filter,
                           std::string_view proposedName);

    // Where the dialog opens: the folder of the file saved last, while it exists.
    QString folder_;
#endif
};

// Writes a file whole or not at all: the bytes go into a temporary file beside it, which
// replaces the file only when all of them were written. Raises ProgramError with the
// file's name and the reason where that fails; the file is then as it was, and no part
// of the new one is left.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes,
                    QIODevice::OpenMode mode = {});

// Why a file of that name could not be written, in the user's words, from the error the
// file reported and what stands on the disk: no room left, no such folder, a name too long
// or no permission; otherwise the system's own words, `systemReason`.
std::string SaveFailureReason(const QString& fileName, QFileDevice::FileError error,
                              const QString& systemReason);
