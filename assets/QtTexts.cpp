#include "QtTexts.h"

#include <QCoreApplication>
#include <QTranslator>

bool InstallSerbianQtTexts() {
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QStringLiteral(":/translations/qtbase_sr_Latn.qm"))) {
        delete texts;
        return false;
    }
    return QCoreApplication::installTranslator(texts);
}
