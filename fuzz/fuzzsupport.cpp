#include "fuzzsupport.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void discardMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

void FuzzSupport::prepare()
{
    static const bool prepared = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
        qInstallMessageHandler(discardMessage);
        // Never deleted: the process ends inside libFuzzer, after which Qt's
        // own globals may already be gone.
        static int argc = 1;
        static char name[] = "stadionix-fuzz";
        static char *argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
        return true;
    }();
    Q_UNUSED(prepared)
}

void FuzzSupport::fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz check failed: %s\n%s\n", what, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

void FuzzSupport::readEveryCell(const QAbstractItemModel &model)
{
    static const int roles[] = {Qt::DisplayRole,    Qt::ToolTipRole,    Qt::FontRole,
                                Qt::BackgroundRole, Qt::ForegroundRole, Qt::TextAlignmentRole,
                                Qt::UserRole + 1,   Qt::UserRole + 2,   Qt::UserRole + 3};
    for (int column = 0; column < model.columnCount(); ++column) {
        for (const int role : roles)
            model.headerData(column, Qt::Horizontal, role);
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            for (const int role : roles)
                model.data(index, role);
        }
    }
}

double FuzzInput::rawDouble()
{
    const quint64 bits = u64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

quint64 FuzzInput::u64()
{
    quint64 value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | byte();
    return value;
}

QByteArray FuzzInput::bytesUntil(char separator, int maxBytes)
{
    QByteArray bytes;
    while (!atEnd() && bytes.size() < maxBytes) {
        const char c = char(byte());
        if (c == separator)
            break;
        bytes.append(c);
    }
    return bytes;
}

QByteArray FuzzInput::rest()
{
    const QByteArray bytes(reinterpret_cast<const char *>(m_data + m_position), qsizetype(m_size - m_position));
    m_position = m_size;
    return bytes;
}

QList<QByteArray> FuzzInput::portBlocks()
{
    const int blockSize = byte() + 1;
    const QByteArray stream = rest();
    QList<QByteArray> blocks;
    for (qsizetype at = 0; at < stream.size(); at += blockSize)
        blocks.append(stream.mid(at, blockSize));
    return blocks;
}
