#include "status/widgets/FolderDesktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <utility>

namespace {

void askXdgForFileManager(QObject* context, std::function<void(bool)> answer) {
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
    QObject::connect(query, &QProcess::errorOccurred, query,
                     [reply](QProcess::ProcessError) { reply(true); });
    patience->setSingleShot(true);
    QObject::connect(patience, &QTimer::timeout, query, [query, reply] {
        query->kill();
        reply(true);
    });
    patience->start(10000);
    query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                           QStringLiteral("inode/directory")});
#else
    (void)context;
    answer(true);
#endif
}

} // namespace

FolderDesktop systemFolderDesktop() {
    return FolderDesktop{askXdgForFileManager,
                         [](const QUrl& folder) { return QDesktopServices::openUrl(folder); }};
}
