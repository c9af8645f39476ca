// Help: which manual opens, the missing viewer, the missing file, F1.

#include "config/Texts.h"
#include "support/ConfigSet.h"
#include "ui/CSetup.h"
#include "ui/Help.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// The desktop as help sees it, recording what would be opened.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(manuals.isValid());
        real = helpDesktop();
        helpDesktop() = HelpDesktop{[this](QObject*, const PdfViewerAnswer& answer) {
                                        if (answerLater)
                                            pendingAnswer = answer;
                                        else
                                            answer(viewer);
                                    },
                                    [this](const QUrl& url) {
                                        opened << url;
                                        return true;
                                    },
                                    [this] { return QStringList{manuals.path()}; }};
        parent = std::make_unique<QWidget>();
    }
    void TearDown() override {
        helpDesktop() = real;
        setLanguage(0);
    }

    void putManual(const char* name) {
        QFile file(manuals.path() + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    QList<QMessageBox*> notices() const { return parent->findChildren<QMessageBox*>(); }

    QTemporaryDir manuals;
    HelpDesktop real;
    bool viewer = true;
    bool answerLater = false; // a slow desktop
    PdfViewerAnswer pendingAnswer;
    QList<QUrl> opened;
    std::unique_ptr<QWidget> parent;
};

} // namespace

TEST_F(HelpTest, OpensTheManualOfTheCurrentLanguage) {
    const char* const files[] = {"ManualEnglish.pdf", "ManualGerman.pdf", "ManualFrench.pdf",
                                 "ManualItalian.pdf", "ManualSpanish.pdf"};
    for (const char* name : files) {
        putManual(name);
    }
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        opened.clear();
        EXPECT_EQ(openManual(parent.get()), HelpResult::Opened);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].toLocalFile(),
                  manuals.path() + QLatin1Char('/') + QLatin1String(files[language]));
    }
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(HelpTest, WithoutAViewerAsksForOne) {
    putManual("ManualEnglish.pdf");
    viewer = false;
    EXPECT_EQ(openManual(parent.get()), HelpResult::NoViewer);
    EXPECT_TRUE(opened.isEmpty());
    const QList<QMessageBox*> boxes = notices();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("Please install a PDF viewer"));
    EXPECT_EQ(boxes[0]->windowTitle(), QStringLiteral("ERROR"));
    EXPECT_EQ(boxes[0]->standardButtons(), QMessageBox::Ok);
    // Where the manual is, to open it by hand.
    EXPECT_EQ(boxes[0]->informativeText(),
              QDir::toNativeSeparators(manuals.path() + QStringLiteral("/ManualEnglish.pdf")));
}

TEST_F(HelpTest, WithoutAViewerOrManualSaysWhereTheManualWasLookedFor) {
    viewer = false;
    setLanguage(1);
    EXPECT_EQ(openManual(parent.get()), HelpResult::NoViewer);
    const QList<QMessageBox*> boxes = notices();
    ASSERT_EQ(boxes.size(), 1);
    // In the language of the program, naming no particular product.
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("Bitte installieren Sie ein PDF-Anzeigeprogramm"));
    EXPECT_TRUE(boxes[0]->informativeText().contains(QStringLiteral("ManualGerman.pdf")));
    EXPECT_TRUE(boxes[0]->informativeText().contains(QDir::toNativeSeparators(manuals.path())));
}

TEST_F(HelpTest, ASlowDesktopDoesNotHoldTheWindow) {
    putManual("ManualEnglish.pdf");
    answerLater = true;
    for (bool exists : {true, false}) {
        opened.clear();
        EXPECT_EQ(openManual(parent.get()), HelpResult::Asking);
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_TRUE(notices().isEmpty());
        ASSERT_TRUE(pendingAnswer);
        pendingAnswer(exists);
        EXPECT_EQ(opened.size(), exists ? 1 : 0);
        EXPECT_EQ(notices().size(), exists ? 0 : 1);
    }
}

TEST_F(HelpTest, AMissingManualIsNamedWithTheFoldersSearched) {
    setLanguage(2);
    EXPECT_EQ(openManual(parent.get()), HelpResult::ManualMissing);
    EXPECT_TRUE(opened.isEmpty());
    const QList<QMessageBox*> boxes = notices();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("ManualFrench.pdf")));
    EXPECT_TRUE(boxes[0]->text().contains(QDir::toNativeSeparators(manuals.path())));
}

