#include "status/widgets/FolderDesktop.h"

#include "ui/Help.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

namespace {

void askDesktopForFileManager(QObject* context, std::function<void(bool)> answer) {
    askDesktopForHandler(context, QStringLiteral("inode/directory"), std::move(answer));
}

} // namespace

FolderDesktop systemFolderDesktop() {
    return FolderDesktop{askDesktopForFileManager,
                         [](const QUrl& folder) { return QDesktopServices::openUrl(folder); }};
}
