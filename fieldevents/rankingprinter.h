#pragma once

#include <QString>

class QWidget;
class ResultSheet;

// Prints a field event's result sheet: on a printer chosen in the print
// dialog when the system has one, otherwise as a PDF in the program's data
// folder.
class RankingPrinter
{
public:
    enum class Outcome { Printed, Cancelled, SavedAsPdf, Failed };

    // The PDF's path goes to pdfPath when the sheet was saved as a file
    // (or could not be).
    static Outcome print(const ResultSheet &sheet, const QString &title, const QString &folder, QWidget *parent,
                         QString *pdfPath);
    // "<title> <yyyyMMdd-HHmmss>.pdf" in the folder, the title made safe
    // for a file name.
    static QString pdfPath(const QString &folder, const QString &title);
};
