#pragma once

// Reads back what the export wrote: the parts of an .xlsx file that the tests look at, taken out
// with unzip and parsed with Qt's XML reader.

#include <QHash>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

namespace yw::test {

inline QByteArray xlsxPart(const QString &file, const QString &part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, part});
    unzip.waitForFinished(60000);
    return unzip.readAllStandardOutput();
}

struct Cell {
    QString text;
    bool isNumber = false;
    int style = 0;
};

struct Workbook {
    QStringList sheetNames;
    QMap<QString, Cell> cells;                 // by reference, "A1"
    QMap<int, double> columnWidths;            // 1-based column -> width, from <cols>
    QList<QHash<QString, QString>> styleFonts; // per cell style: "bold", "size", "name"
    int lastRow = 0;

    QString at(const QString &ref) const { return cells.value(ref).text; }
    QHash<QString, QString> fontOf(const QString &ref) const
    {
        const int s = cells.value(ref).style;
        return s < styleFonts.size() ? styleFonts.at(s) : QHash<QString, QString>{};
    }
    // The texts of one row from column A on, up to the last filled cell.
    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 0; c < 26; ++c) {
            const QString ref = QChar(u'A' + c) + QString::number(r);
            out << at(ref);
        }
        while (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
};

inline Workbook readXlsx(const QString &file)
{
    Workbook wb;
    {
        QXmlStreamReader x(xlsxPart(file, QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("sheet"))
                wb.sheetNames << x.attributes().value(QLatin1String("name")).toString();
        }
    }
    QStringList shared;
    {
        QXmlStreamReader x(xlsxPart(file, QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (x.isStartElement() && x.name() == QLatin1String("t") && inSi) {
                current += x.readElementText();
            } else if (x.isEndElement() && x.name() == QLatin1String("si")) {
                inSi = false;
                shared << current;
            }
        }
    }
    {
        // Fonts, then the cell formats that point at them.
        QXmlStreamReader x(xlsxPart(file, QStringLiteral("xl/styles.xml")));
        QList<QHash<QString, QString>> fonts;
        QHash<QString, QString> font;
        bool inFonts = false, inXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                if (x.name() == QLatin1String("fonts"))
                    inFonts = true;
                else if (x.name() == QLatin1String("cellXfs"))
                    inXfs = true;
                else if (inFonts && x.name() == QLatin1String("font"))
                    font.clear();
                else if (inFonts && x.name() == QLatin1String("b"))
                    font.insert(QStringLiteral("bold"), QStringLiteral("1"));
                else if (inFonts && x.name() == QLatin1String("sz"))
                    font.insert(QStringLiteral("size"), x.attributes().value(QLatin1String("val")).toString());
                else if (inFonts && x.name() == QLatin1String("name"))
                    font.insert(QStringLiteral("name"), x.attributes().value(QLatin1String("val")).toString());
                else if (inXfs && x.name() == QLatin1String("xf"))
                    wb.styleFonts << fonts.value(x.attributes().value(QLatin1String("fontId")).toInt());
            } else if (x.isEndElement()) {
                if (x.name() == QLatin1String("fonts"))
                    inFonts = false;
                else if (x.name() == QLatin1String("cellXfs"))
                    inXfs = false;
                else if (inFonts && x.name() == QLatin1String("font"))
                    fonts << font;
            }
        }
    }
    {
        QXmlStreamReader x(xlsxPart(file, QStringLiteral("xl/worksheets/sheet1.xml")));
        QString ref, type;
        int style = 0;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("col")) {
                const int min = x.attributes().value(QLatin1String("min")).toInt();
                const int max = x.attributes().value(QLatin1String("max")).toInt();
                for (int c = min; c <= max; ++c)
                    wb.columnWidths.insert(c, x.attributes().value(QLatin1String("width")).toDouble());
            } else if (x.name() == QLatin1String("row")) {
                wb.lastRow = qMax(wb.lastRow, x.attributes().value(QLatin1String("r")).toInt());
            } else if (x.name() == QLatin1String("c")) {
                ref = x.attributes().value(QLatin1String("r")).toString();
                type = x.attributes().value(QLatin1String("t")).toString();
                style = x.attributes().value(QLatin1String("s")).toInt();
                wb.cells[ref].style = style;
            } else if (x.name() == QLatin1String("v")) {
                const QString v = x.readElementText();
                Cell &cell = wb.cells[ref];
                cell.isNumber = type.isEmpty() || type == QLatin1String("n");
                cell.text = type == QLatin1String("s") ? shared.value(v.toInt()) : v;
            } else if (x.name() == QLatin1String("is")) {
                wb.cells[ref].text = x.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        }
    }
    return wb;
}

} // namespace yw::test
