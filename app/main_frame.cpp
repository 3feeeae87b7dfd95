#include "app/main_frame.h"

#include "ui/dialogs/information_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include "app/lock_keys.h"
#include "app/resource.h"
#include "app/strings.h"
#include "app/toolbar_images.h"

using namespace trazel::platform;
using namespace trazel::ui;

namespace trazel::app {

namespace {

// The translation context of the main window's own menu labels, and that of
// the labels the plot window's menu shares, which read alike in both windows.
constexpr char kOwnLabel[] = "MainWindow";
constexpr char kSharedLabel[] = "Menu";

struct MenuItem {
    int id;  // 0 draws a separator
    const char* text;
    const char* context = kOwnLabel;
};

struct MenuTemplate {
    const char* title;
    std::initializer_list<MenuItem> items;
};

// Menu 128. The shortcut texts are those of the keys that work.
const MenuTemplate kMenus[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "&Archivo"),
     {{ID_FILE_NEW, QT_TRANSLATE_NOOP("MainWindow", "&Nuevo\tCtrl+N")},
      {ID_FILE_OPEN, QT_TRANSLATE_NOOP("MainWindow", "&Abrir...\tCtrl+O")},
      {ID_FILE_SAVE, QT_TRANSLATE_NOOP("MainWindow", "&Guardar\tCtrl+S")},
      {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("MainWindow", "Guardar c&omo...")},
      {ID_IMPORT_BANDS, QT_TRANSLATE_NOOP("MainWindow", "Impor&tar bandas...")},
      {0, nullptr},
      {ID_FILE_PRINT, QT_TRANSLATE_NOOP("MainWindow", "&Imprimir...\tCtrl+P")},
      {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("MainWindow", "&Presentación preliminar")},
      {ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("MainWindow", "Con&figurar impresora...")},
      {0, nullptr},
      {ID_FILE_MRU_FILE1, QT_TRANSLATE_NOOP("MainWindow", "Archivo reciente")},
      {0, nullptr},
      {ID_APP_EXIT, QT_TRANSLATE_NOOP("MainWindow", "&Salir")}}},
    {QT_TRANSLATE_NOOP("MainWindow", "&Editar"),
     {{ID_EDIT_UNDO, QT_TRANSLATE_NOOP("MainWindow", "&Deshacer\tCtrl+Z")},
      {ID_EDIT_REDO, QT_TRANSLATE_NOOP("MainWindow", "Re&hacer\tCtrl+Y")},
      {0, nullptr},
      {ID_EDIT_CUT, QT_TRANSLATE_NOOP("MainWindow", "Cor&tar\tCtrl+X")},
      {ID_EDIT_COPY, QT_TRANSLATE_NOOP("MainWindow", "&Copiar\tCtrl+C")},
      {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("MainWindow", "&Pegar\tCtrl+V")},
      {0, nullptr},
      {IDC_EDIT_SELECTION, QT_TRANSLATE_NOOP("MainWindow", "Editar Selección...")}}},
    {QT_TRANSLATE_NOOP("MainWindow", "&Ver"),
     {{ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("MainWindow", "Barra de &herramientas")},
      {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("MainWindow", "Barra de &estado")}}},
    {QT_TRANSLATE_NOOP("MainWindow", "&Formato"),
     {{ID_OUTPUT_FORMAT, QT_TRANSLATE_NOOP("MainWindow", "&Formato de salida...")},
      {ID_OUTPUT_FILE, QT_TRANSLATE_NOOP("MainWindow", "&Archivo de salida...")},
      {IDC_EXPORT, QT_TRANSLATE_NOOP("MainWindow", "Ex&portar")}}},
    {QT_TRANSLATE_NOOP("MainWindow", "Gráfico"),
     {{IDC_PLOT, QT_TRANSLATE_NOOP("MainWindow", "&Representar")},
      {0, nullptr},
      {ID_PLOT_WINDOW, QT_TRANSLATE_NOOP("MainWindow", "Gráfico &ampliado...\tCtrl+G")},
      {ID_OVERLAY_MEASURED, QT_TRANSLATE_NOOP("Menu", "Superponer espectro &medido..."),
       kSharedLabel},
      {ID_FIND_BANDS, QT_TRANSLATE_NOOP("Menu", "&Buscar bandas..."), kSharedLabel},
      {ID_FIT_MEASURED, QT_TRANSLATE_NOOP("Menu", "A&justar al espectro medido..."), kSharedLabel},
      {ID_COMPARE_MEASURED, QT_TRANSLATE_NOOP("Menu", "Com&parar con el espectro medido..."),
       kSharedLabel}}},
    {QT_TRANSLATE_NOOP("MainWindow", "Ay&uda"),
     {{ID_QUICK_REFERENCE, QT_TRANSLATE_NOOP("MainWindow", "&Referencia Rápida...")},
      {ID_APP_ABOUT, QT_TRANSLATE_NOOP("MainWindow", "&Acerca de Trazel...")}}},
};

