#pragma once

class ImageList;
class QString;
class QWidget;

// What a subsystem may ask of the main window: the window its dialogs belong to, the caption,
// whether the window takes input, and the shared images.
class HostWindow {
public:
    // The parent of the dialogs and the window that prompts fall back to.
    virtual QWidget* hostWidget() = 0;
    // The caption "Veldra Studio [<what>]".
    virtual void setCaption(const QString& what) = 0;
    // False while a dialog that stands for a modal one is up: the main window takes no input,
    // the dialog keeps working.
    virtual void setInputEnabled(bool enabled) = 0;
    virtual bool inputEnabled() const = 0;
    // True while the compiler driver runs.
    virtual bool busy() const = 0;
    virtual const ImageList& ImageList1() const = 0;

protected:
    ~HostWindow() = default;
};
