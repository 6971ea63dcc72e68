#pragma once

#include "shared/ui/windowcommandguard.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QMimeData;

namespace Orlenda {

class DocumentHistory;
class FileChooser;
class MotorSoundWindow;
class PerformanceWindow;
class Prompter;
class RecentFileMenu;
class ReferenceTrain;
class TrainData;

// The editor's main window: menus, file commands, caption, dropping files,
// and the placement settings written on close. The document's values are
// shown and edited by the parameter form in its centre.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(TrainData& data, Prompter& prompter, FileChooser& chooser,
               QWidget* parent = nullptr);

    // Opens the file named by the first argument exactly as given (the shell
    // has split and unquoted it), or starts a new document; the rest are ignored.
    void loadCommandLine(const QStringList& arguments);
    // The same from the arguments' bytes as the system gave them: a first
    // argument that is not valid UTF-8 is refused with a notice, and a new
    // document started.
    void loadRawCommandLine(const QList<QByteArray>& arguments);

    // Ends the program at once; tests replace it.
    void setProgramEnder(std::function<void()> ender) { mGuard.setProgramEnder(std::move(ender)); }
    const std::function<void()>& programEnder() const { return mGuard.programEnder(); }

    QAction* action(const QString& objectName) const;

    // The document's undo history, which the document keeps.
    DocumentHistory& history() const { return *mHistory; }
    // The train to compare with, kept for the run; never written anywhere.
    ReferenceTrain& reference() const { return *mReference; }
    // None until 性能表 is first opened.
    PerformanceWindow* performanceWindow() const { return mPerformance; }

    // The file a drop would open: the first local file of its list, if any.
    static QString droppedFile(const QMimeData* mime);

public slots:
    void newDocument();
    void openDocument();
    // A file from the recent-file list; one that no longer exists or is not a
    // file (a folder, a FIFO, a device) is said so and dropped.
    void openRecent(const QString& path);
    // True when the document was written.
    bool saveDocument();
    bool saveDocumentAs();
    void showAbout();
    void showMotorSound();
    void showAcceleration();
    void showPerformance();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void updateCaption();
    void updateEditMenu();
    // Before the document is replaced or the window closes: true when nothing
    // would be lost, that is the document is unmodified, or the user saved it
    // or chose to drop the changes.
    bool maySetDocumentAside();
    void openPath(const QString& path);
    // A chosen or dropped name holding U+FFFD is told and refused: true then.
    bool refusesUnreadableName(const QString& path);
    void writePlacement();
    void applyOuterSize();
    // The placement saved at the last close when it is usable, else the default size.
    void restorePlacement();
    void closeOtherWindows();

    TrainData& mData;
    DocumentHistory* mHistory;
    Prompter& mPrompter;
    FileChooser& mChooser;
    // Runs the file commands; a declined failure prompt ends the program there.
    WindowCommandGuard mGuard;
    bool mSized = false;
    QSize mOuterSize;
    // Created on first use and kept for the run: its copy buffer must survive.
    MotorSoundWindow* mMotorSound = nullptr;
    RecentFileMenu* mRecent = nullptr;
    ReferenceTrain* mReference;
    // Created on first use and kept, with its grade and choices, for the run.
    PerformanceWindow* mPerformance = nullptr;
};

} // namespace Orlenda
