#include "ChartMenu.h"
#include "ChartTexts.h"
#include "MainWindowFixture.h"
#include "RunTable.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

namespace {

// Answers the dialogs of a save as a user does: the file dialog with `fileName`, or with
// "Cancel" where that is empty, a question whether to replace the file with yes.
class DialogAnswers {
  public:
    explicit DialogAnswers(QString fileName) : fileName_(std::move(fileName)) {
        // The file dialog is accepted at once, in the same step as the name is put in, so
        // that none of the dialog's own work comes between.
        QObject::connect(&fileDialog_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            // Typed into the name field, as a user does: selectFile leaves a field that has
            // the focus alone.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) {
                return;
            }
            if (proposed.isEmpty()) {
                proposed = dialog->selectedFiles().value(0);
                for (QWidget* shown : dialog->findChildren<QWidget*>()) {
                    const auto* button = qobject_cast<QAbstractButton*>(shown);
                    const QString text = qobject_cast<QLabel*>(shown) != nullptr
                                             ? static_cast<QLabel*>(shown)->text()
                                             : (button != nullptr ? button->text() : QString());
                    dialogTexts << (text.isEmpty() ? shown->toolTip() : text);
                }
                dialogTexts.removeAll(QString());
            }
            if (fileName_.isEmpty()) {
                ++fileDialogs;
                dialog->reject();
                return;
            }
            name->setText(fileName_);
            if (dialog->selectedFiles() == QStringList{fileName_}) {
                ++fileDialogs;
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        // A question the accepting opens runs while the first timer's step has not
        // returned; a timer of its own answers it.
        QObject::connect(&question_, &QTimer::timeout, [this] {
            if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                questions << question->text();
                for (QAbstractButton* button : question->buttons()) {
                    questionButtons << button->text();
                }
                question->button(QMessageBox::Yes)->click();
            }
        });
        fileDialog_.start(10);
        question_.start(10);
    }
    int fileDialogs = 0;
    // The file the dialog proposed, and the texts and tips of its labels and buttons,
    // before the name was typed.
    QString proposed;
    QStringList dialogTexts;
    // The questions the dialog asked, and their buttons.
    QStringList questions;
    QStringList questionButtons;

  private:
    QString fileName_;
    QTimer fileDialog_;
    QTimer question_;
};

#if defined(Q_OS_LINUX)
// A folder in which no file can be made or replaced while the guard lives: made immutable
// for root, whom permissions do not stop, read-only for everyone else.
class ProtectedFolder {
  public:
    explicit ProtectedFolder(const QString& path) : path_(path) { Set(true); }
    ~ProtectedFolder() { Set(false); }

  private:
    void Set(bool on) {
        if (geteuid() != 0) {
            QFile::setPermissions(path_,
                                  on ? QFile::ReadOwner | QFile::ExeOwner
                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return;
        }
        const int folder = open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(folder, 0);
        int flags = 0;
        ASSERT_EQ(ioctl(folder, FS_IOC_GETFLAGS, &flags), 0);
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        EXPECT_EQ(ioctl(folder, FS_IOC_SETFLAGS, &flags), 0);
        close(folder);
    }
    QString path_;
};

// A file system of 64 KiB of its own at `path`, mounted while the guard lives, where the
// tests may mount (as root).
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const QString& path) : path_(QFile::encodeName(path)) {
        mounted_ = mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) {
            umount2(path_.constData(), MNT_DETACH);
        }
    }
    bool Mounted() const { return mounted_; }
    // Takes every free byte into a file of its own.
    void Fill() const {
        QFile filler(QFile::decodeName(path_) + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, '\0');
        while (filler.write(page) == page.size()) {
        }
    }

  private:
    QByteArray path_;
    bool mounted_ = false;
};
#endif

