#include "fieldevents/rankingprinter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>

#include "fieldevents/fieldeventprogress.h"
#include "records/participation.h"

QString RankingPrinter::html(const QList<Participation *> &heat, QChar fieldType, const QString &title,
                             int numberOfAttempts, const HeightColumns &heights)
{
    const bool vertical = fieldType == QLatin1Char('V');
    QString text;
    text += QStringLiteral("<html><body><h2>%1</h2>").arg(title.toHtmlEscaped());
    text += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
    const QStringList fixed{
        QCoreApplication::translate("RankingPrinter", "Rank"), QCoreApplication::translate("RankingPrinter", "Name"),
        QCoreApplication::translate("RankingPrinter", "Bib"), QCoreApplication::translate("RankingPrinter", "Club")};
    for (const QString &header : fixed)
        text += QStringLiteral("<th>%1</th>").arg(header.toHtmlEscaped());
    if (vertical) {
        for (const HeightColumn &h : heights) {
            const QString label = QString::number(h.height, 'f', 2);
            text += QStringLiteral("<th>%1</th>").arg(h.isJumpOff() ? QStringLiteral("JO %1").arg(label) : label);
        }
    } else {
        for (int attempt = 1; attempt <= numberOfAttempts; ++attempt)
            text += QStringLiteral("<th>%1</th>").arg(attempt);
    }
    text +=
        QStringLiteral("<th>%1</th></tr>").arg(QCoreApplication::translate("RankingPrinter", "Best").toHtmlEscaped());

    for (Participation *p : FieldEventProgress::rankingOrder(heat)) {
        text += QStringLiteral("<tr>");
        text +=
            QStringLiteral("<td>%1</td>").arg(p->current_order == 0 ? QString() : QString::number(p->current_order));
        text += QStringLiteral("<td>%1</td>").arg(p->displayName().toHtmlEscaped());
        text += QStringLiteral("<td>%1</td>").arg(p->bib().toHtmlEscaped());
        text += QStringLiteral("<td>%1</td>").arg(p->clubName().toHtmlEscaped());
        if (vertical) {
            for (const HeightColumn &h : heights) {
                const QString marks = h.isJumpOff() ? p->jumpOffMark(h.jumpOff) : p->attemptString(h.height);
                text += QStringLiteral("<td align=\"center\">%1</td>").arg(marks.trimmed().toHtmlEscaped());
            }
        } else {
            for (int attempt = 1; attempt <= numberOfAttempts; ++attempt)
                text += QStringLiteral("<td align=\"center\">%1</td>")
                            .arg(p->resultTextOfAttempt(unsigned(attempt)).toHtmlEscaped());
        }
        QString best = p->resultText(p->bestResult());
        if (p->abandon)
            best += QCoreApplication::translate("RankingPrinter", "(r)");
        text += QStringLiteral("<td align=\"center\"><b>%1</b></td></tr>").arg(best.toHtmlEscaped());
    }
    text += QStringLiteral("</table><p>%1</p></body></html>")
                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    return text;
}

void RankingPrinter::print(const QString &html, QPrinter *printer)
{
    QTextDocument document;
    document.setHtml(html);
    document.print(printer);
}

bool RankingPrinter::printToPdf(const QString &html, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    print(html, &printer);
    return QFileInfo(path).size() > 0;
}

QString RankingPrinter::printWithDialog(const QString &html, const QString &title, QWidget *parent)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() == QDialog::Accepted)
            print(html, &printer);
        return QString();
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QDir().mkpath(folder);
    QString name = title.isEmpty() ? QStringLiteral("ranking") : title;
    name.replace(QRegularExpression(QStringLiteral("[^\\w\\- ]")), QStringLiteral("_"));
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1 %2.pdf")
                                  .arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    return printToPdf(html, path) ? path : QString();
}
