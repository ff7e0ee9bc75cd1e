#pragma once
// Writing a text document as rich text (RTF) in the dialect of the Windows
// rich edit control: "{\rtf1\ansi\ansicpg1250\deff0" with a font table in the
// Central European character set and a colour table, characters of the code
// page as "\'hh", all others as "\uN?". Only what the reader takes back is
// written, so writing what was read gives the same bytes again.
#include <QByteArray>

class QTextDocument;

QByteArray vlWriteRtf(const QTextDocument &document);
