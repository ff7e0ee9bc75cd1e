#pragma once
// The document templates the preview screen reads from the program folder:
// the letterhead and the information text (rich text), the logo and the
// signature (bitmaps). Shops replace them with their own.
#include <QByteArray>
#include <QImage>

QByteArray LetterheadRtf();
QByteArray InformationRtf();
QImage LogoImage();
QImage SignatureImage();