QByteArray ContentOf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keyboard opens the chart's menu over the chart from wherever the focus is, by the menu
// key or Shift+F10; F10 alone and other modifiers do not, and a control that takes the key
// for itself keeps it.
TEST_F(MainWindow, TheKeyboardOpensTheChartMenu) {
    auto* menu = window->findChild<QMenu*>(QStringLiteral("ChartMenu"));
    ASSERT_NE(menu, nullptr);
    const struct {
        QWidget* Focus;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Opens;
    } cases[] = {
        {form1->Button1, Qt::Key_Menu, Qt::NoModifier, true},
        {form1->Button3, Qt::Key_F10, Qt::ShiftModifier, true},
        {form1->SpinEdit6->lineEdit(), Qt::Key_Menu, Qt::NoModifier, true},
        {form1->RadioButton1, Qt::Key_F10, Qt::ShiftModifier, true},
        {form1->Button3, Qt::Key_F10, Qt::NoModifier, false},
        {form1->Button3, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier, false},
        {form1->Button3, Qt::Key_Space, Qt::ShiftModifier, false},
    };
    for (const auto& c : cases) {
        c.Focus->setFocus();
        QTest::keyClick(c.Focus, c.Key, c.Modifiers);
        EXPECT_EQ(menu->isVisible(), c.Opens) << c.Focus->objectName().toStdString() << c.Key;
        if (c.Opens) {
            EXPECT_TRUE(menu->geometry().contains(
                form1->Chart1->mapToGlobal(form1->Chart1->rect().center())));
        }
        menu->close();
    }
}

// A right click on the chart opens its menu; its table of samples, saved where the user
// chose, reads back to the plotted samples, its pictures have their sizes; and a folder
// that cannot be written keeps the file already there and reports why.
TEST_F(MainWindow, TheChartMenuSavesTheSamples) {
    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    Oscillograph* chart = form1->Chart1;
    QStringList items;
    for (QAction* action : menu->actions()) {
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(items, QStringList({QString::fromUtf8("Sačuvaj sliku oscilograma (PNG)…"),
                                  QString::fromUtf8("Sačuvaj sliku za štampu, dvostruke "
                                                    "veličine (PNG)…"),
                                  QString::fromUtf8("Sačuvaj oscilogram kao PDF…"),
                                  QString::fromUtf8("Sačuvaj uzorke kao tabelu (CSV)…"), "-",
                                  QString::fromUtf8("Kopiraj sliku oscilograma"), "-",
                                  QString::fromUtf8("Zadrži krive za poređenje"),
                                  QString::fromUtf8("Ukloni zadržane krive"), "-",
                                  QString::fromUtf8("Tabela procesa…")}));

    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("run.csv"));
    // Saved, then the dialog opened again in that folder and cancelled: nothing is written.
    for (const QString& answer : {fileName, QString()}) {
        DialogAnswers answers(answer);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.fileDialogs, 1);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"run.csv"});
    }
    QFile saved(fileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n', Qt::SkipEmptyParts);
    saved.close();
    ASSERT_EQ(lines.size(), 1 + SampleCount);
    EXPECT_EQ(lines.front(), "Vreme (s),Aksijalni otpor (N),Moment (Nm)");
    for (int k = 0; k < SampleCount; ++k) {
        const QStringList cells = lines[k + 1].split(u',');
        ASSERT_EQ(cells.size(), 3) << k;
        EXPECT_EQ(cells[0].toDouble(), form1->ChartProbe.Series1()->data()->at(k)->key) << k;
        EXPECT_EQ(cells[1].toDouble(), form1->ChartProbe.Series1()->data()->at(k)->value) << k;
        EXPECT_EQ(cells[2].toDouble(), form1->ChartProbe.Series2()->data()->at(k)->value) << k;
    }
    // The pictures: at the chart's size, twice it for printing, a PDF, and the clipboard's.
    const struct {
        int Item;
        const char* Name;
        QSize Size; // of the picture saved; empty for the PDF
    } pictures[] = {{0, "run.png", chart->size()},
                    {1, "run-print.png", chart->size() * 2},
                    {2, "run.pdf", QSize()}};
    for (const auto& picture : pictures) {
        const QString pictureName = QDir(folder.path()).filePath(QString::fromLatin1(picture.Name));
        DialogAnswers answers(pictureName);
        menu->actions().at(picture.Item)->trigger();
        QFile file(pictureName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << picture.Name;
        const QByteArray bytes = file.readAll();
        if (picture.Size.isEmpty()) {
            EXPECT_TRUE(bytes.startsWith("%PDF-")) << picture.Name;
        } else {
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), picture.Size) << picture.Name;
        }
    }
    QApplication::clipboard()->clear();
    menu->actions().at(5)->trigger();
    EXPECT_EQ(QApplication::clipboard()->pixmap().size(), chart->size());
    EXPECT_TRUE(recorder.events.empty());

