#pragma once

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <functional>
#include <unistd.h>

// The control channel of a stand-in: one command per line on standard
// input, each answered by one line on standard output (none for an empty
// answer). At the end of the input the tool goes on until a signal ends it.
namespace ControlChannel {

inline void install(QCoreApplication &app, QTextStream &out, const std::function<QString(const QString &)> &answer)
{
    auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(input, &QSocketNotifier::activated, &app, [input, &out, answer] {
        QByteArray line;
        char c = 0;
        bool ended = true;
        while (::read(STDIN_FILENO, &c, 1) == 1) {
            ended = false;
            if (c == '\n')
                break;
            line += c;
        }
        if (ended) {
            input->setEnabled(false);
            return;
        }
        const QString reply = answer(QString::fromUtf8(line));
        if (!reply.isEmpty())
            out << reply << Qt::endl;
    });
}

} // namespace ControlChannel
