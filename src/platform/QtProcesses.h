#pragma once

#include "platform/Processes.h"

// Processes on QProcess. The standard handles are inherited; no shell is involved.
class QtProcesses : public Processes {
public:
    StartResult runAndWait(const QString& program, const QStringList& arguments) override;
    StartResult startDetached(const QString& program, const QStringList& arguments) override;
};
