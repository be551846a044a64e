#pragma once

#include "core/PathNames.h"

#include <QString>

// The files of a build, all in the application folder.
inline constexpr QStringView kDriverName = u"make";
inline constexpr QStringView kTemporarySource = u"vd~tmp.bas";
inline constexpr QStringView kTemporaryExecutable = u"vd~tmp.exe";
inline constexpr QStringView kErrorLog = u"errfound.log";

// The command lines of the compiler driver. Every value is inserted as it stands, unquoted,
// with one blank between arguments: a path holding blanks reaches the driver as several
// arguments, and an empty value leaves two blanks in a row. `appFolder` has no trailing
// separator; the driver and the temporary files are joined to it with `separator`.

// Run of the active document: "<A>/make -normal vd~tmp.bas <A>/vd~tmp.exe <A> -run <W>".
QString runCommandLine(const QString& appFolder, const QString& workingFolder,
                       QChar separator = kPathSeparator);

// Run of a project: "<A>/make -project <P> <A>/vd~tmp.exe <A> -run <folder of P>". A project
// path without a separator leaves the line ending in " -run ".
QString projectRunCommandLine(const QString& appFolder, const QString& projectPath,
                              QChar separator = kPathSeparator);

// Create Exe of the active document: "<A>/make -normal vd~tmp.bas <N> <A>".
QString createExeCommandLine(const QString& appFolder, const QString& exeName,
                             QChar separator = kPathSeparator);

// Create Exe of a project: "<A>/make -project <P> <N> <A>".
QString projectCreateExeCommandLine(const QString& appFolder, const QString& projectPath,
                                    const QString& exeName, QChar separator = kPathSeparator);

// The folder a single document's program runs in: the application folder for an untitled
// window, otherwise the folder of the file named by the caption.
QString runFolderOf(const QString& appFolder, const QString& caption,
                    QChar separator = kPathSeparator);
