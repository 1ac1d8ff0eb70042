#pragma once

#include "Oscillograph.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QMenu>
#include <QPoint>
#include <QString>

#include <string>
#include <string_view>

// The chart's menu, opened by a right click on it: the oscillogram saved as a picture at
// the size of the screen or at twice that size for printing, as a PDF, or its samples as a
// table for spreadsheets; or its picture copied to the clipboard. Each item saves the chart
// as it stood when the menu opened, while the run goes on. A file dialog asks for each
// file's name; nothing is written unless the user asks. In the browser each file is a
// download instead. A file that cannot be written
// raises ProgramError with the reason, and any file of that name stays as it was.
class ChartMenu : public QMenu {
  public:
    ChartMenu(Oscillograph* chart, QWidget* parent);

    // Takes the chart as it stands and shows the menu at `where` on the screen.
    void Open(QPoint where);

  private:
    void SavePicture(const QPixmap& picture, std::string_view proposedName);
    void SavePdf();
    void SaveSamples();
    void CopyPicture();
    // Saves the bytes as a file of the kind `filter`, under a name the user chooses.
    void Save(const QByteArray& bytes, std::string_view filter, std::string_view proposedName,
              QIODevice::OpenMode mode = {});
#if !defined(Q_OS_WASM)
    // The name the user chose for a file of the kind `filter`, empty if the user did not.
    QString ChooseFileName(std::string_view filter, std::string_view proposedName);
#endif

    Oscillograph* chart_;
    ChartSnapshot snapshot_;
#if !defined(Q_OS_WASM)
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
