#include "templates.h"

#include "report/rich/rtfwriter.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

namespace {

QByteArray rtfOf(const QString &html)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 9));
    document.setHtml(html);
    return vlWriteRtf(document);
}

} // namespace

QByteArray LetterheadRtf()
{
    // The report fills in the bracketed variables when it prints.
    return rtfOf(QStringLiteral("<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:14pt; "
                                "font-weight:bold\">[DODAVATEL_NAZEV]</span></p>"
                                "<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:8pt\">"
                                "[DODAVATEL_ADRESA]</span></p>"
                                "<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:8pt\">"
                                "Tel.: [DODAVATEL_TELEFON]</span></p>"
                                "<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:8pt\">"
                                "E-mail: [DODAVATEL_EMAIL]</span></p>"));
}

QByteArray InformationRtf()
{
    return rtfOf(QStringLiteral("<p style=\"margin:0\"><span style=\"font-family:Arial; font-size:7pt\">"
                                "Reklamace uplatňujte v prodejně s tímto dokladem. Záruční doba je 24 měsíců, "
                                "není-li u zboží uvedeno jinak. Zboží zůstává až do úplného zaplacení "
                                "majetkem prodávajícího.</span></p>"));
}

QImage LogoImage()
{
    // A shopping bag in the program's blue; the shop puts its own logo here.
    QImage image(240, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1F, 0x4E, 0x79);
    painter.setPen(QPen(blue, 10, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRect(85, 14, 70, 70), 0, 180 * 16);
    QPainterPath bag;
    bag.moveTo(50, 52);
    bag.lineTo(190, 52);
    bag.lineTo(178, 148);
    bag.lineTo(62, 148);
    bag.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawPath(bag);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(95, 75), 7, 7);
    painter.drawEllipse(QPoint(145, 75), 7, 7);
    painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(80, 118, 160, 118);
    return image;
}

QImage SignatureImage()
{
    // Empty until the shop scans its own stamp and signature.
    QImage image(300, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
