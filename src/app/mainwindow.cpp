#include "app/mainwindow.h"

#include "about/aboutwindow.h"
#include "acceleration/trainconsist.h"
#include "acceleration/ui/accelerationwindow.h"
#include "acceleration/ui/plotview.h"
#include "app/filechooser.h"
#include "document/documenthistory.h"
#include "app/recentfilemenu.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "form/formlayout.h"
#include "form/stepname.h"
#include "form/ui/parameterform.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "performance/referencetrain.h"
#include "performance/ui/performancewindow.h"
#include "performance/ui/referenceactions.h"
#include "document/trainfilewriter.h"
#include "shared/apptitle.h"
#include "shared/pathname.h"
#include "shared/prompter.h"
#include "shared/settingsfile.h"
#include "shared/ui/historykeys.h"
#include "shared/ui/historylabel.h"
#include "shared/windowplacement.h"
#ifdef ORLENDA_SOUND
#include "app/auditionloader.h"
#endif

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace Orlenda {

namespace {
constexpr int OuterWidthTwips = 8640;
constexpr int OuterHeightTwips = 6720;

// The platform's own keys; where it has none (the offscreen platform and
// Windows have none for Save As and Exit), those of the Linux desktops.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}
} // namespace

MainWindow::MainWindow(TrainData& data, Prompter& prompter, FileChooser& chooser, QWidget* parent)
    : QMainWindow(parent), mData(data), mHistory(&data.keepHistory()),
      mPrompter(prompter), mChooser(chooser),
      mReference(new ReferenceTrain(this)) {
    setObjectName(QStringLiteral("frmMain"));
    mHistory->setFieldNamer(&fieldStepName);
    auto* form = new ParameterForm(data, this);
    setCentralWidget(form);
    for (auto [which, show] : {std::pair{FormButton::Acc, &MainWindow::showAcceleration},
                               std::pair{FormButton::Motor, &MainWindow::showMotorSound}}) {
        QPushButton* button = form->button(which);
        button->setEnabled(true);
        connect(button, &QPushButton::clicked, this, show);
    }
    buildMenus();
    restorePlacement();
    // Settings that could hang or swamp the start were left alone; say so once.
    if (const QString problem = settingsFileProblem(); !problem.isEmpty())
        mPrompter.tell(applicationTitle(), unusableSettingsText(problem));
    setAcceptDrops(true);
    updateCaption();
    connect(&mData, &TrainData::documentPathChanged, this, &MainWindow::updateCaption);
    // A file opened or saved under a new name goes to the top of the recent files.
    connect(&mData, &TrainData::documentPathChanged, this, [this] {
        if (!mData.documentPath().isEmpty())
            mRecent->add(absolutePath(mData.documentPath()));
    });
    connect(&mData, &TrainData::modifiedChanged, this, &QWidget::setWindowModified);
    connect(mHistory, &DocumentHistory::menuStateChanged, this, &MainWindow::updateEditMenu);
    updateEditMenu();
}

void MainWindow::updateEditMenu() {
    // The mnemonic follows the step's name, as Japanese menus place it.
    for (auto [name, label, mnemonic, enabled] :
         {std::tuple{"mnuEditUndo", undoLabel(mHistory->undoText()), "(&U)", mHistory->canUndo()},
          std::tuple{"mnuEditRedo", redoLabel(mHistory->redoText()), "(&R)",
                     mHistory->canRedo()}}) {
        QAction* a = action(QString::fromLatin1(name));
        a->setText(label + QString::fromLatin1(mnemonic));
        a->setEnabled(enabled);
    }
}

void MainWindow::updateCaption() {
    // "[*]" is where Qt shows the modified mark; a literal one is doubled.
    QString name = mData.documentPath();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(name.isEmpty() ? applicationTitle() + QStringLiteral("[*]")
                                  : name + QStringLiteral("[*] - ") + applicationTitle());
    setWindowModified(mData.isModified());
}

bool MainWindow::maySetDocumentAside() {
    if (!mData.isModified())
        return true;
    switch (mPrompter.askToSave(applicationTitle(), saveChangesQuestionText())) {
    case Prompter::SaveChoice::Save:
        return saveDocument();
    case Prompter::SaveChoice::Discard:
        return true;
    case Prompter::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::buildMenus() {
    auto addAction = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* fileNew = addAction(file, "mnuFileNew", QStringLiteral("新規作成(&N)"));
    fileNew->setShortcuts(standardKeys(QKeySequence::New, Qt::CTRL | Qt::Key_N));
    connect(fileNew, &QAction::triggered, this, &MainWindow::newDocument);
    QAction* fileOpen = addAction(file, "mnuFileOpen", QStringLiteral("開く(&O)..."));
    fileOpen->setShortcuts(standardKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    connect(fileOpen, &QAction::triggered, this, &MainWindow::openDocument);
    addSeparator(file, "mnuFileBar0");
    QAction* fileSave = addAction(file, "mnuFileSave", QStringLiteral("上書き保存(&S)"));
    fileSave->setShortcuts(standardKeys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
    connect(fileSave, &QAction::triggered, this, &MainWindow::saveDocument);
    QAction* fileSaveAs = addAction(file, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)..."));
    fileSaveAs->setShortcuts(standardKeys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(fileSaveAs, &QAction::triggered, this, &MainWindow::saveDocumentAs);
    addSeparator(file, "mnuFileBar1");
    QList<QAction*> recentSlots;
    for (int i = 1; i <= RecentFiles::Capacity; ++i) {
        recentSlots << file->addAction(QString());
        recentSlots.last()->setObjectName(QStringLiteral("mnuFileMRU(%1)").arg(i));
    }
    mRecent = new RecentFileMenu(recentSlots, addSeparator(file, "mnuFileBar2"), this);
    connect(mRecent, &RecentFileMenu::chosen, this, &MainWindow::openRecent);
    QAction* fileExit = addAction(file, "mnuFileExit", QStringLiteral("終了(&X)"));
    fileExit->setShortcuts(standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
    connect(fileExit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction* undo = addAction(edit, "mnuEditUndo", QString());
    undo->setShortcuts(HistoryKeys::undoKeys());
    connect(undo, &QAction::triggered, mHistory, &DocumentHistory::undo);
    QAction* redo = addAction(edit, "mnuEditRedo", QString());
    redo->setShortcuts(HistoryKeys::redoKeys());
    connect(redo, &QAction::triggered, mHistory, &DocumentHistory::redo);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    QAction* performance = addAction(view, "mnuViewPerformance", QStringLiteral("性能表(&P)..."));
    performance->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(performance, &QAction::triggered, this, &MainWindow::showPerformance);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(addAction(help, "mnuHelpAbout", QStringLiteral("バージョン情報(&A)")),
            &QAction::triggered, this, &MainWindow::showAbout);
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::loadCommandLine(const QStringList& arguments) {
    const QString path = arguments.value(0);
    if (path.isEmpty())
        newDocument();
    else
        openPath(path);
}

void MainWindow::loadRawCommandLine(const QList<QByteArray>& arguments) {
    const QByteArray first = arguments.value(0);
    const std::optional<QString> name = nameFromBytes(first);
    if (name) {
        loadCommandLine({*name});
        return;
    }
    // Decoded, the name would be another file's: open none.
    mPrompter.tell(applicationTitle(), unreadableNameText(shownName(first)));
    newDocument();
}

bool MainWindow::refusesUnreadableName(const QString& path) {
    if (!holdsUnreadableBytes(path))
        return false;
    mPrompter.tell(applicationTitle(), unreadableNameText(path));
    return true;
}

void MainWindow::openPath(const QString& path) {
    // Absolute before anything else can change the working folder.
    const QString absolute = absolutePath(path);
    mGuard.run([this, absolute] {
        TrainData scratch;
        try {
            openFile(scratch, absolute, mPrompter);
        } catch (...) {
            // The user has set the old document aside already: what was read
            // replaces it even when the program ends.
            mData.adopt(scratch);
            throw;
        }
        mData.adopt(scratch);
    });
}

void MainWindow::openRecent(const QString& path) {
    if (const QString refusal = recentFileRefusal(path); !refusal.isEmpty()) {
        mRecent->remove(path);
        mPrompter.tell(applicationTitle(), refusal);
        return;
    }
    if (maySetDocumentAside())
        openPath(path);
}

void MainWindow::openDocument() {
    if (!maySetDocumentAside())
        return;
    const QString path = mChooser.openFileName(this);
    if (!path.isEmpty() && !refusesUnreadableName(path))
        openPath(path);
}

QString MainWindow::droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return {};
    return urls.first().toLocalFile();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    // Only the first file of a list is opened; other data is ignored.
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    if (refusesUnreadableName(path))
        return;
    if (!mData.isModified()) {
        openPath(path);
        return;
    }
    // The drag source waits until the drop is handled: ask after it.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (maySetDocumentAside())
                openPath(path);
        },
        Qt::QueuedConnection);
}

void MainWindow::newDocument() {
    if (!maySetDocumentAside())
        return;
    mGuard.run([this] { mData.adopt(TrainData()); });
}

bool MainWindow::saveDocument() {
    const QString path = mData.documentPath();
    if (path.isEmpty() || !path.right(4).toLower().endsWith(QLatin1String(".dat")))
        return saveDocumentAs();
    bool saved = false;
    mGuard.run([this, &saved] { saved = save(mData, mPrompter); });
    return saved;
}

bool MainWindow::saveDocumentAs() {
    const QString chosen = mChooser.saveFileName(this);
    if (chosen.isEmpty() || refusesUnreadableName(chosen))
        return false;
    const QString path = absolutePath(chosen);
    bool saved = false;
    // The document takes the new name only once it is written there.
    mGuard.run([this, path, &saved] { saved = saveTo(mData, path, mPrompter); });
    return saved;
}

void MainWindow::showAbout() {
    AboutWindow about(this, mPrompter);
    about.exec();
}

void MainWindow::showMotorSound() {
    if (!mMotorSound) {
        mMotorSound = new MotorSoundWindow(mData, mPrompter, this);
#ifdef ORLENDA_SOUND
        // The panel looks for the audio device only when it first shows.
        mMotorSound->setSidePanel(makeAuditionPanel(mData, *mMotorSound, mPrompter));
#endif
    }
    mMotorSound->setProgramEnder(mGuard.programEnder());
    mMotorSound->openModal();
}

void MainWindow::showAcceleration() {
    // The consist is taken as the fields stand when the button is clicked.
    AccelerationWindow window(mData, mData.consist(), mPrompter, this);
    window.setProgramEnder(mGuard.programEnder());
    window.setReference(mReference->curves());
    const ReferenceActions reference =
        makeReferenceActions(&window, *mReference, mPrompter,
                             [this](QWidget* parent) { return mChooser.openReferenceName(parent); });
    window.plotView()->addActions({reference.open, reference.clear});
    connect(mReference, &ReferenceTrain::changed, &window,
            [this, &window] { window.setReference(mReference->curves()); });
    if (mPerformance) {
        mPerformance->followWorkingTable(window.workingTable());
        connect(&window, &AccelerationWindow::workingTableChanged, mPerformance,
                [this, &window] { mPerformance->followWorkingTable(window.workingTable()); });
    }
    window.exec();
    if (mPerformance)
        mPerformance->stopFollowing();
}

void MainWindow::showPerformance() {
    if (!mPerformance) {
        mPerformance = new PerformanceWindow(
            mData, *mReference, mPrompter,
            [this](QWidget* parent) { return mChooser.openReferenceName(parent); }, this);
        connect(&mData, &TrainData::stepCommitted, mPerformance, &PerformanceWindow::refresh);
    }
    mPerformance->bringUp();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager frames the window only after it is shown: the move into
    // the frame is the first moment its size is known.
    applyOuterSize();
}

void MainWindow::applyOuterSize() {
    if (mSized || !isVisible())
        return;
    // The fixed size is the outer size, frame and title bar included.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == QSize(0, 0))
        return;
    mSized = true;
    resize(mOuterSize - frame);
}

void MainWindow::restorePlacement() {
    QStringList saved;
    for (const auto& [key, value] : windowPlacementSettings(QRect(), false))
        saved << readSetting(key);
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    // Smaller than this, the menus and the form would be cut off at once.
    const QSize minimum = QSize(OuterWidthTwips, OuterHeightTwips) / TwipsPerPixel / 2;
    const std::optional<QRect> placement = savedWindowPlacement(saved, screens, minimum);
    mOuterSize = placement ? placement->size()
                           : QSize(OuterWidthTwips, OuterHeightTwips) / TwipsPerPixel;
    if (placement)
        move(placement->topLeft());
    resize(mOuterSize);
}

void MainWindow::closeOtherWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this)
            (*it)->close();
    }
}

void MainWindow::writePlacement() {
    const auto settings = windowPlacementSettings(frameGeometry(), isMinimized());
    if (settings.isEmpty())
        return;
    writeSettings(settings);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maySetDocumentAside()) {
        event->ignore();
        return;
    }
    closeOtherWindows();
    writePlacement();
    event->accept();
}

} // namespace Orlenda
