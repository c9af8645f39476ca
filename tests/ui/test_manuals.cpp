// The manuals rendered at build time: one PDF per language beside the
// program, each with real text in its own language.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

#ifndef ORVATIX_MANUAL_DIR
#error "ORVATIX_MANUAL_DIR names the folder the manuals are rendered into"
#endif

namespace {

struct Manual {
    const char* file;
    const char* title;  // the first heading
    const char* phrase; // a phrase of the language's own text tables
};

const Manual kManuals[] = {
    {"ManualEnglish.pdf", "ORVATIX user manual", "System diagnosis"},
    {"ManualGerman.pdf", "ORVATIX Bedienungsanleitung", "Diagnose-Assistent"},
    {"ManualFrench.pdf", "ORVATIX Manuel d'utilisation", "Diagnostic système"},
    {"ManualItalian.pdf", "ORVATIX Manuale d'uso", "Diagnostica del sistema"},
    {"ManualSpanish.pdf", "ORVATIX Manual de usuario", "Diagnòstico del sistema"},
};

QString manualPath(const Manual& manual) {
    return QStringLiteral(ORVATIX_MANUAL_DIR "/") + QString::fromLatin1(manual.file);
}

} // namespace

TEST(Manuals, EveryLanguageHasAPdf) {
    for (const Manual& manual : kManuals) {
        QFile pdf(manualPath(manual));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << manual.file;
        EXPECT_TRUE(pdf.read(5) == "%PDF-") << manual.file;
        EXPECT_GT(pdf.size(), 20000) << manual.file;
    }
}

TEST(Manuals, TextIsInTheLanguageOfTheFile) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    for (const Manual& manual : kManuals) {
        QProcess extract;
        extract.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                  manualPath(manual), QStringLiteral("-")});
        ASSERT_TRUE(extract.waitForFinished(60000)) << manual.file;
        const QString text = QString::fromUtf8(extract.readAllStandardOutput()).simplified();
        EXPECT_TRUE(text.contains(QString::fromUtf8(manual.title))) << manual.file;
        EXPECT_TRUE(text.contains(QString::fromUtf8(manual.phrase))) << manual.file;
        EXPECT_TRUE(text.contains(QStringLiteral("ORVAdata.cfg"))) << manual.file;
    }
}
