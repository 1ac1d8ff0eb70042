#include "RunTable.h"

#include "ChartTexts.h"
#include "ErrorReport.h"
#include "Materials.h"
#include "NumberFormat.h"
#include "Program.h"
#include "ProgramAssets.h"
#include "ProgramError.h"
#include "UserTexts.h"
#include "Utf8Text.h"
#include "WebPage.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double PascalsPerMegapascal = 1e6;
// Above the main window, which opens with its client area at (194, 196): the buttons, the
// inputs and the chart stay in sight, and so does the main window's caption.
constexpr QPoint TablePlace(194, 23);
// Rows in sight when the window opens, one for each run the chart keeps; more scroll.
constexpr int VisibleRows = 3;
// Room beside a cell's text, as the table's own measure leaves it.
constexpr int CellMarginsPx = 12;

QString EndText(RunEnd end) {
    switch (end) {
    case RunEnd::AtDepth:
        return FromUtf8(RunAtDepthText);
    case RunEnd::DrillBroke:
        return FromUtf8(RunBrokeText);
    case RunEnd::Stopped:
        return FromUtf8(RunStoppedText);
    }
    return {};
}

// The cells of a row with its numbers written by `number` (value, decimals; -1 for the
// shortest form).
template <class Number> QStringList Cells(const RunRecord& row, Number number) {
    const RunInputs& in = row.Inputs;
    return {QString::number(row.Number),
            FromUtf8(OperationName(in.Operation)),
            number(in.DrillDiameter, -1),
            in.PilotHole ? number(*in.PilotHole, -1) : FromUtf8(NoValueText),
            number(in.CuttingSpeed, -1),
            number(in.Feed, -1),
            number(in.HoleDepth, -1),
            FromUtf8(MaterialName(ToolMaterialEntries, in.ToolMaterial)),
            FromUtf8(MaterialName(WorkMaterialEntries, in.WorkMaterial)),
            number(row.MaxForce, 0),
            number(row.MaxMoment, 2),
            number(row.MaxShearStress / PascalsPerMegapascal, 1),
            number(row.AllowedStress / PascalsPerMegapascal, 1),
            EndText(row.End)};
}

// The column names on one line each, or as the window shows them.
QStringList ColumnNames(bool shown = false) {
    QStringList names;
    for (std::string_view column : RunTableColumns) {
        names << FromUtf8(column).replace(u'\n', shown ? u'\n' : u' ');
    }
    return names;
}

} // namespace

// The rows as the table shows them: their cells written when the table asks for them, so
// that a row costs no more than its record.
class RunRowsModel : public QAbstractTableModel {
  public:
    RunRowsModel(const std::deque<RunRecord>& rows, QObject* parent)
        : QAbstractTableModel(parent), rows_(rows) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(RunTableColumns.size());
    }
    // Names at the left, numbers at the right, as a spreadsheet sets them.
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return RunTableCells(rows_[static_cast<std::size_t>(index.row())], QLocale())
                .value(index.column());
        }
        if (role == Qt::TextAlignmentRole) {
            const int column = index.column();
            const bool text = column == 1 || column == 7 || column == 8 || column == 13;
            return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return ColumnNames(true).value(section);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    // The table's rows change only at their ends; a view is told before and after.
    void AddingLast() {
        const int last = rowCount();
        beginInsertRows({}, last, last);
    }
    void AddedLast() { endInsertRows(); }
    void RemovingFirst() { beginRemoveRows({}, 0, 0); }
    void RemovedFirst() { endRemoveRows(); }

  private:
    const std::deque<RunRecord>& rows_;
};

QStringList RunTableCells(const RunRecord& row, const QLocale& locale) {
    const QLocale grouped = Grouped(locale);
    const std::string point = locale.decimalPoint().toStdString();
    return Cells(row, [&](double value, int decimals) {
        return decimals < 0 ? QString::fromStdString(FormatGeneral(value, point))
                            : grouped.toString(value, 'f', decimals);
    });
}

QByteArray RunTableCsv(const std::deque<RunRecord>& rows, const QLocale& locale) {
    const QChar separator = CsvSeparator(locale);
    const auto line = [separator](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells) {
            fields << CsvField(cell, separator);
        }
        return fields.join(separator) + u'\n';
    };
    QString table = QChar(0xFEFF) + line(ColumnNames());
    for (const RunRecord& row : rows) {
        table +=
            line(Cells(row, [&locale](double value, int) { return CsvNumber(value, locale); }));
    }
    return table.toUtf8();
}

