#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Orlenda {

// A table of texts as the performance window shows it and the command line
// prints it: headers with units, values rounded for reading.
struct TextTable {
    struct Cell {
        Cell() = default;
        Cell(QString text, QString tip = {}, bool marked = false)
            : text(std::move(text)), tip(std::move(tip)), marked(marked) {}

        QString text;
        QString tip;         // why the cell is marked, or the full reason
        bool marked = false; // cannot start, not reached, beyond the adhesion limit
    };

    QStringList columnHeaders;
    QStringList rowHeaders; // empty: the rows have no header of their own
    QList<QList<Cell>> rows;

};

// Tab-separated lines, headers first, for pasting into a spreadsheet.
QString tabSeparated(const TextTable& table);

// Columns padded with blanks for a terminal; wide (East Asian) characters
// count as two columns.
QString alignedText(const TextTable& table);

} // namespace Orlenda
