#pragma once

#include "platform/Workspace.h"

#include <QList>
#include <QString>

namespace tavlen {

// The running applications a name typed by the user means: those whose id is exactly that,
// else those whose id, program file or desktop entry Name is that whatever the case. People
// type what they see ("designer", "Text Editor"), not the id an application happens to have.
QList<RunningApplication> matchRunningApplications(const QString& typed,
                                                   const QList<RunningApplication>& running);

} // namespace tavlen
