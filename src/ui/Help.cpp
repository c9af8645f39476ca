#include "ui/Help.h"

#include "config/ConfigData.h"
#include "config/ManualFileRows.h"
#include "config/StatusMessageRows.h"
#include "ui/Notice.h"
#include "ui/UiText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>

#ifndef ORVATIX_INSTALL_DATA_DIR
#define ORVATIX_INSTALL_DATA_DIR "share/orvatix"
#endif

void askDesktopForHandler(QObject* context, const QString& mimeType,
                          std::function<void(bool)> answer) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        answer(true);
        return;
    }
    // The process belongs to `context`: no answer reaches a window that is gone.
    auto* query = new QProcess(context);
    auto* patience = new QTimer(query);
    auto answered = std::make_shared<bool>(false);
    const auto reply = [query, answer = std::move(answer), answered](bool exists) {
        if (*answered)
            return;
        *answered = true;
        query->deleteLater();
        answer(exists);
    };
    QObject::connect(query, &QProcess::finished, query, [query, reply](int, QProcess::ExitStatus) {
        reply(!query->readAllStandardOutput().trimmed().isEmpty());
    });
    QObject::connect(query, &QProcess::errorOccurred, query, [reply](QProcess::ProcessError) {
        reply(true); // no answer: let the opening itself tell
    });
    patience->setSingleShot(true);
    QObject::connect(patience, &QTimer::timeout, query, [query, reply] {
        query->kill();
        reply(true);
    });
    patience->start(10000);
    query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
#else
    (void)context;
    (void)mimeType;
    answer(true);
#endif
}

void askDesktopForPdfViewer(QObject* context, PdfViewerAnswer answer) {
    askDesktopForHandler(context, QStringLiteral("application/pdf"), std::move(answer));
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
        askDesktopForPdfViewer,
        [](const QUrl& url) { return QDesktopServices::openUrl(url); },
        defaultManualFolders,
    };
}

HelpDesktop& helpDesktop() {
    static HelpDesktop desktop = systemHelpDesktop();
    return desktop;
}

QString manualFileName(int language) {
    return uiTextIn(TextTable::ManualFiles, manualfilerow::kManual, language);
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

namespace {

// The manual's place: its full path, or its name and the folders searched.
QString whereTheManualIs(const QString& fileName, const QString& path, const QStringList& folders) {
    if (!path.isEmpty())
        return QDir::toNativeSeparators(path);
    QString where = fileName + QStringLiteral("\n");
    for (const QString& folder : folders)
        where += QStringLiteral("\n") + QDir::toNativeSeparators(folder);
    return where;
}

void showNoViewer(QWidget* parent, const QString& where) {
    // The manual can still be opened by hand: say where it is. (Set before
    // the notice opens, so that it is laid out with it.)
    auto* notice = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("ERROR"),
                                   uiText(TextTable::ManualFiles, manualfilerow::kNoViewer),
                                   QMessageBox::Ok, parent);
    notice->setInformativeText(where);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->open();
}

HelpResult openFoundManual(QWidget* parent, bool viewerExists, const QString& fileName,
                           const QString& path, const QStringList& folders) {
    const QString where = whereTheManualIs(fileName, path, folders);
    if (!viewerExists) {
        showNoViewer(parent, where);
        return HelpResult::NoViewer;
    }
    if (path.isEmpty()) {
        // Pressing F1 and seeing nothing happen helps nobody: say which file
        // is missing and where it was looked for.
        showNotice(parent, QMessageBox::Warning, QStringLiteral("ERROR"),
                   uiText(TextTable::StatusMessages, statusrow::kCantOpenFile).trimmed() +
                       QStringLiteral("\n\n") + where);
        return HelpResult::ManualMissing;
    }
    if (!helpDesktop().openUrl(QUrl::fromLocalFile(path))) {
        showNoViewer(parent, where);
        return HelpResult::NoViewer;
    }
    return HelpResult::Opened;
}

} // namespace

HelpResult openManual(QWidget* parent) {
    const HelpDesktop& desktop = helpDesktop();
    const QString fileName = manualFileName(configData.language);
    const QStringList folders = desktop.manualFolders();
    const QString path = findManual(fileName, folders);
    // The desktop may answer at once (then the result is known here) or later.
    auto result = std::make_shared<HelpResult>(HelpResult::Asking);
    QPointer<QWidget> owner(parent);
    desktop.askPdfViewer(parent, [owner, result, fileName, path, folders](bool viewerExists) {
        *result = openFoundManual(owner, viewerExists, fileName, path, folders);
    });
    return *result;
}

void installHelpKey(QWidget* window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] { openManual(window); });
}