#if defined(Q_OS_LINUX)
    // Ten ticks later the samples differ, but the folder takes no file now.
    form1->Tick(10);
    QApplication::processEvents();
    QFile before(fileName);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    {
        ProtectedFolder locked(folder.path());
        DialogAnswers answers(fileName);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.fileDialogs, 1);
        EXPECT_EQ(answers.questions.size(), 1) << "whether to replace run.csv";
    }
    QFile after(fileName);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files) << "no file left behind";
    ASSERT_EQ(recorder.reports, 1);
    const std::string report = recorder.events.back();
    const std::string start = "report Busenje: Datoteka " +
                              QDir::toNativeSeparators(fileName).toStdString() + " nije sačuvana: ";
    EXPECT_EQ(report.rfind(start, 0), 0u) << report;
    EXPECT_GT(report.size(), start.size() + 2) << "a reason follows: " << report;
#endif
}

// Each item saves the chart as it stood when the menu opened, however far the run has gone
// while the user chose the file's name.
TEST_F(MainWindow, TheMenuSavesTheChartAsItStoodWhenItOpened) {
    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    Oscillograph* chart = form1->Chart1;
    const ChartSnapshot then = chart->Snapshot();
    const QByteArray samplesThen = then.SamplesCsv;
    const QImage pictureThen = then.Picture.toImage();
    form1->Tick(20);
    QApplication::processEvents();
    ASSERT_NE(chart->Snapshot().SamplesCsv, samplesThen);

    QTemporaryDir folder;
    const struct {
        int Item;
        const char* Name; // empty: the clipboard
    } cases[] = {{3, "then.csv"}, {0, "then.png"}, {5, ""}};
    for (const auto& c : cases) {
        if (*c.Name == '\0') {
            menu->actions().at(c.Item)->trigger();
            EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(pictureThen.format()),
                      pictureThen);
            continue;
        }
        const QString fileName = QDir(folder.path()).filePath(QString::fromLatin1(c.Name));
        DialogAnswers answers(fileName);
        form1->Tick(5); // the run goes on while the menu is open
        menu->actions().at(c.Item)->trigger();
        QByteArray saved = ContentOf(fileName);
        if (fileName.endsWith(QStringLiteral(".csv"))) {
            EXPECT_EQ(saved.replace("\r\n", "\n"), samplesThen); // Windows ends lines so
        } else {
            EXPECT_EQ(QImage::fromData(saved, "PNG").convertToFormat(pictureThen.format()),
                      pictureThen);
        }
    }
    EXPECT_TRUE(recorder.events.empty());
}

