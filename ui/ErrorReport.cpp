#include "ErrorReport.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

namespace {

constexpr char16_t FullStop = u'.';

QString& StoredTitle() {
    static QString title;
    return title;
}

} // namespace

// Both separators are accepted, so that a path written for either platform
// gives the same title.
QString ProgramTitleFromPath(const QString& programPath) {
    const qsizetype slash = std::max(programPath.lastIndexOf(u'/'), programPath.lastIndexOf(u'\\'));
    QString name = programPath.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (name.isEmpty()) {
        return name;
    }
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString ProgramTitle() {
    if (!StoredTitle().isEmpty()) {
        return StoredTitle();
    }
    return ProgramTitleFromPath(QCoreApplication::applicationFilePath());
}

void SetProgramTitle(const QString& title) {
    StoredTitle() = title;
}

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > FullStop) {
        return message + QChar(FullStop);
    }
    return message;
}

void ReportError(const ProgramError& error) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    const QString text = ErrorReportText(QString::fromUtf8(error.what()));
    if (MessageSink* sink = CurrentMessageSink()) {
        sink->ErrorReport(ProgramTitle(), text);
        return;
    }
    ShowModalBox(BoxIcon::Stop, ProgramTitle(), text);
}