QString RunTableHtml(const std::deque<RunRecord>& rows, const QLocale& locale) {
    const auto line = [](const QStringList& cells, const char* tag) {
        QString html = QStringLiteral("<tr>");
        for (const QString& cell : cells) {
            html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell.toHtmlEscaped());
        }
        return html + QStringLiteral("</tr>\n");
    };
    QString html =
        QStringLiteral("<meta charset=\"utf-8\">\n<table>\n") + line(ColumnNames(), "th");
    for (const RunRecord& row : rows) {
        html += line(RunTableCells(row, locale), "td");
    }
    return html + QStringLiteral("</table>\n");
}

QString RunTableTabs(const std::deque<RunRecord>& rows, const QLocale& locale) {
    QString text = ColumnNames().join(u'\t') + u'\n';
    for (const RunRecord& row : rows) {
        text += RunTableCells(row, locale).join(u'\t') + u'\n';
    }
    return text;
}

// The window opens above the main window, as wide as its columns, which are as wide as
// their names or, for how a run ended, its longest text; rows as tall as a line of text.
RunTable::RunTable(FileSaver& saver, QWidget* parent) : QWidget(parent, Qt::Window), saver_(saver) {
    model_ = new RunRowsModel(rows_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("RunRows"));
    table_->setModel(model_);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);

    copy_ = new QPushButton(FromUtf8(CopyRunTableText), this);
    copy_->setObjectName(QStringLiteral("CopyRunTable"));
    save_ = new QPushButton(FromUtf8(SaveRunTableText), this);
    save_->setObjectName(QStringLiteral("SaveRunTable"));
    connect(copy_, &QPushButton::clicked, this, Guarded([this] { CopyTable(); }));
    connect(save_, &QPushButton::clicked, this, Guarded([this] { SaveTable(); }));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    SetUpWindow(*this, QStringLiteral("RunTable"), FromUtf8(RunTableTitle), MainWindowIcon(),
                QRect(TablePlace, QSize(100, 100)));
    table_->resizeColumnsToContents();
    const QFontMetrics metrics = table_->fontMetrics();
    const int endColumn = model_->columnCount() - 1;
    for (std::string_view end : {RunAtDepthText, RunBrokeText, RunStoppedText}) {
        table_->setColumnWidth(endColumn,
                               std::max(table_->columnWidth(endColumn),
                                        metrics.horizontalAdvance(FromUtf8(end)) + CellMarginsPx));
    }
    // Room for the scroll bar that many rows bring.
    const QMargins margins = layout->contentsMargins();
    const int width = table_->horizontalHeader()->length() + 2 * table_->frameWidth() +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins.left() +
                      margins.right();
    const int height = margins.top() + 2 * table_->frameWidth() +
                       table_->horizontalHeader()->sizeHint().height() +
                       VisibleRows * table_->verticalHeader()->defaultSectionSize() +
                       layout->spacing() + buttons->sizeHint().height() + margins.bottom();
    resize(width, height);
}

// A column widens to a new cell that does not fit; measuring the cell alone keeps a row's
// cost the same however many rows stand above it.
void RunTable::AddRow(const RunRecord& row) {
    if (rows_.size() == static_cast<std::size_t>(RowLimit)) {
        model_->RemovingFirst();
        rows_.pop_front();
        model_->RemovedFirst();
    }
    model_->AddingLast();
    rows_.push_back(row);
    model_->AddedLast();
    const QStringList cells = RunTableCells(row, locale());
    const QFontMetrics metrics = table_->fontMetrics();
    for (int column = 0; column < cells.size(); ++column) {
        table_->setColumnWidth(column,
                               std::max(table_->columnWidth(column),
                                        metrics.horizontalAdvance(cells[column]) + CellMarginsPx));
    }
    table_->scrollToBottom();
}

// Made visible rather than shown: in the browser show() would make it fill the page.
void RunTable::ShowWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    setVisible(true);
    raise();
    activateWindow();
}

#if defined(Q_OS_WASM)

// The browser may refuse the page its clipboard; the user is then told.
void RunTable::CopyTable() {
    CopyToClipboard({{"text/html", RunTableHtml(rows_, locale()).toUtf8()},
                     {"text/plain", RunTableTabs(rows_, locale()).toUtf8()}},
                    [] { ReportError(ProgramError(std::string(TableClipboardRefusedText))); });
}

#else

void RunTable::CopyTable() {
    auto* table = new QMimeData;
    table->setHtml(RunTableHtml(rows_, locale()));
    table->setText(RunTableTabs(rows_, locale()));
    QGuiApplication::clipboard()->setMimeData(table);
}

#endif

// Text mode: the lines end as the system's spreadsheets expect.
void RunTable::SaveTable() {
    saver_.Save(this, RunTableCsv(rows_, locale()), SaveRunTableCaption, SamplesFilter,
                RunTableFileName, QIODevice::Text);
}