// Three runs, ending at the depth, on a breakage and by "Polazno stanje", take their rows in
// the table of runs, which the chart's menu shows. Copied, the table is an HTML table with
// the same cells separated by tabs beside it; saved, a table in the samples' form.
TEST_F(MainWindow, EveryRunThatEndsTakesARowInTheTableOfRuns) {
    auto* view = window->findChild<QTableView*>(QStringLiteral("RunRows"));
    ASSERT_NE(view, nullptr);
    const QAbstractItemModel* rows = view->model();
    // The model tells the view of every row it takes, as views expect.
    const QAbstractItemModelTester modelCheck(
        view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto cell = [rows](int row, int column) {
        return rows->index(row, column).data().toString();
    };
    const auto runUntilRow = [&](int row) {
        QTest::mouseClick(form1->Button3, Qt::LeftButton);
        form1->Timer1->stop();
        for (int tick = 0; tick < 400 && rows->rowCount() < row; ++tick) {
            form1->Tick();
        }
        ASSERT_EQ(rows->rowCount(), row);
    };
    Pick(form1->ComboBox1, 0);
    Pick(form1->ComboBox2, 0);
    runUntilRow(1);
    double largestForce = 0;
    for (const QCPGraphData& point : *form1->ChartProbe.Series1()->data()) {
        largestForce = std::max(largestForce, point.value);
    }
    // 1 mm/rev breaks the 20 mm drill.
    form1->SpinEdit3->lineEdit()->setFocus();
    for (int step = 0; step < 16; ++step) {
        QTest::keyClick(form1->SpinEdit3->lineEdit(), Qt::Key_Up);
    }
    QTest::mouseClick(form1->Button5, Qt::LeftButton);
    runUntilRow(2);
    EXPECT_EQ(recorder.events.back().rfind("error: Nastaje lom burgije!", 0), 0U)
        << recorder.events.back();
    // At 0.5 mm/rev the drill is still short of the depth after 50 ticks.
    form1->SpinEdit3->lineEdit()->setFocus();
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(form1->SpinEdit3->lineEdit(), Qt::Key_Down);
    }
    QTest::mouseClick(form1->Button5, Qt::LeftButton);
    QTest::mouseClick(form1->Button3, Qt::LeftButton);
    form1->Timer1->stop();
    form1->Tick(50);
    EXPECT_EQ(rows->rowCount(), 2);
    QTest::mouseClick(form1->Button5, Qt::LeftButton);
    ASSERT_EQ(rows->rowCount(), 3);

    QMenu* menu = ChartMenu();
    ASSERT_NE(menu, nullptr);
    menu->actions().back()->trigger();
    QWidget* table = view->window();
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->windowTitle(), QStringLiteral("Tabela procesa"));
    // As wide as its columns: no row is cut at the right.
    EXPECT_GE(view->viewport()->width(), view->horizontalHeader()->length());
    // Tall enough for the three rows together, and above the main window with room for its
    // caption (31 px on Windows) and the table's lower edge.
    EXPECT_GE(view->viewport()->height(), view->verticalHeader()->length());
    EXPECT_LE(table->geometry().bottom() + 36, window->geometry().top());
    const QLocale locale;
    const QString point = locale.decimalPoint();
    const struct {
        const char* Number;
        const char* Feed;
        const char* End;
    } expected[] = {{"1", "0.2", "dostignuta dubina"},
                    {"2", "1", "lom burgije"},
                    {"3", "0.5", "prekinut (Polazno stanje)"}};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cell(row, 0), QString::fromLatin1(expected[row].Number));
        EXPECT_EQ(cell(row, 1), QString::fromUtf8("Bušenje"));
        EXPECT_EQ(cell(row, 5), QString::fromLatin1(expected[row].Feed).replace(u'.', point));
        EXPECT_EQ(cell(row, 7), QStringLiteral("C7680"));
        EXPECT_EQ(cell(row, 8), QStringLiteral("C1540"));
        EXPECT_EQ(cell(row, 13), QString::fromLatin1(expected[row].End));
    }
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    EXPECT_EQ(cell(0, 9), grouped.toString(largestForce, 'f', 0));
    // Names stand at the left of their cells, numbers at the right; the window breaks the
    // long column names onto two lines.
    for (int column = 0; column < rows->columnCount(); ++column) {
        SCOPED_TRACE(column);
        const bool name = column == 1 || column == 7 || column == 8 || column == 13;
        const auto alignment = rows->index(0, column).data(Qt::TextAlignmentRole).toInt();
        EXPECT_EQ(alignment & Qt::AlignHorizontal_Mask,
                  name ? int(Qt::AlignLeft) : int(Qt::AlignRight));
    }
    EXPECT_EQ(rows->headerData(2, Qt::Horizontal).toString(),
              QString::fromUtf8("Prečnik\nburgije, mm"));

    QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("CopyRunTable")),
                      Qt::LeftButton);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->html().count(QStringLiteral("<tr>")), 4);
    EXPECT_EQ(copied->html().count(QStringLiteral("<td>")), 3 * 14);
    const QStringList lines = copied->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8("Br.\tOperacija\tPrečnik burgije, mm\t")));
    for (int row = 0; row < 3; ++row) {
        QStringList shown;
        for (int column = 0; column < rows->columnCount(); ++column) {
            shown << cell(row, column);
        }
        EXPECT_EQ(lines[row + 1], shown.join(u'\t'));
    }

    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("runs.csv"));
    DialogAnswers answers(fileName);
    QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("SaveRunTable")),
                      Qt::LeftButton);
    EXPECT_EQ(answers.fileDialogs, 1);
    QByteArray saved = ContentOf(fileName).replace("\r\n", "\n"); // Windows ends lines so
    ASSERT_TRUE(saved.startsWith("\xEF\xBB\xBF"));
    const QChar separator = CsvSeparator(locale);
    const QStringList csv = QString::fromUtf8(saved.mid(3)).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 4);
    EXPECT_TRUE(csv[0].startsWith(QStringLiteral("Br.%1Operacija%1").arg(separator)));
    const QStringList broke = csv[2].split(separator);
    ASSERT_EQ(broke.size(), 14) << csv[2].toStdString();
    EXPECT_EQ(broke[13], QStringLiteral("lom burgije"));
    EXPECT_EQ(broke[12], CsvNumber(888.888889, locale));
    EXPECT_GT(QString(broke[11]).replace(u',', u'.').toDouble(), 888.888889);
}