TEST_F(HelpTest, F1InTheSetupDialogOpensTheManual) {
    putManual("ManualGerman.pdf");
    setLanguage(1);
    // Records of the test's own, so that the working directory's file stays untouched.
    ConfigSet config;
    config.data.language = 1;
    config.useBuiltInBearings();
    RelaxedAtomic<int32_t> minRate{2};
    RelaxedAtomic<int32_t> maxRate{20000};
    SetupState state;
    CSetup dialog(SetupRecords{config.records(), minRate, maxRate, state, [] {}});
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("ManualGerman.pdf")));
}

TEST(ManualFolders, FirstFolderHoldingTheFileWins) {
    QTemporaryDir a;
    QTemporaryDir b;
    QFile file(b.path() + QStringLiteral("/ManualEnglish.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(findManual(QStringLiteral("ManualEnglish.pdf"), {a.path(), b.path()}),
              file.fileName());
    EXPECT_TRUE(findManual(QStringLiteral("ManualGerman.pdf"), {a.path(), b.path()}).isEmpty());
    // A folder of the manual's name is not the manual.
    ASSERT_TRUE(QDir(a.path()).mkdir(QStringLiteral("ManualGerman.pdf")));
    EXPECT_TRUE(findManual(QStringLiteral("ManualGerman.pdf"), {a.path()}).isEmpty());
}

#if defined(Q_OS_LINUX)
// The real question to the desktop, in a desktop of the test's own.
TEST(PdfViewer, AskedOfTheDesktopsDefaultApplications) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) {
        GTEST_SKIP() << "xdg-mime is not installed";
    }
    QTemporaryDir home;
    const QByteArray config = (home.path() + QStringLiteral("/config")).toUtf8();
    const QByteArray data = (home.path() + QStringLiteral("/data")).toUtf8();
    QDir().mkpath(QString::fromUtf8(config));
    QDir().mkpath(QString::fromUtf8(data) + QStringLiteral("/applications"));
    const char* const variables[] = {
        "XDG_CONFIG_HOME",     "XDG_CONFIG_DIRS", "XDG_DATA_HOME",    "XDG_DATA_DIRS",
        "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"};
    QHash<QByteArray, QByteArray> saved;
    for (const char* name : variables) {
        if (qEnvironmentVariableIsSet(name)) {
            saved.insert(name, qgetenv(name));
        }
        qunsetenv(name);
    }
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("XDG_CONFIG_DIRS", config);
    qputenv("XDG_DATA_HOME", data);
    qputenv("XDG_DATA_DIRS", data);
    // The question goes out without waiting; the answer comes from the event loop.
    const auto askAndWait = [] {
        QObject context;
        std::optional<bool> answer;
        askDesktopForPdfViewer(&context, [&answer](bool exists) { answer = exists; });
        QEventLoop loop;
        while (!answer)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        return *answer;
    };

    const bool before = askAndWait();

    QFile desktopFile(QString::fromUtf8(data) + QStringLiteral("/applications/viewer.desktop"));
    ASSERT_TRUE(desktopFile.open(QIODevice::WriteOnly));
    desktopFile.write("[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n"
                      "MimeType=application/pdf;\n");
    desktopFile.close();
    QFile mimeApps(QString::fromUtf8(config) + QStringLiteral("/mimeapps.list"));
    ASSERT_TRUE(mimeApps.open(QIODevice::WriteOnly));
    mimeApps.write("[Default Applications]\napplication/pdf=viewer.desktop\n");
    mimeApps.close();
    const bool after = askAndWait();

    for (const char* name : variables) {
        qunsetenv(name);
        if (saved.contains(name)) {
            qputenv(name, saved.value(name));
        }
    }
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}
#endif

TEST(QtTranslations, StandardButtonsSpeakTheChosenLanguage) {
    struct Case {
        int language;
        const char* cancel;
    };
    for (const Case& c : {Case{1, "Abbrechen"}, Case{2, "Annuler"}, Case{3, "Annulla"},
                          Case{4, "Cancelar"}, Case{0, "Cancel"}}) {
        EXPECT_TRUE(loadQtTranslations(c.language)) << c.language;
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                  QString::fromUtf8(c.cancel))
            << c.language;
    }
}
