// The status list window and the extended display as the user works them:
// Fix Display, details, Save and Delete; New Sensor, clear, modes, docking.

#include "support/Controls.h"
#include "support/Waiting.h"

#include "acquisition/BoxRequests.h"
#include "config/ConfigData.h"
#include "config/Texts.h"
#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "status/StatusList.h"
#include "status/StatusListFile.h"
#include "status/widgets/CAdditionalMonitor.h"
#include "status/widgets/CErrorDialog.h"
#include "status/widgets/CMessagebox.h"
#include "ui/GroupCaptionChecks.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <mutex>

namespace {

class StatusWindow : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        readings.firmwareVersion = 1.6;
        add(0x1000);
        add(0x0000);
        add(0x0005);
        dialog = new CErrorDialog(&owner, list, readings, mutex, logDir.filePath("log"));
        dialog->present();
        lines = control<QListWidget>(dialog, CErrorDialog::kList);
        ASSERT_NE(lines, nullptr);
    }
    void TearDown() override { delete dialog.data(); }

    void add(int32_t flags) {
        list.append(
            {QDateTime(QDate(2024, 5, 14), QTime(9, 0, 0)).addSecs(seconds), seconds * 1.5, flags});
        ++seconds;
    }
    QString label(int id) { return control<QLabel>(dialog, id)->text(); }

    int seconds = 0;
    QTemporaryDir logDir;
    DeviceReadings readings;
    std::mutex mutex;
    StatusList list;
    QWidget owner;
    QPointer<CErrorDialog> dialog;
    QListWidget* lines = nullptr;
};

TEST_F(StatusWindow, ShowsEveryEntryAndTheNewestDetails) {
    ASSERT_EQ(lines->count(), 3);
    EXPECT_EQ(lines->item(2)->text(), QStringLiteral("   3.\t  W-Sig ,W-Hi "));
    EXPECT_EQ(lines->currentRow(), 2);
    EXPECT_EQ(label(CErrorDialog::kDescription), QStringLiteral(" CH-W: High amplitude.  \n  "));
    EXPECT_EQ(label(CErrorDialog::kTime), QStringLiteral("09:00:02"));
    EXPECT_EQ(label(CErrorDialog::kPosition), QStringLiteral("3.0000"));
    lines->setCurrentRow(0);
    EXPECT_EQ(label(CErrorDialog::kTime), QStringLiteral("09:00:00"));

    add(0x0001); // a new entry refills and selects it
    EXPECT_EQ(lines->count(), 4);
    EXPECT_EQ(lines->currentRow(), 3);
}

TEST_F(StatusWindow, ScrollsSidewaysToTheEndOfTheLongestFlagList) {
    const auto reach = [this] {
        QCoreApplication::processEvents();
        return lines->horizontalScrollBar()->maximum() + lines->viewport()->width();
    };
    // Short lines fit: nothing to scroll.
    QCoreApplication::processEvents();
    EXPECT_EQ(lines->horizontalScrollBar()->maximum(), 0);
    // An entry with every flag, in the middle of short ones.
    add(0x7fffffff);
    add(0x0001);
    const QString longest = lines->item(3)->text();
    ASSERT_GT(longest.size(), lines->item(4)->text().size());
    const QFontMetrics metrics(lines->font());
    QString untabbed = longest;
    untabbed.remove(QLatin1Char('\t'));
    EXPECT_GE(reach(), metrics.horizontalAdvance(untabbed)) << longest.toStdString();
}

TEST_F(StatusWindow, FixDisplayKeepsTheLinesUntilSwitchedOff) {
    control<QPushButton>(dialog, CErrorDialog::kFixDisplay)->click();
    EXPECT_TRUE(list.frozen());
    for (int i = 0; i < 300; ++i)
        add(0x0100 + (i % 2));
    EXPECT_EQ(list.count(), 256);
    ASSERT_EQ(lines->count(), 3);
    // The details still belong to the line shown, not to the entry that now
    // has its place in the list.
    lines->setCurrentRow(0);
    EXPECT_EQ(label(CErrorDialog::kDescription), QStringLiteral(" No Offset found.   "));

    control<QPushButton>(dialog, CErrorDialog::kFixDisplay)->click();
    EXPECT_FALSE(list.frozen());
    EXPECT_EQ(lines->count(), 256);
    EXPECT_EQ(lines->item(255)->text().left(5), QStringLiteral(" 256."));
}

