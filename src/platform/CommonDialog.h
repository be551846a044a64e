#pragma once

#include <QColor>
#include <QString>

// A font as the font dialog gives it back.
struct FontChoice {
    QString name;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

// The one file, font and colour dialog shared by every command. Callers set the
// properties they need, then call one of the Show functions.
class CommonDialog {
public:
    // Flag values of the file and font dialogs.
    static constexpr int OverwritePrompt = 2;
    static constexpr int HideReadOnly = 4;
    static constexpr int PathMustExist = 2048;
    static constexpr int FileMustExist = 4096;
    static constexpr int ScreenFonts = 1;
    static constexpr int ForceFontExist = 65536;

    virtual ~CommonDialog() = default;

    QString FileName;
    // Pairs of description and pattern separated by '|': "Text (*.txt)|*.txt|All|*.*".
    QString Filter;
    // 1-based index of the preselected filter.
    int FilterIndex = 1;
    int Flags = 0;
    FontChoice Font;
    QColor Color;

    // The file dialogs as every command shows them: no name given, the second filter preselected,
    // the read-only box hidden; an open dialog wants an existing file, a save dialog an existing
    // folder and asks before overwriting. Each returns the chosen path, empty when cancelled.
    QString askOpenFile(const QString& filter) {
        prepareFile(filter, FileMustExist | HideReadOnly);
        ShowOpen();
        return FileName;
    }
    QString askSaveFile(const QString& filter) {
        prepareFile(filter, OverwritePrompt | HideReadOnly | PathMustExist);
        ShowSave();
        return FileName;
    }

    // A cancelled file dialog leaves FileName empty.
    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
    // Return false when the user cancelled; Font and Color then keep their values.
    virtual bool ShowFont() = 0;
    virtual bool ShowColor() = 0;

private:
    void prepareFile(const QString& filter, int flags) {
        FileName.clear();
        Filter = filter;
        FilterIndex = 2;
        Flags = flags;
    }
};
