#pragma once
// Help: F1 (and the main window's "Help" button) opens the PDF manual of the
// current language in the desktop's PDF viewer. No context help: every window
// opens the same manual.

#include <QString>
#include <QStringList>

#include <functional>

class QUrl;
class QWidget;

// What help needs of the desktop. The program uses the real desktop; tests put
// in their own to see what would be opened.
struct HelpDesktop {
    // Whether an application is registered for PDF files.
    std::function<bool()> pdfViewerExists;
    // Opens a file with its registered application; false when that failed.
    std::function<bool(const QUrl&)> openUrl;
    // Folders searched for the manual, in order.
    std::function<QStringList()> manualFolders;
};

// The real desktop: on Linux the viewer is asked of xdg-mime, files open through
// QDesktopServices, and the manual is looked for in the working directory, the
// program's folder and the installed data folder.
HelpDesktop systemHelpDesktop();

// The desktop that openManual uses; systemHelpDesktop() until replaced.
HelpDesktop& helpDesktop();

// "xdg-mime query default application/pdf" names an application. Where
// xdg-mime does not exist (other platforms) the answer is taken to be yes.
bool desktopHasPdfViewer();

// The working directory, the program's folder, and <prefix>/share/orvatix
// beside an installed program.
QStringList defaultManualFolders();

// The manual's file name in `language` ("ManualFrench.pdf").
QString manualFileName(int language);

// The first of `folders` that holds `fileName`, as a full path; empty if none.
QString findManual(const QString& fileName, const QStringList& folders);

enum class HelpResult {
    Opened,        // handed to the viewer
    NoViewer,      // "Please install Acrobat Reader" was shown
    ManualMissing, // the manual file was not found; a message says where it was looked for
};

// Opens the manual of the current language. Messages are owned by `parent` and
// do not block: the caller's timers and the reader thread keep running.
HelpResult openManual(QWidget* parent);

// Makes F1 anywhere in `window` open the manual.
void installHelpKey(QWidget* window);
