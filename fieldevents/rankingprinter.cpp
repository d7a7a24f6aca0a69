#include "fieldevents/rankingprinter.h"

#include <QDateTime>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "fieldevents/resultsheet.h"

QString RankingPrinter::pdfPath(const QString &folder, const QString &title)
{
    QString name = title.trimmed().isEmpty() ? QStringLiteral("ranking") : title.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[^\\w\\- ]")), QStringLiteral("_"));
    return QDir(folder).filePath(
        QStringLiteral("%1 %2.pdf")
            .arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

RankingPrinter::Outcome RankingPrinter::print(const ResultSheet &sheet, const QString &title, const QString &folder,
                                              QWidget *parent, QString *pdf)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ResultSheet::pageLayout());
        printer.setDocName(title);
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return Outcome::Cancelled;
        return sheet.print(&printer) ? Outcome::Printed : Outcome::Failed;
    }
    QDir().mkpath(folder);
    const QString path = pdfPath(folder, title);
    if (pdf)
        *pdf = path;
    return sheet.writePdf(path) ? Outcome::SavedAsPdf : Outcome::Failed;
}
