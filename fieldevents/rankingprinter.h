#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include "fieldevents/heightcolumn.h"

class Participation;
class QPrinter;
class QWidget;

// Prints the current ranking of a field event heat: title, and per athlete
// rank, name, bib, club, every attempt and the best mark.
class RankingPrinter
{
public:
    // The ranking as an HTML document (rank order, unranked last).
    static QString html(const QList<Participation *> &heat, QChar fieldType, const QString &title, int numberOfAttempts,
                        const HeightColumns &heights);
    static void print(const QString &html, QPrinter *printer);
    static bool printToPdf(const QString &html, const QString &path);
    // A print dialog when the system has a printer, otherwise a PDF in the
    // documents folder; returns the PDF's path in that case (empty else).
    static QString printWithDialog(const QString &html, const QString &title, QWidget *parent);
};