#if defined(Q_OS_LINUX)
// The save dialog opens in the documents folder, or in the home folder where the account
// has none, and then where the last file went while that folder is there. (The test moves
// the home folder as Linux finds it, through HOME.)
TEST_F(MainWindow, TheSaveDialogOpensInAFolderThatIsThere) {
    QTemporaryDir home;
    // The account's home folder is `home` while the guard lives.
    struct MovedHome {
        explicit MovedHome(const QString& path) {
            qputenv("HOME", QFile::encodeName(path));
            qunsetenv("XDG_CONFIG_HOME");
        }
        ~MovedHome() {
            qputenv("HOME", home);
            if (!config.isNull()) {
                qputenv("XDG_CONFIG_HOME", config);
            }
        }
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    };
    const QDir at(home.path());
    const struct {
        const char* What;
        std::function<void()> Before;
        const char* Proposed; // in the home folder
        const char* SavedAs;
    } steps[] = {
        {"no documents folder", [] {}, "oscilogram.csv", "run.csv"},
        {"the folder of the last file", [&] { at.mkpath(QStringLiteral("Documents")); },
         "oscilogram.csv", "Documents/kept/run.csv"},
        {"the last file's folder is gone",
         [&] { QDir(at.filePath(QStringLiteral("Documents/kept"))).removeRecursively(); },
         "Documents/oscilogram.csv", "Documents/run.csv"},
    };
    const MovedHome moved(home.path());
    QMenu* menu = ChartMenu();
    ASSERT_NE(menu, nullptr);
    for (const auto& step : steps) {
        step.Before();
        const QString savedAs = at.filePath(QString::fromLatin1(step.SavedAs));
        at.mkpath(QFileInfo(savedAs).path());
        DialogAnswers answers(savedAs);
        menu->actions().at(3)->trigger();
        EXPECT_EQ(answers.proposed, at.filePath(QString::fromLatin1(step.Proposed))) << step.What;
        EXPECT_TRUE(QFile::exists(savedAs)) << step.What;
    }
    EXPECT_TRUE(recorder.events.empty());
}
#endif

// The save dialog and its question whether to replace a file speak Serbian, as the
// program does: Qt's own texts come translated with it.
TEST_F(MainWindow, TheSaveDialogSpeaksSerbian) {
    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("run.csv"));
    QFile(fileName).open(QIODevice::WriteOnly);
    DialogAnswers answers(fileName);
    ChartMenu()->actions().at(3)->trigger();
    QStringList shown = answers.dialogTexts + answers.questionButtons;
    shown.replaceInStrings(QStringLiteral("&"), QString());
    shown.sort();
    EXPECT_EQ(shown,
              QStringList({"Da", "Ime datoteke:", "Nadređena fascikla", "Napravi novu fasciklu",
                           "Napred", "Nazad", "Ne", "Otkaži", "Pojedinosti", "Sačuvaj", "Spisak",
                           "Traži u:", "Vrsta datoteka:"}));
    EXPECT_EQ(answers.questions,
              QStringList({"run.csv već postoji.\nDa li želite da je zamenite?"}));
    EXPECT_TRUE(recorder.events.empty());
}