TEST_F(StatusWindow, SaveWritesTheFileAndAFailureKeepsTheList) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(dialog->saveTo(dir.filePath(QStringLiteral("status"))));
    QFile file(dir.filePath(QStringLiteral("status.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), statusFileContents(list.entries()));

    EXPECT_FALSE(dialog->saveTo(dir.filePath(QStringLiteral("no/such/folder/status"))));
    QMessageBox* box = dialog->findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    // The message names what the system said.
    EXPECT_EQ(box->text(), QStringLiteral("Can't open file !\n\n") +
                               QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("ERROR"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(list.count(), 3);
    EXPECT_FALSE(list.busy());
}

TEST_F(StatusWindow, OkClosesTheWindowAndTheListStays) {
    control<QPushButton>(dialog, CErrorDialog::kOk)->click();
    EXPECT_TRUE(waitWithEvents([&] { return dialog.isNull(); }));
    EXPECT_EQ(list.count(), 3);
    add(0x0001); // no window listens any more
    EXPECT_EQ(list.count(), 4);
}

TEST_F(StatusWindow, OpenLogFolderOpensTheEventLogsFolderInEveryLanguage) {
    QPushButton* button = control<QPushButton>(dialog, CErrorDialog::kOpenLogFolder);
    std::vector<QString> captions;
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        dialog->refreshCaptions();
        EXPECT_FALSE(button->text().isEmpty()) << language;
        // The caption fits its button.
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width())
            << language;
        captions.push_back(button->text());
    }
    setLanguage(0);
    EXPECT_EQ(captions.front(), QStringLiteral("Open log folder"));
    EXPECT_NE(captions[1], captions[0]);

    // The folder it was handed, made if the log has not written yet; a file
    // manager that only notes what it was asked to show.
    QString opened;
    dialog->folderDesktop.askFileManager = [](QObject*, std::function<void(bool)> answer) {
        answer(true);
    };
    dialog->folderDesktop.openUrl = [&opened](const QUrl& folder) {
        opened = folder.toLocalFile();
        return true;
    };
    button->click();
    EXPECT_EQ(opened, logDir.filePath("log"));
    EXPECT_TRUE(QDir(opened).exists());
    EXPECT_EQ(dialog->logFolderNotice(), nullptr);
}

// The desktop's settings in a folder of the test's own, so that xdg-mime
// answers from them whatever the machine has set up.
class OwnDesktop {
public:
    OwnDesktop() {
        for (const char* name : kVariables) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        }
        qputenv("XDG_CONFIG_HOME", folder_.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", folder_.filePath(QStringLiteral("config-dirs")).toUtf8());
        qputenv("XDG_DATA_HOME", folder_.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_DATA_DIRS", folder_.filePath(QStringLiteral("data-dirs")).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("DESKTOP_SESSION");
        QDir().mkpath(folder_.filePath(QStringLiteral("config")));
        QDir().mkpath(folder_.filePath(QStringLiteral("data/applications")));
    }
    ~OwnDesktop() {
        for (const Saved& v : saved_) {
            if (v.set)
                qputenv(v.name, v.value);
            else
                qunsetenv(v.name);
        }
    }
    // A file manager registered for folders (never started by the tests).
    void registerFileManager() {
        writeFile(QStringLiteral("data/applications/orvatix-test-files.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Files\nExec=true %U\n"
                  "MimeType=inode/directory;\n");
        writeFile(QStringLiteral("config/mimeapps.list"),
                  "[Default Applications]\ninode/directory=orvatix-test-files.desktop\n");
    }

private:
    static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME",     "XDG_CONFIG_DIRS",
                                                 "XDG_DATA_HOME",       "XDG_DATA_DIRS",
                                                 "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"};
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    void writeFile(const QString& name, const QByteArray& text) {
        QFile file(folder_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QTemporaryDir folder_;
    std::vector<Saved> saved_;
};

TEST_F(StatusWindow, OpenLogFolderWithoutAFileManagerSaysSoAndGivesThePath) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) {
        GTEST_SKIP() << "xdg-mime is not installed";
    }
    const QString folder = logDir.filePath("log");
    int openings = 0;
    // The desktop is asked for real; only the opening itself is noted.
    dialog->folderDesktop.openUrl = [&openings](const QUrl&) {
        ++openings;
        return true;
    };
    QPushButton* button = control<QPushButton>(dialog, CErrorDialog::kOpenLogFolder);
    {
        OwnDesktop desktop; // nothing set up for folders
        button->click();
        ASSERT_TRUE(waitWithEvents([&] { return dialog->logFolderNotice() != nullptr; }));
    }
    QMessageBox* notice = dialog->logFolderNotice();
    EXPECT_EQ(openings, 0);
    EXPECT_TRUE(notice->isVisible()) << "the notice does not wait for an answer: it shows";
    EXPECT_TRUE(notice->text().startsWith(
        QStringLiteral("No file manager is set up to show the log folder.")))
        << notice->text().toStdString();
    EXPECT_TRUE(notice->text().endsWith(QDir::toNativeSeparators(folder)))
        << notice->text().toStdString();
    EXPECT_TRUE(notice->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(notice->windowTitle(), QStringLiteral("Open log folder"));

    // With one registered, the folder is handed to it and nothing is said;
    // an opening that fails is told too.
    notice->close();
    ASSERT_TRUE(waitWithEvents([&] { return dialog->logFolderNotice() == nullptr; }));
    {
        OwnDesktop desktop;
        desktop.registerFileManager();
        button->click();
        ASSERT_TRUE(waitWithEvents([&] { return openings == 1; }));
        EXPECT_EQ(dialog->logFolderNotice(), nullptr);
        dialog->folderDesktop.openUrl = [](const QUrl&) { return false; };
        button->click();
        ASSERT_TRUE(waitWithEvents([&] { return dialog->logFolderNotice() != nullptr; }));
    }
    EXPECT_TRUE(dialog->logFolderNotice()->text().startsWith(
        QStringLiteral("The log folder could not be opened.")));
}

// Answers the next modal question with `key` once it is shown, and keeps its
// text; the caller then acts (the question is asked inside the action).
class ModalAnswer {
public:
    explicit ModalAnswer(Qt::Key key)
        : ModalAnswer([key](QMessageBox* box) {
              // Where the keyboard's focus is, as the user's key would go.
              QWidget* focused = box->focusWidget();
              QTest::keyClick(focused != nullptr ? focused : box, key);
              if (box->isVisible())
                  box->reject(); // not answered by the key: the test fails, but ends
          }) {}
    explicit ModalAnswer(std::function<void(QMessageBox*)> act) : act_(std::move(act)) {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            poll_.stop();
            text = box->text();
            defaultCaption = box->defaultButton() ? box->defaultButton()->text() : QString();
            act_(box);
        });
        poll_.start();
    }
    bool asked() const { return !text.isEmpty(); }

    QString text;
    QString defaultCaption;

private:
    std::function<void(QMessageBox*)> act_;
    QTimer poll_;
};

TEST_F(StatusWindow, DeleteAsksFirstAndReturnKeepsTheList) {
    QPushButton* del = control<QPushButton>(dialog, CErrorDialog::kDelete);
    {
        ModalAnswer answer(Qt::Key_Return);
        del->click();
        EXPECT_EQ(answer.text, QStringLiteral("Delete all 3 entries of the status list?"));
        EXPECT_EQ(answer.defaultCaption, QStringLiteral("No"));
    }
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(lines->count(), 3);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Space}) { // Space: the focus is on No
        ModalAnswer answer(key);
        del->click();
        EXPECT_TRUE(answer.asked());
        EXPECT_EQ(list.count(), 3);
    }
    {
        ModalAnswer answer([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        configData.language = 1;
        del->click();
        configData.language = 0;
        EXPECT_EQ(answer.text, QStringLiteral("Alle 3 Einträge der Statusliste löschen?"));
        EXPECT_EQ(answer.defaultCaption, QStringLiteral("Nein"));
    }
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(lines->count(), 0);
    {
        // Nothing left to lose: no question.
        ModalAnswer answer(Qt::Key_Escape);
        del->click();
        EXPECT_FALSE(answer.asked());
    }
}

// The program's part, recording what the extended display asks of it.
class RecordingHost : public ProgramServices {
public:
    QWidget* mainWindow() override { return nullptr; }
    void openContextMenu(const QPoint& at) override { menuAt = at; }
    void resetReadings() override { ++resets; }
    void setStatusRestart() override {}
    StatusDecoding statusDecoding() const override {
        StatusDecoding decoding;
        decoding.offsetSeenWH = whSeen;
        return decoding;
    }
    void stopNoiseMeasurement() override {}
    void showRecordButton(bool) override {}
    void teachInEnded() override {}
    bool whSeen = false;
    int resets = 0;
    QPoint menuAt;
};

class ExtendedDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        link.noData = false;
        link.statusRestart = false;
        std::snprintf(readings.boxInfoText, sizeof readings.boxInfoText, "0*");
        mainWindow.setGeometry(100, 100, 600, 400);
        mainWindow.show();
        monitor = new CAdditionalMonitor(&mainWindow, host, requests, readings, mutex, link, config,
                                         shown);
        monitor->present();
    }
    void TearDown() override { delete monitor.data(); }

    template <typename T> T* find() { return mainWindow.findChild<T*>(); }

    DeviceReadings readings;
    std::mutex mutex;
    LinkControl link;
    BoxRequests requests{link, [] { return int64_t(0); }};
    ConfigData config;
    bool shown = false;
    RecordingHost host;
    QWidget mainWindow;
    QPointer<CAdditionalMonitor> monitor;
};

