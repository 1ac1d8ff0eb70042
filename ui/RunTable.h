#pragma once

#include "FileSaver.h"
#include "RunLog.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>

class QPushButton;
class QTableView;
class RunRowsModel;

// The table of runs: a row for every run that has ended since the program started, in a
// small window of its own. "Kopiraj tabelu" puts it on the clipboard as a table that
// spreadsheets and word processors paste as rows and columns; "Sačuvaj tabelu (CSV)…"
// saves it as the samples are saved.
class RunTable : public QWidget {
  public:
    // The rows kept: the last runs of a program left running for days.
    static constexpr int RowLimit = 500;

    RunTable(FileSaver& saver, QWidget* parent);

    void AddRow(const RunRecord& row);
    // Shows the window, or brings it back and to the front.
    void ShowWindow();

  private:
    void CopyTable();
    void SaveTable();

    FileSaver& saver_;
    // The rows, which the table shows through its model, as they are copied and saved.
    std::deque<RunRecord> rows_;
    RunRowsModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
};

// A row as the window shows it: the inputs as the main window shows them, the force whole
// and the moment to two decimals as the read-out gives them, the stresses in MPa to one
// decimal, in the locale's separators.
QStringList RunTableCells(const RunRecord& row, const QLocale& locale);

// The table as a spreadsheet reads it, a line of column names first: separator, decimal
// mark and numbers as in the saved samples, the stresses in MPa; UTF-8 with its byte order
// mark, by which spreadsheets know the letters č, ć, š, ž.
QByteArray RunTableCsv(const std::deque<RunRecord>& rows, const QLocale& locale);

// The table as the window shows it, for the clipboard: an HTML table and the same cells
// separated by tabs.
QString RunTableHtml(const std::deque<RunRecord>& rows, const QLocale& locale);
QString RunTableTabs(const std::deque<RunRecord>& rows, const QLocale& locale);
