#include "figure/svg_compaction.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace trazel::figure {

namespace {

// The numbers of a coordinate attribute rounded to decimals places, with no
// trailing zeros.
QString RoundedNumbers(const QString& text, int decimals) {
    static const QRegularExpression number(QStringLiteral("-?\\d+\\.\\d+(?:[eE][-+]?\\d+)?"));
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        QString rounded = QString::number(match.captured().toDouble(), 'f', decimals);
        while (rounded.endsWith(QLatin1Char('0'))) {
            rounded.chop(1);
        }
        if (rounded.endsWith(QLatin1Char('.'))) {
            rounded.chop(1);
        }
        if (rounded == QStringLiteral("-0")) {
            rounded = QStringLiteral("0");
        }
        out += rounded;
        from = match.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

bool IsCoordinate(QStringView name) {
    static const QStringList names = {
        QStringLiteral("points"), QStringLiteral("d"),  QStringLiteral("x"),
        QStringLiteral("y"),      QStringLiteral("x1"), QStringLiteral("y1"),
        QStringLiteral("x2"),     QStringLiteral("y2"), QStringLiteral("width"),
        QStringLiteral("height"), QStringLiteral("cx"), QStringLiteral("cy"),
        QStringLiteral("r"),      QStringLiteral("rx"), QStringLiteral("ry")};
    return names.contains(name);
}

}  // namespace

QByteArray CompactSvg(const QByteArray& svg, int decimals) {
    QByteArray out;
    QXmlStreamReader reader(svg);
    // Names as written, xmlns attributes among the others.
    reader.setNamespaceProcessing(false);
    QXmlStreamWriter writer(&out);
    // Groups opened in the input but not yet written: one is written only
    // when something is put in it.
    struct Group {
        QXmlStreamAttributes attributes;
        bool written = false;
    };
    std::vector<Group> open;
    const auto flush = [&] {
        for (Group& group : open) {
            if (!group.written) {
                writer.writeStartElement(QStringLiteral("g"));
                writer.writeAttributes(group.attributes);
                group.written = true;
            }
        }
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::StartDocument:
                writer.writeStartDocument();
                break;
            case QXmlStreamReader::StartElement: {
                QXmlStreamAttributes attributes;
                for (const QXmlStreamAttribute& a : reader.attributes()) {
                    const QStringView name = a.qualifiedName();
                    // The root declares the namespace once for all.
                    if (!open.empty() && name == QStringLiteral("xmlns")) {
                        continue;
                    }
                    attributes.append(name.toString(),
                                      IsCoordinate(name)
                                          ? RoundedNumbers(a.value().toString(), decimals)
                                          : a.value().toString());
                }
                if (reader.qualifiedName() == QStringLiteral("g")) {
                    open.push_back({attributes, false});
                    break;
                }
                flush();
                open.push_back({{}, true});
                writer.writeStartElement(reader.qualifiedName().toString());
                writer.writeAttributes(attributes);
                break;
            }
            case QXmlStreamReader::EndElement:
                if (open.back().written) {
                    writer.writeEndElement();
                }
                open.pop_back();
                break;
            case QXmlStreamReader::Characters:
                if (!reader.isWhitespace()) {
                    flush();
                    writer.writeCharacters(reader.text().toString());
                }
                break;
            default:
                break;
        }
    }
    if (reader.hasError()) {
        return svg;
    }
    writer.writeEndDocument();
    return out;
}

}  // namespace trazel::figure