TEST_F(ExtendedDisplay, OpensDockedAndClosingClearsTheFlag) {
    EXPECT_TRUE(shown);
    EXPECT_EQ(monitor->pos().x(), mainWindow.frameGeometry().left());
    EXPECT_EQ(monitor->pos().y(), mainWindow.frameGeometry().bottom() + 1);
    mainWindow.move(150, 120);
    monitor->followMainWindow();
    EXPECT_EQ(monitor->pos().y(), mainWindow.frameGeometry().bottom() + 1);

    control<QPushButton>(monitor, CAdditionalMonitor::kClose)->click();
    EXPECT_FALSE(shown);
    EXPECT_TRUE(waitWithEvents([&] { return monitor.isNull(); }));
}

TEST_F(ExtendedDisplay, NewSensorAsksOnlyWhenTheBoxHasLearnedSomething) {
    QPushButton* newSensor = control<QPushButton>(monitor, CAdditionalMonitor::kNewSensor);
    newSensor->click(); // a fresh box: nothing to erase
    EXPECT_EQ(find<QMessageBox>(), nullptr);
    EXPECT_EQ(find<CMessagebox>(), nullptr);

    link.noData = true; // a silent box: only the timeout notice
    host.whSeen = true;
    newSensor->click();
    ASSERT_NE(find<QMessageBox>(), nullptr);
    EXPECT_EQ(find<QMessageBox>()->text(), QStringLiteral("Timeout: Communication not possible. "));
    EXPECT_EQ(find<CMessagebox>(), nullptr);

    link.noData = false; // the white sensor's offsets are known: ask, then erase
    newSensor->click();
    CMessagebox* question = find<CMessagebox>();
    ASSERT_NE(question, nullptr);
    question->accept();
    EXPECT_EQ(link.pendingCommand.load(), kEraseRequest);
    EXPECT_EQ(host.resets, 1);
}

