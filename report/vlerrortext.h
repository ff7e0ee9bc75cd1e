#pragma once
// The text of a failure as the engine's error messages give it: the engine's
// own failures carry Czech texts already; conversions and arithmetic of
// values and running out of memory are put into Czech here, so no English
// text of the value layer reaches the user.
#include <QString>
#include <exception>

QString vlErrorText(const std::exception &error);
