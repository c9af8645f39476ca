#include "ui/Help.h"

#include "config/ConfigData.h"
#include "ui/Notice.h"
#include "ui/UiText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>

#ifndef ORVATIX_INSTALL_DATA_DIR
#define ORVATIX_INSTALL_DATA_DIR "share/orvatix"
#endif

bool desktopHasPdfViewer() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return true;
    }
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("application/pdf")});
    if (!query.waitForFinished(10000)) {
        query.kill();
        query.waitForFinished(1000);
        return true; // no answer: let the opening itself tell
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}

QStringList defaultManualFolders() {
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance() != nullptr) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        folders << programFolder
                << QDir::cleanPath(programFolder + QStringLiteral("/../") +
                                   QStringLiteral(ORVATIX_INSTALL_DATA_DIR));
    }
    folders.removeDuplicates();
    return folders;
}

HelpDesktop systemHelpDesktop() {
    return HelpDesktop{
        desktopHasPdfViewer,
        [](const QUrl& url) { return QDesktopServices::openUrl(url); },
        defaultManualFolders,
    };
}

HelpDesktop& helpDesktop() {
    static HelpDesktop desktop = systemHelpDesktop();
    return desktop;
}

QString manualFileName(int language) {
    return uiTextIn(TextTable::ManualFiles, 0, language);
}

QString findManual(const QString& fileName, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile()) {
            return candidate.absoluteFilePath();
        }
    }
    return QString();
}

HelpResult openManual(QWidget* parent) {
    const HelpDesktop& desktop = helpDesktop();
    const QString fileName = manualFileName(configData.language);
    if (!desktop.pdfViewerExists()) {
        showNotice(parent, QMessageBox::NoIcon, QStringLiteral("ERROR"),
                   QStringLiteral("Please install Acrobat Reader"));
        return HelpResult::NoViewer;
    }
    const QStringList folders = desktop.manualFolders();
    const QString path = findManual(fileName, folders);
    if (path.isEmpty()) {
        // Pressing F1 and seeing nothing happen helps nobody: say which file
        // is missing and where it was looked for.
        QString message = uiText(TextTable::StatusMessages, 40).trimmed() + QStringLiteral("\n\n") +
                          fileName + QStringLiteral("\n");
        for (const QString& folder : folders) {
            message += QStringLiteral("\n") + QDir::toNativeSeparators(folder);
        }
        showNotice(parent, QMessageBox::Warning, QStringLiteral("ERROR"), message);
        return HelpResult::ManualMissing;
    }
    if (!desktop.openUrl(QUrl::fromLocalFile(path))) {
        showNotice(parent, QMessageBox::NoIcon, QStringLiteral("ERROR"),
                   QStringLiteral("Please install Acrobat Reader"));
        return HelpResult::NoViewer;
    }
    return HelpResult::Opened;
}

void installHelpKey(QWidget* window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] { openManual(window); });
}
