#include "app/spreadsheet/xlsreadresult.h"

#include "app/spreadsheet/xlsreader.h"

#include <QDataStream>
#include <QIODevice>

namespace {

const quint32 Magic = 0x54585231; // "TXR1"
const quint32 EndMark = 0x454e4421;
enum Outcome : quint8 { Cells = 1, Failure = 2 };

void writeValue(QDataStream &out, const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Int:
        out << quint8(Variant::Type::Int) << qint64(value.toInt());
        break;
    case Variant::Type::Double:
        out << quint8(Variant::Type::Double) << value.toDouble();
        break;
    case Variant::Type::DateTime:
        out << quint8(Variant::Type::DateTime) << double(value.toDateTime());
        break;
    default: // the reading yields text for anything else
        out << quint8(Variant::Type::String) << value.toString();
        break;
    }
}

Variant readValue(QDataStream &in)
{
    quint8 type = 0;
    in >> type;
    switch (Variant::Type(type)) {
    case Variant::Type::Int: {
        qint64 number = 0;
        in >> number;
        return Variant(number);
    }
    case Variant::Type::Double: {
        double number = 0;
        in >> number;
        return Variant(number);
    }
    case Variant::Type::String: {
        QString text;
        in >> text;
        return Variant(text);
    }
    case Variant::Type::DateTime: {
        double moment = 0;
        in >> moment;
        return Variant::fromDateTime(moment);
    }
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        return Variant();
    }
}

QByteArray encodeWith(Outcome outcome, const auto &writeBody)
{
    QByteArray output;
    QDataStream out(&output, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << quint8(outcome);
    writeBody(out);
    out << EndMark;
    return output;
}

} // namespace

SheetReadError XlsReadResult::readingFailed()
{
    return XlsReader::unreadable(QStringLiteral("soubor je poškozený (jeho čtení selhalo)"));
}

QByteArray XlsReadResult::encode(const SheetCells &cells)
{
    return encodeWith(Cells, [&](QDataStream &out) {
        out << qint32(cells.lastUsedRow()) << qint64(cells.cellCount());
        cells.forEachCell([&](int row, int column, const Variant &value) {
            out << qint32(row) << qint32(column);
            writeValue(out, value);
        });
    });
}

QByteArray XlsReadResult::encodeFailure(const QString &reason)
{
    return encodeWith(Failure, [&](QDataStream &out) { out << reason; });
}

SheetCells XlsReadResult::decode(const QByteArray &output)
{
    QDataStream in(output);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint8 outcome = 0;
    in >> magic >> outcome;
    if (in.status() != QDataStream::Ok || magic != Magic)
        throw readingFailed();
    SheetCells cells;
    QString reason;
    if (outcome == Failure) {
        in >> reason;
    } else if (outcome == Cells) {
        qint32 lastRow = 0;
        qint64 count = 0;
        in >> lastRow >> count;
        for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            qint32 row = 0, column = 0;
            in >> row >> column;
            const Variant value = readValue(in);
            if (row < 1 || column < 1)
                throw readingFailed();
            cells.set(row, column, value);
        }
        cells.extendTo(lastRow);
    } else {
        throw readingFailed();
    }
    quint32 end = 0;
    in >> end;
    if (in.status() != QDataStream::Ok || end != EndMark || !in.atEnd())
        throw readingFailed();
    if (outcome == Failure)
        throw SheetReadError{reason};
    return cells;
}
