#pragma once
// Help: F1 (and the main window's "Help" button) opens the PDF manual of the
// current language in the desktop's PDF viewer. No context help: every window
// opens the same manual.

#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class QUrl;
class QWidget;

// The answer to "is there a PDF viewer?"; it may come later.
using PdfViewerAnswer = std::function<void(bool viewerExists)>;

// What help needs of the desktop. The program uses the real desktop; tests put
// in their own to see what would be opened.
struct HelpDesktop {
    // Asks whether an application is registered for PDF files; `answer` is
    // called once, at once or later, never after `context` is gone.
    std::function<void(QObject* context, PdfViewerAnswer answer)> askPdfViewer;
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

// Whether "xdg-mime query default application/pdf" names an application,
// asked without waiting: the answer comes from the event loop, so the window
// stays responsive however slow the desktop is. Where xdg-mime does not exist
// (other platforms), or gives no answer within 10 s, the answer is yes (the
// opening itself then tells).
// Asks the desktop, without blocking, whether a program is set up for
// `mimeType`; no answer within 10 s or no way to ask counts as yes, so that
// the opening itself tells.
void askDesktopForHandler(QObject* context, const QString& mimeType,
                          std::function<void(bool)> answer);
void askDesktopForPdfViewer(QObject* context, PdfViewerAnswer answer);

// The working directory, the program's folder, and <prefix>/share/orvatix
// beside an installed program.
QStringList defaultManualFolders();

// The manual's file name in `language` ("ManualFrench.pdf").
QString manualFileName(int language);

// The first of `folders` that holds `fileName`, as a full path; empty if none.
QString findManual(const QString& fileName, const QStringList& folders);

enum class HelpResult {
    Opened,        // handed to the viewer
    NoViewer,      // "Please install a PDF viewer" was shown, with where the manual is
    ManualMissing, // the manual file was not found; a message says where it was looked for
    Asking,        // the desktop has not answered yet; the rest follows when it does
};

// Opens the manual of the current language. Messages are owned by `parent` and
// do not block: the caller's timers and the reader thread keep running.
HelpResult openManual(QWidget* parent);

// Makes F1 anywhere in `window` open the manual.
void installHelpKey(QWidget* window);