#if defined(Q_OS_LINUX)
// On a full disk every item that writes a file keeps the file of that name as it was,
// leaves no part of a new one, and reports the file and the reason. The disk is a real
// file system the test mounts; without the rights to mount one it skips, unless told that
// it must run.
TEST_F(MainWindow, ASaveOntoAFullDiskKeepsEveryFile) {
    QTemporaryDir folder;
    const SmallFileSystem disk(folder.path());
    if (!disk.Mounted()) {
        if (qEnvironmentVariableIsSet("BUSENJE_REQUIRE_FULL_DISK_TEST")) {
            FAIL() << "cannot mount a small file system: " << std::strerror(errno);
        }
        GTEST_SKIP() << "cannot mount a small file system here (as root it can)";
    }
    const QDir at(folder.path());
    const QByteArray old = "the file saved before\n";
    for (const char* name : {"old.png", "old.pdf", "old.csv"}) {
        QFile file(at.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    disk.Fill();
    const QStringList files = at.entryList(QDir::Files);

    QMenu* menu = ChartMenu(150);
    ASSERT_NE(menu, nullptr);
    const struct {
        int Item;
        const char* Name;
    } cases[] = {{0, "old.png"}, {0, "new.png"}, {1, "old.png"}, {1, "new.png"},
                 {2, "old.pdf"}, {2, "new.pdf"}, {3, "old.csv"}, {3, "new.csv"}};
    for (const auto& c : cases) {
        const QString fileName = at.filePath(QString::fromLatin1(c.Name));
        const bool replacing = QFile::exists(fileName);
        const int reports = recorder.reports;
        {
            DialogAnswers answers(fileName);
            menu->actions().at(c.Item)->trigger();
            EXPECT_EQ(answers.questions.size(), replacing ? 1 : 0) << c.Name;
        }
        EXPECT_EQ(at.entryList(QDir::Files), files) << c.Item << " " << c.Name;
        if (replacing) {
            EXPECT_EQ(ContentOf(fileName), old) << c.Item << " " << c.Name;
        }
        ASSERT_EQ(recorder.reports, reports + 1) << c.Item << " " << c.Name;
        EXPECT_EQ(recorder.events.back(), "report Busenje: Datoteka " + fileName.toStdString() +
                                              " nije sačuvana: nema dovoljno mesta na disku.")
            << c.Item;
    }
}
#endif

// A program left running for days keeps its last runs: the oldest row leaves as a new one
// comes, and the view is told of both.
TEST(RunTableWindow, KeepsTheLastRunsOnly) {
    FileSaver saver;
    RunTable table(saver, nullptr);
    auto* view = table.findChild<QTableView*>(QStringLiteral("RunRows"));
    ASSERT_NE(view, nullptr);
    RunRecord row;
    const auto addRows = [&](int until) {
        while (row.Number < until) {
            ++row.Number;
            table.AddRow(row);
        }
    };
    addRows(RunTable::RowLimit - 1);
    const QAbstractItemModelTester modelCheck(
        view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    addRows(RunTable::RowLimit + 2);
    const QAbstractItemModel* rows = view->model();
    ASSERT_EQ(rows->rowCount(), RunTable::RowLimit);
    EXPECT_EQ(rows->index(0, 0).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(rows->index(RunTable::RowLimit - 1, 0).data().toString(),
              QString::number(RunTable::RowLimit + 2));
}

// Why a file could not be written, as the box gives it: the four reasons a student meets,
// in Serbian, and the system's own words for anything else.
TEST(SaveFailure, TheReasonInTheUsersWords) {
    QTemporaryDir folder;
    const QDir at(folder.path());
    at.mkpath(QStringLiteral("locked"));
    const QString longName = QString(256, u'a') + QStringLiteral(".csv");
    const struct {
        QString FileName;
        QFileDevice::FileError Error;
        std::string Reason;
    } cases[] = {
        {at.filePath("x.csv"), QFileDevice::ResourceError, "nema dovoljno mesta na disku"},
        {at.filePath("missing/x.csv"), QFileDevice::OpenError, "fascikla ne postoji"},
        {at.filePath(longName), QFileDevice::OpenError, "ime je predugačko"},
        {at.filePath(longName + "/x.csv"), QFileDevice::OpenError, "ime je predugačko"},
        {at.filePath("x.csv"), QFileDevice::RenameError, "system words"},
#if defined(Q_OS_LINUX)
        {at.filePath("locked/x.csv"), QFileDevice::OpenError, "nema dozvole za upis"},
#endif
    };
#if defined(Q_OS_LINUX)
    ProtectedFolder locked(at.filePath(QStringLiteral("locked")));
#endif
    for (const auto& c : cases) {
        EXPECT_EQ(SaveFailureReason(c.FileName, c.Error, QStringLiteral("system words")), c.Reason)
            << c.FileName.toStdString();
    }
}

} // namespace