TEST_F(ExtendedDisplay, NewSensorsQuestionErasesNothingOnAStrayKey) {
    host.whSeen = true; // a box that has learned something
    QPushButton* newSensor = control<QPushButton>(monitor, CAdditionalMonitor::kNewSensor);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
        newSensor->click();
        QPointer<CMessagebox> question = find<CMessagebox>();
        ASSERT_NE(question, nullptr);
        QPushButton* no = control<QPushButton>(question, CMessageWindow::kCancel);
        EXPECT_TRUE(no->isDefault());
        EXPECT_FALSE(control<QPushButton>(question, CMessageWindow::kOk)->isDefault());
        question->activateWindow();
        // The key goes where the keyboard's focus is, as the user's would.
        QWidget* focused = question->focusWidget();
        EXPECT_EQ(focused, no);
        QTest::keyClick(focused != nullptr ? focused : question.data(), key);
        ASSERT_TRUE(waitWithEvents([&] { return question.isNull() || !question->isVisible(); }))
            << key;
        EXPECT_NE(link.pendingCommand.load(), kEraseRequest) << key;
        EXPECT_EQ(host.resets, 0) << key;
        // "New Sensor command aborted." tells that nothing changed.
        QMessageBox* aborted = find<QMessageBox>();
        ASSERT_NE(aborted, nullptr) << key;
        EXPECT_TRUE(aborted->text().startsWith(QStringLiteral("New Sensor command aborted.")));
        delete aborted;
        delete question.data();
    }
}

