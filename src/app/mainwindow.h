#pragma once

#include <QMainWindow>
#include <functional>

class QAction;
class QMenu;
class QMimeData;

namespace Orlenda {

class FileChooser;
class MotorSoundWindow;
class PerformanceWindow;
class Prompter;
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

    // Opens the file named by the raw command-line text, or starts a new document.
    void loadCommandLine(const QString& rawText);

    // Ends the program at once; tests replace it.
    void setProgramEnder(std::function<void()> ender) { mEndProgram = std::move(ender); }

    QAction* action(const QString& objectName) const;

    // The train to compare with, kept for the run; never written anywhere.
    ReferenceTrain& reference() const { return *mReference; }
    // None until 性能表 is first opened.
    PerformanceWindow* performanceWindow() const { return mPerformance; }

    // The file a drop would open: the first local file of its list, if any.
    static QString droppedFile(const QMimeData* mime);

public slots:
    void newDocument();
    void openDocument();
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
    // Before the document is replaced or the window closes: true when nothing
    // would be lost, that is the document is unmodified, or the user saved it
    // or chose to drop the changes.
    bool maySetDocumentAside();
    void openPath(const QString& path);
    void writePlacement();
    void applyOuterSize();
    void closeOtherWindows();
    // Runs a command; a declined failure prompt ends the program here.
    void runCommand(const std::function<void()>& command);

    TrainData& mData;
    Prompter& mPrompter;
    FileChooser& mChooser;
    std::function<void()> mEndProgram;
    bool mSized = false;
    // Created on first use and kept for the run: its copy buffer must survive.
    MotorSoundWindow* mMotorSound = nullptr;
    ReferenceTrain* mReference;
    // Created on first use and kept, with its grade and choices, for the run.
    PerformanceWindow* mPerformance = nullptr;
};

} // namespace Orlenda
