#pragma once
// Context help of the designer: the topic number of a control and the text
// the help window shows for it.
#include <QString>

// 400 + the control's tag; a button of the objects bar 430 + its tag, tags
// above 4 (add-in objects) counting as 5.
int vlHelpContext(int tag, bool objectsBar);
// The topic's text; a topic without its own text tells what the control's
// hint says.
QString vlHelpText(int context, const QString &hint);
