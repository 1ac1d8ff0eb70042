#pragma once

#include "FileSaver.h"
#include "Oscillograph.h"

#include <QAction>
#include <QByteArray>
#include <QIODevice>
#include <QMenu>
#include <QPoint>

#include <functional>
#include <string_view>

// What the menu's comparison items ask of the window.
struct RunComparison {
    std::function<bool()> RunShown; // whether the chart shows a run that can be kept
    std::function<void()> KeepTraces;
    std::function<void()> ShowRunTable;
};

// The chart's menu, opened by a right click on it: the oscillogram saved as a picture at
// the size of the screen or at twice that size for printing, as a PDF, or its samples as a
// table for spreadsheets; or its picture copied to the clipboard. Each item saves the chart
// as it stood when the menu opened, while the run goes on. Then the comparison of runs:
// the traces kept on the chart or the kept ones removed, and the table of runs.
class ChartMenu : public QMenu {
  public:
    ChartMenu(Oscillograph* chart, FileSaver& saver, RunComparison comparison, QWidget* parent);

    // Takes the chart as it stands and shows the menu at `where` on the screen.
    void Open(QPoint where);

  private:
    void SavePicture(const QPixmap& picture, std::string_view proposedName);
    void SavePdf();
    void SaveSamples();
    void CopyPicture();
    void Save(const QByteArray& bytes, std::string_view filter, std::string_view proposedName,
              QIODevice::OpenMode mode = {});

    Oscillograph* chart_;
    FileSaver& saver_;
    RunComparison comparison_;
    QAction* keep_ = nullptr;
    QAction* remove_ = nullptr;
    ChartSnapshot snapshot_;
};
