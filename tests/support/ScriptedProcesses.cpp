#include "ScriptedProcesses.h"

StartResult ScriptedProcesses::runAndWait(const QString& program, const QStringList& arguments) {
    calls.append({true, program, arguments});
    if (!failWith.isEmpty())
        return {false, failWith};
    return m_real.runAndWait(program, arguments);
}

StartResult ScriptedProcesses::startDetached(const QString& program, const QStringList& arguments) {
    calls.append({false, program, arguments});
    if (!failWith.isEmpty())
        return {false, failWith};
    return m_real.startDetached(program, arguments);
}
