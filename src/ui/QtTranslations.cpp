#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

QString qtLanguageCode(int language) {
    static const char* const kCodes[] = {"en", "de", "fr", "it", "es"};
    if (language < 0 || language > 4) {
        language = 0;
    }
    return QString::fromLatin1(kCodes[language]);
}

bool loadQtTranslations(int language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    // One translator for the run, owned by the application; reloaded on every
    // language change.
    static QPointer<QTranslator> translator;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
    } else {
        translator = new QTranslator(app);
    }
    const QString code = qtLanguageCode(language);
    if (code == QLatin1String("en")) {
        return true;
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