TEST_F(ExtendedDisplay, ClearModesAndMenu) {
    // The unlabelled "c" tells what it does.
    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        monitor->refreshCaptions();
        for (int id : {CAdditionalMonitor::kClear, CAdditionalMonitor::kNewSensor,
                       CAdditionalMonitor::kClose})
            EXPECT_FALSE(control<QPushButton>(monitor, id)->toolTip().isEmpty())
                << language << " " << id;
    }
    setLanguage(0);
    control<QPushButton>(monitor, CAdditionalMonitor::kClear)->click();
    EXPECT_EQ(link.pendingCommand.load(), kResetRequest);
    EXPECT_EQ(host.resets, 1);

    control<QRadioButton>(monitor, CAdditionalMonitor::kModeFactor)->click();
    EXPECT_EQ(config.extDisplayMode, kModeFactors);
    control<QRadioButton>(monitor, CAdditionalMonitor::kModeChannel)->click();
    EXPECT_EQ(config.extDisplayMode, kModeChannelValues);

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(321, 123));
    QApplication::sendEvent(monitor, &click);
    EXPECT_EQ(host.menuAt, QPoint(321, 123));
}

TEST_F(ExtendedDisplay, ValuesOverTheLimitAreLightRed) {
    readings.dacOffsets[1] = 160.0; // 106.7 %
    monitor->refreshExtendedDisplay(CAdditionalMonitor::kFullRefresh);
    const QImage image = monitor->grab().toImage();
    const auto boxes = monitorBoxes(MonitorPanel::Channels, readings, kModeOffsets);
    auto hasLightRed = [&](const MonitorBox& box) {
        const QRect r = CAdditionalMonitor::boxRect(box, monitor->unitX(), monitor->unitY());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 190 && c.blue() < 190)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(hasLightRed(boxes[1]));  // WH B: 106.7 %
    EXPECT_FALSE(hasLightRed(boxes[0])); // WH A: 0
}

TEST_F(ExtendedDisplay, GroupCaptionsStandInTheirFrameLinesClearOfTheValueBoxes) {
    for (int language = 0; language < kLanguageCount; ++language) {
        configData.language = language;
        setLanguage(language);
        monitor->refreshCaptions();
        for (const std::string& fault : groupCaptionFaults(*monitor))
            ADD_FAILURE() << "language " << language << ": " << fault;
        for (const QGroupBox* group : monitor->findChildren<QGroupBox*>()) {
            const QRect caption = groupBoxParts(*group, *monitor).caption;
            for (MonitorPanel panel :
                 {MonitorPanel::RefSignal, MonitorPanel::DacOffset, MonitorPanel::Channels})
                for (const MonitorBox& box : monitorBoxes(panel, readings, kModeOffsets)) {
                    const double ux = monitor->unitX();
                    const double uy = monitor->unitY();
                    EXPECT_FALSE(CAdditionalMonitor::boxRect(box, ux, uy).intersects(caption) ||
                                 CAdditionalMonitor::labelRect(box, ux, uy).intersects(caption))
                        << group->title().toStdString() << " covers a value box";
                }
        }
    }
    setLanguage(0);
}

} // namespace
