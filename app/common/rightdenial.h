#pragma once
// The check of a guarded function: whether the user holds its right, and
// what the screen says when not: the user lacks the right, or the server
// could not be asked (its reason is shown then).
#include <QString>

// True when the right is held; else the user is told and false.
bool CheckUserRight(int right, const QString &heading);
