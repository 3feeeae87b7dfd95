#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <set>

#include "platform/qt/services.h"

class QAction;
class QLabel;
class QToolBar;

namespace trazel::app {

// The main window: menu bar, a toolbar that docks on any side, the status
// bar, and the view in the middle. Every command of the menus, the toolbar
// and the accelerators is one action, found by its command id.
class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    // The recent files the "&Archivo" menu shows and the application keeps.
    static constexpr int kRecentFileSlots = 4;

    // The frame's own dialogs ask the user through services.
    explicit CMainFrame(const platform::Services& services);

    // Builds the menus, the toolbar and the status bar; 0 on success, -1 when
    // a bar cannot be made.
    int OnCreate();

    // Puts the view in the client area; a form larger than the window
    // scrolls.
    void SetView(QWidget* view);

    QAction* Action(int id) const;
    // Sends a command as if its menu item had been chosen.
    void SendCommand(int id);

    // Gives a command its handler. Commands without one show disabled.
    void Route(int id, std::function<void()> handler);
    void DisableUnrouted();

    // Shows the recent files in the "&Archivo" menu, most recent first.
    void SetRecentFiles(const QStringList& menuTexts);

    // Asked before the window closes; false keeps it open.
    std::function<bool()> canClose;

    // The pane texts of the status bar: the message pane, then the lock keys.
    QStringList StatusPaneTexts() const;
    // Lights each lock-key indicator that the system reports as on.
    void UpdateIndicators();

    void OnQuickReference();
    // Lights the first menu title for the arrow keys, as Alt alone does.
    void ActivateMenuBar();

    // The dockable toolbar; the status bar is QMainWindow's own statusBar().
    QToolBar* ToolBar() const { return toolBar_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Gives Ctrl+Z and the other keys of undo and redo to the focused field
    // while it has typing of its own to undo or redo, and to the window's
    // actions otherwise. True when the event has been dealt with.
    bool FieldKeepsUndoKey(QObject* watched, QEvent* event);
    QAction* MakeAction(int id, const QString& text);
    void CreateMenus();
    // False when a toolbar picture is missing from the resources.
    bool CreateToolBar();
    void CreateStatusBar();

    platform::Services services_;
    QToolBar* toolBar_ = nullptr;
    std::map<int, QAction*> actions_;
    std::set<int> routed_;
    QLabel* messagePane_ = nullptr;
    std::map<int, QLabel*> indicators_;
};

}  // namespace trazel::app
