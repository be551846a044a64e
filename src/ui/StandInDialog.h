#pragma once

#include <QDialog>

class HostWindow;

// A dialog that stands for a modal one: shown without being modal while the main window takes
// no input, it gives the input back on every way out (its own buttons, Escape, the frame).
class StandInDialog : public QDialog {
    Q_OBJECT
public:
    // With `discardOnClose` closing the dialog through its frame deletes it (its owner makes it
    // afresh next time); otherwise the frame acts as Cancel and the dialog keeps its fields.
    StandInDialog(HostWindow& host, bool discardOnClose);

    // Takes the main window's input away and shows the dialog, or brings it to the front.
    void enter();
    // Escape: the dialog's cancel().
    void reject() override;

protected:
    // Gives the main window its input back and hides the dialog.
    void leave();
    // Gives the main window its input back; called on every way out.
    virtual void giveInputBack();
    // Escape and, for a dialog that is kept, the frame: leaves by default.
    virtual void cancel();
    // A dialog may refuse the frame's close while it is still needed.
    virtual bool mayClose() const { return true; }

    void closeEvent(QCloseEvent* event) override;

    HostWindow& m_host;

private:
    bool m_discardOnClose;
};

// Shows a hidden window, or brings one that is already up to the front, and activates it.
void showOrRaise(QWidget& window);