// Accelerator table 128, in table order.
struct Accelerator {
    QKeyCombination keys;
    int id;
};

const Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
    {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
    {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
    {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
    {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
    {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
    {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
    {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
    {QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
    {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
    {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
    {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
    {Qt::CTRL | Qt::Key_Return, IDC_ADD_PEAK},
    // The keypad's Enter is the same key to the user. X11 hands it to the
    // shortcuts without the keypad modifier, other systems with it.
    {Qt::CTRL | Qt::Key_Enter, IDC_ADD_PEAK},
    {QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter), IDC_ADD_PEAK},
    {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
    {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
    {Qt::CTRL | Qt::Key_Y, ID_EDIT_REDO},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ID_EDIT_REDO},
    {Qt::CTRL | Qt::Key_G, ID_PLOT_WINDOW},
};

// Toolbar 128; 0 is a separator.
const int kToolbarButtons[] = {ID_FILE_NEW,
                               ID_FILE_OPEN,
                               ID_FILE_SAVE,
                               0,
                               ID_EDIT_CUT,
                               ID_EDIT_COPY,
                               ID_EDIT_PASTE,
                               0,
                               ID_FILE_PRINT,
                               0,
                               ID_OUTPUT_FORMAT,
                               ID_OUTPUT_FILE,
                               IDC_EXPORT,
                               0,
                               IDC_EDIT_SELECTION,
                               IDC_PLOT,
                               0,
                               ID_APP_ABOUT};

const int kIndicators[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

CMainFrame::CMainFrame(const Services& services) : services_(services) {
    setWindowIcon(ApplicationIcon());
    qApp->installEventFilter(this);
}

QAction* CMainFrame::MakeAction(int id, const QString& text) {
    auto it = actions_.find(id);
    if (it != actions_.end()) {
        if (!text.isEmpty()) {
            it->second->setText(text);
        }
        return it->second;
    }
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setStatusTip(CommandPrompt(id));
    const QString tip = CommandToolTip(id);
    action->setToolTip(tip.isEmpty() ? CommandPrompt(id) : tip);
    // Shortcuts belong to the window, so they work while the toolbar and
    // the menus are hidden as well.
    addAction(action);
    actions_[id] = action;
    return action;
}

int CMainFrame::OnCreate() {
    CreateMenus();
    if (!CreateToolBar()) {
        return -1;
    }
    CreateStatusBar();
    for (const auto& accelerator : kAccelerators) {
        QAction* action = MakeAction(accelerator.id, QString());
        auto keys = action->shortcuts();
        keys << QKeySequence(accelerator.keys);
        action->setShortcuts(keys);
    }
    // F10 takes the keyboard to the menu bar, as Alt alone does.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuKey);
    // Once the key has been dealt with, so that nothing of it reaches the bar.
    connect(menuKey, &QAction::triggered, this, &CMainFrame::ActivateMenuBar, Qt::QueuedConnection);
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    return 0;
}

void CMainFrame::ActivateMenuBar() {
    // The menu bar has no call for its keyboard mode; it enters it when Alt is
    // pressed and let go with no other key in between, so it is told just that.
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
}

void CMainFrame::CreateMenus() {
    for (const auto& menuTemplate : kMenus) {
        QMenu* menu =
            menuBar()->addMenu(QCoreApplication::translate(kOwnLabel, menuTemplate.title));
        for (const auto& item : menuTemplate.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(
                MakeAction(item.id, QCoreApplication::translate(item.context, item.text)));
            if (item.id == ID_FILE_MRU_FILE1) {
                for (int i = 1; i < kRecentFileSlots; ++i) {
                    QAction* slot = MakeAction(ID_FILE_MRU_FILE1 + i, QString());
                    slot->setVisible(false);
                    menu->addAction(slot);
                }
            }
        }
    }
    SetRecentFiles({});
}

bool CMainFrame::CreateToolBar() {
    toolBar_ =
        new QToolBar(QCoreApplication::translate("MainWindow", "Barra de herramientas"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : kToolbarButtons) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = MakeAction(id, QString());
        const QPixmap image = ToolbarImage(id);
        if (image.isNull()) {
            return false;
        }
        action->setIcon(QIcon(image));
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);

    QAction* toggle = MakeAction(ID_VIEW_TOOLBAR, QString());
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::triggered, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    routed_.insert(ID_VIEW_TOOLBAR);
    return true;
}

void CMainFrame::CreateStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(bar);
    // A normal widget, hidden while a prompt is shown and back afterwards,
    // gives the idle text.
    messagePane_ = new QLabel(LoadString(AFX_IDS_IDLEMESSAGE), statusBar());
    statusBar()->addWidget(messagePane_, 1);
    for (const int id : kIndicators) {
        auto* pane = new QLabel(statusBar());
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(LoadString(id)) + 12);
        statusBar()->addPermanentWidget(pane);
        indicators_[id] = pane;
    }
    UpdateIndicators();

    QAction* toggle = MakeAction(ID_VIEW_STATUS_BAR, QString());
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::triggered, statusBar(), &QWidget::setVisible);
    routed_.insert(ID_VIEW_STATUS_BAR);
}

void CMainFrame::SetView(QWidget* view) {
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(view);
    setCentralWidget(area);
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::SendCommand(int id) {
    if (QAction* action = Action(id); action != nullptr && action->isEnabled()) {
        action->trigger();
    }
}

void CMainFrame::Route(int id, std::function<void()> handler) {
    QAction* action = MakeAction(id, QString());
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    routed_.insert(id);
}

void CMainFrame::DisableUnrouted() {
    for (const auto& [id, action] : actions_) {
        action->setEnabled(routed_.count(id) != 0);
    }
}

void CMainFrame::SetRecentFiles(const QStringList& menuTexts) {
    for (int i = 0; i < kRecentFileSlots; ++i) {
        QAction* slot = Action(ID_FILE_MRU_FILE1 + i);
        if (i < menuTexts.size()) {
            slot->setText(menuTexts.at(i));
            slot->setVisible(true);
            slot->setEnabled(true);
        } else if (i == 0) {
            // With no recent file the first slot stands as a disabled title.
            slot->setText(QCoreApplication::translate("MainWindow", "Archivo reciente"));
            slot->setVisible(true);
            slot->setEnabled(false);
        } else {
            slot->setVisible(false);
        }
    }
}

QStringList CMainFrame::StatusPaneTexts() const {
    QStringList texts;
    const QString prompt = statusBar()->currentMessage();
    texts << (prompt.isEmpty() ? messagePane_->text() : prompt);
    for (const int id : kIndicators) {
        texts << indicators_.at(id)->text();
    }
    return texts;
}

void CMainFrame::UpdateIndicators() {
    const LockKeyState state = QueryLockKeys();
    const std::pair<int, bool> lit[] = {{ID_INDICATOR_CAPS, state.capsLock},
                                        {ID_INDICATOR_NUM, state.numLock},
                                        {ID_INDICATOR_SCRL, state.scrollLock}};
    for (const auto& [id, on] : lit) {
        indicators_.at(id)->setText(on ? LoadString(id) : QString());
    }
}

void CMainFrame::OnQuickReference() {
    ShowQuickReference(this, services_);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CMainFrame::FieldKeepsUndoKey(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || edit->window() != this || edit->isReadOnly()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const auto bound = [this, &pressed](int id) {
        const QAction* action = Action(id);
        return action != nullptr && action->shortcuts().contains(pressed);
    };
    const bool undo = bound(ID_EDIT_UNDO);
    if (!undo && !bound(ID_EDIT_REDO)) {
        return false;
    }
    // The field's own typing goes first; once it has nothing left, the keys
    // reach the table's history. The field takes its keys itself, Alt+Backspace
    // too, which it would otherwise not know as undo.
    const bool fieldHasStep = undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
    if (event->type() == QEvent::ShortcutOverride) {
        // Not accepted: the window's shortcut gets the key.
        event->setAccepted(fieldHasStep);
        return true;
    }
    if (!fieldHasStep) {
        return false;
    }
    if (undo) {
        edit->undo();
    } else {
        edit->redo();
    }
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        FieldKeepsUndoKey(watched, event)) {
        return true;
    }
    // The lock keys can change while another program has the keyboard, so
    // look again at every key of ours and whenever the window comes back.
    switch (event->type()) {
        case QEvent::KeyRelease:
        case QEvent::WindowActivate:
            UpdateIndicators();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace trazel::app
