#pragma once

#include "platform/ProcessConsole.h"

#include <QDockWidget>
#include <QPointer>

#include <memory>

class PtyProcess;
class QLabel;
class QPushButton;
class TerminalScreen;
class TerminalView;

// The console: a dock at the bottom of the main window that shows what the compiler driver and
// the program it runs print, takes what the user types for them, and stops them. Cleared and
// shown when a build starts; its output stays until the next one.
class ConsolePane : public QDockWidget, public ProcessConsole {
    Q_OBJECT

public:
    explicit ConsolePane(QWidget* parent = nullptr);
    ~ConsolePane() override;

    // Empties the screen and shows the pane for a new build.
    void startBuild();

    QSize terminalSize() const override;
    void attach(PtyProcess& process) override;
    void detach(const QString& how) override;

    TerminalScreen& screen() const { return *m_screen; }
    TerminalView* view() const { return m_view; }
    QPushButton* stopButton() const { return m_stop; }

private:
    std::unique_ptr<TerminalScreen> m_screen;
    TerminalView* m_view;
    QPushButton* m_stop;
    QLabel* m_status;
    QPointer<PtyProcess> m_process;
    // Where the keyboard focus was before the program started; it goes back there at the end.
    QPointer<QWidget> m_focusBefore;
    bool m_sized = false;
};
