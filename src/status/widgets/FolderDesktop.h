#pragma once
// How a folder is shown in the desktop's file manager, and whether there is
// one to show it: "Open log folder" must say so when nothing would appear.

#include <QString>

#include <functional>

class QObject;
class QUrl;

struct FolderDesktop {
    // Asks whether an application is set up to show folders; `answer` is
    // called once, at once or later, never after `context` is gone.
    std::function<void(QObject* context, std::function<void(bool fileManagerExists)> answer)>
        askFileManager;
    // Opens the folder with that application; false when that failed.
    std::function<bool(const QUrl& folder)> openUrl;
};

// The real desktop: on Linux "xdg-mime query default inode/directory" is
// asked without waiting (no answer within 10 s, or no xdg-mime: yes, and the
// opening itself then tells); folders open through QDesktopServices.
FolderDesktop systemFolderDesktop();
